#pragma once

#include <QStringList>

namespace quillery {

// The database-link templates a first start offers: a web search for the title and for the
// ISBN, an encyclopaedia's book-sources page, and two bookshops.
QStringList defaultDataLinkTemplates();

} // namespace quillery
