#include "exchange/BibTeX.h"

namespace quillery {

QByteArray exportBibTeX(std::span<const BookRecord>)
{
    return {};
}

ImportRecords importBibTeX(QByteArrayView)
{
    throw ImportError(QStringLiteral("BibTeX is not read yet."));
}

QString decodeLatex(QStringView text)
{
    return text.toString();
}

QString encodeLatex(QStringView text)
{
    return text.toString();
}

} // namespace quillery
