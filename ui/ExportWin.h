#pragma once

#include "exchange/ExchangeFormat.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QRadioButton;

namespace quillery::ui {

// "Export Books": the format to write and which books, all of the catalogue or those the filter
// shows.
class TExportWin final : public QDialog {
    Q_OBJECT
public:
    // `shownBooks` is the length of the filtered list, nothing while the list is not filtered.
    TExportWin(ExchangeFormat format, qsizetype allBooks, std::optional<qsizetype> shownBooks,
               QWidget* parent = nullptr);

    ExchangeFormat format() const;
    bool shownBooksOnly() const;

private:
    QComboBox* cbExportFormat = nullptr;
    QRadioButton* rbAllBooks = nullptr;
    QRadioButton* rbShownBooks = nullptr;
};

} // namespace quillery::ui
