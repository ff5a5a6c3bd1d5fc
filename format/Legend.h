#pragma once

#include <QStringList>

#include <functional>

namespace quillery {

// Gives the text the legend shows for an English source text of a context ("Legend" for the
// legend's own lines, "FieldTable" for the fields'); none keeps the English.
using LegendTranslator = std::function<QString(const char* context, const char* text)>;

// The lines of the format legend shown beside the report format: each code, a tab and what it
// stands for, in the order users read them.
QStringList formatLegendLines(const LegendTranslator& translate = {});

// The legend beside the database-link templates: the same entries less "%Lnnn" and "%?", long
// descriptions wrapped onto a second line, then an empty line and "All arguments will be
// URL-encoded.".
QStringList linkLegendLines(const LegendTranslator& translate = {});

} // namespace quillery
