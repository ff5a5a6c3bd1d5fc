#pragma once

#include "catalogue/FieldTable.h"

#include <QString>

#include <array>

namespace quillery {

// The 25 text values of one book. Plain copies of what the user typed: the record itself trims,
// validates and normalises nothing.
struct BookRecord {
    std::array<QString, FieldCount> values;

    QString& operator[](Field field) { return values[static_cast<int>(field)]; }
    const QString& operator[](Field field) const { return values[static_cast<int>(field)]; }

    // The Translation field holds the text "Translation" for a translation, else nothing.
    bool isTranslation() const { return !(*this)[Field::Translation].isEmpty(); }
    void setTranslation(bool on)
    {
        (*this)[Field::Translation] = on ? QString::fromUtf16(TranslationText) : QString();
    }

    friend bool operator==(const BookRecord&, const BookRecord&) = default;
};

} // namespace quillery
