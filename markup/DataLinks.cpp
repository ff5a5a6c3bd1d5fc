#include "markup/DataLinks.h"

namespace quillery {

QStringList defaultDataLinkTemplates()
{
    return {
        QStringLiteral("http://www.google.com/search?ie=UTF-8&q=%T"),
        QStringLiteral("http://www.google.com/search?ie=UTF-8&q=%I"),
        QStringLiteral("http://en.wikipedia.org/wiki/Special:BookSources/%I"),
        QStringLiteral("http://amzn.com/%I"),
        QStringLiteral("https://www.adlibris.com/se/sok?q=%I"),
    };
}

} // namespace quillery
