#pragma once

#include "catalogue/ReportOptions.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace quillery {

class LanguageRegistry;

enum class FormatMode {
    Reference, // values annotated for HTML, conditional forms active
    Link,      // values URL-encoded, conditional forms off
};

// What a format run reads besides the record. Read-only during a run.
struct FormatContext {
    FormatMode mode = FormatMode::Reference;
    QChar dashChar = QChar(0x2014);
    bool dashSpaced = false;
    QString subtitleSeparator = QStringLiteral(": ");
    bool escapeHtml = true;
    QStringList synonymsEBook;
    QStringList synonymsHardcover;
    QStringList synonymsPaperback;
    QStringList dataLinkTemplates;
    ReportOptions report;
    // The language registry; nullptr means the program's own table.
    const LanguageRegistry* languages = nullptr;
};

} // namespace quillery
