#pragma once

#include "exchange/ExchangeFormat.h"

#include <QCoreApplication>

namespace quillery {
class Session;
} // namespace quillery

namespace quillery::ui {

class TmainFrm;

// Import and Export of the main window: the dialogs that choose the file, the format and the
// books, and the preview of an import. The session reads and writes the files.
class ExchangeCommands final {
    Q_DECLARE_TR_FUNCTIONS(ExchangeCommands)

public:
    ExchangeCommands(TmainFrm& window, Session& session);

    void exportBooks();
    void importBooks();

private:
    TmainFrm& m_window;
    Session& m_session;
    // The format of the last export, offered again for the next one while the window is open.
    ExchangeFormat m_exportFormat = ExchangeFormat::Csv;
};

} // namespace quillery::ui
