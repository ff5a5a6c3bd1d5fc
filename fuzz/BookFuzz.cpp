// Book files: the version test on whole files and on prefixes, reading (by both readers),
// upgrading and saving a book made of arbitrary bytes.

#include "FuzzSupport.h"

#include "base/Errors.h"
#include "catalogue/BookFile.h"

#include <QDateTime>

using namespace quillery;
using fuzz::check;
using fuzz::fail;

namespace {

bool isAscii(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const bool version10 = isVersion10Text(bytes);

    // A prefix that decides must decide as the whole file does.
    for (int k = 1; k <= 8; ++k) {
        const qsizetype cut = bytes.size() * k / 8;
        const std::optional<bool> early = scanVersion10(bytes.first(cut), false);
        if (early)
            check(*early == version10, "a prefix decides the version test as the file does");
    }

    const QString path = fuzz::scratchDir() + QStringLiteral("Fuzzed.book");
    fuzz::writeScratch(path, bytes);
    check(IsVersion10File(path) == version10, "the file test agrees with the text test");

    const BookRecord before = ReadBookRecord(path);
    check(before[Field::ID] == QStringLiteral("Fuzzed"), "the ID is the file name");
    {
        const FolderReader folder(fuzz::scratchDir());
        BookReader reader(folder);
        check(reader.read(QStringLiteral("Fuzzed")) == before,
              "the catalogue's reader reads a book as the general reader does");
    }

    // The upgrade also finds "Program version" lines the version test passes over; every file
    // the test calls version 1.0 must be upgraded, and be no longer version 1.0 afterwards.
    const bool upgraded = UpgradeBookFile(path, QStringLiteral("1.2.0.0"));
    if (version10)
        check(upgraded, "every version 1.0 file is upgraded");
    if (upgraded) {
        check(!IsVersion10File(path), "an upgraded file is no longer version 1.0");
        if (isAscii(bytes))
            check(ReadBookRecord(path) == before, "an upgrade keeps every field");
    } else {
        check(fuzz::readScratch(path) == bytes, "a file not upgraded is left untouched");
    }

    const BookRecord record = ReadBookRecord(path);
    writeBookFile(path, record, QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)),
                  QStringLiteral("1.2.0.0"));
    check(ReadBookRecord(path) == record, "a saved book reads back the same");
    check(!IsVersion10File(path), "a saved book is no version 1.0 file");
    return 0;
}
