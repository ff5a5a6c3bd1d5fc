#pragma once

#include <QStringList>

namespace quillery {

// The lines of the format legend shown beside the report format: each code, a tab and what it
// stands for, in the order users read them.
QStringList formatLegendLines();

// The legend beside the database-link templates: the same entries less "%Lnnn" and "%?", long
// descriptions wrapped onto a second line, then an empty line and "All arguments will be
// URL-encoded.".
QStringList linkLegendLines();

} // namespace quillery
