#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quillery {

// The file formats books are exported to and imported from. Goodreads and LibraryThing are the
// CSV exports of those sites, read with their own column names; the program writes plain CSV.
enum class ExchangeFormat { Csv, Goodreads, LibraryThing, CslJson, BibTeX, Ris };

// The name a format goes by on the command line: "csv", "goodreads", "librarything", "csljson",
// "bibtex", "ris".
QString exchangeFormatName(ExchangeFormat format);
// The format of that name, ignoring case; nothing for an unknown name.
std::optional<ExchangeFormat> exchangeFormatNamed(QStringView name);

} // namespace quillery
