#pragma once

#include <QString>

namespace quillery {

// The options of one report: the texts around each item and around the whole report, and what
// the field annotation adds to each value.
struct ReportOptions {
    QString beforeItem = QStringLiteral("<li>");
    QString afterItem = QStringLiteral("</li>");
    QString beforeReport = QStringLiteral("<ul>");
    QString afterReport = QStringLiteral("</ul>");
    bool microdata = false;
    bool useLangForTitle = true;
    QString defaultLang;

    friend bool operator==(const ReportOptions&, const ReportOptions&) = default;
};

} // namespace quillery
