#pragma once

#include "catalogue/BookRecord.h"

#include <QString>

namespace quillery::tools {

// A believable book made from its index alone: varied authors (persons and organisations),
// titles in several scripts, series, translations, dates in every form the reports know.
BookRecord generatedBook(int index);

// The file name (without ".book") of generated book number `index`.
QString generatedBookName(int index);

// Writes `count` generated books into the folder with the program's own writer. The same count
// gives the same catalogue on every run (the "Last written" dates included).
void generateCatalogue(const QString& directory, int count);

} // namespace quillery::tools
