// The shelf writer over a catalogue of arbitrary book bytes: the fast byte builder and the line
// writer give the same file.

#include "FuzzSupport.h"

#include "catalogue/Shelf.h"

#include <QDir>

using namespace quillery;
using fuzz::check;
using fuzz::fail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QString dir = fuzz::scratchDir() + QStringLiteral("shelf/");
    static const bool made = QDir().mkpath(dir);
    check(made, "the catalogue folder exists");

    // Two books: the input whole, and the input from its middle on (a book that starts inside a
    // multi-byte sequence).
    const QByteArray bytes = fuzz::bytesOf(data, size);
    fuzz::writeScratch(dir + QStringLiteral("A.book"), bytes);
    fuzz::writeScratch(dir + QStringLiteral("b.BOOK"), bytes.sliced(bytes.size() / 2));

    const QString version = QStringLiteral("1.2.0.0");
    const QStringList lines = shelfLines(dir, version);
    const QByteArray fast = shelfBytes(dir, version);
    const QString out = fuzz::scratchDir() + QStringLiteral("out.shelf");
    WriteUtf8Lines(lines, out);
    check(fuzz::readScratch(out) == fast, "the shelf bytes are the written lines");

    const QStringList bookLines = shelfLinesOfBook(bytes);
    check(bookLines.size() <= bytes.count('\n') + 1, "no more lines than line breaks");
    return 0;
}
