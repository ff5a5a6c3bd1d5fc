// Writes the "ISBNRANGES" table from python3-stdnum's range file:
//   make-isbn-ranges [ISBN_DAT] OUTPUT_FILE
// ISBN_DAT defaults to the file of the installed package (stdnum/isbn.dat).

#include "base/Errors.h"
#include "base/FileIo.h"
#include "tools/isbn/IsbnRangesGenerator.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && args.size() != 3) {
        std::fputs("usage: make-isbn-ranges [ISBN_DAT] OUTPUT_FILE\n", stderr);
        return 2;
    }
    const QString input = args.size() == 3 ? args[1] : quillery::tools::stdnumIsbnDat();
    try {
        quillery::writeWholeFile(
            args.back(), quillery::tools::generateIsbnRanges(quillery::readWholeFile(input)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-isbn-ranges: %s\n", e.what());
        return 1;
    }
    return 0;
}
