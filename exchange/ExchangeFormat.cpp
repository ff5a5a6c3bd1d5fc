#include "exchange/ExchangeFormat.h"

#include <array>
#include <utility>

namespace quillery {

namespace {

constexpr std::array<std::pair<ExchangeFormat, const char16_t*>, 6> Names = {{
    {ExchangeFormat::Csv, u"csv"},
    {ExchangeFormat::Goodreads, u"goodreads"},
    {ExchangeFormat::LibraryThing, u"librarything"},
    {ExchangeFormat::CslJson, u"csljson"},
    {ExchangeFormat::BibTeX, u"bibtex"},
    {ExchangeFormat::Ris, u"ris"},
}};

} // namespace

QString exchangeFormatName(ExchangeFormat format)
{
    for (const auto& [f, name] : Names) {
        if (f == format)
            return QString::fromUtf16(name);
    }
    return {};
}

std::optional<ExchangeFormat> exchangeFormatNamed(QStringView name)
{
    for (const auto& [f, n] : Names) {
        if (name.compare(QStringView(n), Qt::CaseInsensitive) == 0)
            return f;
    }
    return std::nullopt;
}

} // namespace quillery
