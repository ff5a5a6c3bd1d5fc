// BibTeX: any bytes import without a crash; a book read from a file exports and imports back to
// the same fields; any book exports, imports and exports again to the same bytes; LaTeX encoding
// of any text decodes to text that encodes the same.

#include "FuzzSupport.h"

#include "exchange/BibTeX.h"
#include "exchange/BookMapping.h"

#include <QStringList>

using namespace quillery;
using fuzz::check;

namespace {

// The fields the format carries; Year written only as a date (checked apart).
constexpr Field Carried[] = {
    Field::Author,        Field::Title,    Field::Subtitle,         Field::Edition,
    Field::Series,        Field::Position, Field::Publisher,        Field::Printed,
    Field::YearPrinted,   Field::ISBN,     Field::NumPages,         Field::Category,
    Field::Comments,      Field::Language, Field::OriginalLanguage, Field::Translator,
    Field::OriginalTitle,
};

bool isDate(const QString& text)
{
    const std::optional<ExchangeDate> date = exchangeDateOf(text);
    return date && exchangeDateOf(exchangeDateText(*date)) == date;
}

// The one book an export reads back as, cleaned as the import engine cleans it, under the name
// it was exported with (keys are made from names, which BibTeX does not carry).
BookRecord readBack(const QByteArray& bib, const QString& name)
{
    const ImportRecords records = importBibTeX(bib);
    check(records.size() == 1, "one exported book reads back as one record");
    check(records[0].rejection.isEmpty(), "an exported book is not rejected");
    BookRecord book = records[0].book;
    cleanImportedRecord(book);
    book[Field::ID] = name;
    return book;
}

void checkImport(const QByteArray& bytes)
{
    ImportRecords records;
    try {
        records = importBibTeX(bytes);
    } catch (const ImportError&) {
        return;
    }
    for (ImportRecord& record : records) {
        check(record.location.startsWith(QStringLiteral("line ")), "every record has a line");
        if (!record.rejection.isEmpty())
            continue;
        BookRecord book = record.book;
        cleanImportedRecord(book);
        book[Field::ID] = QStringLiteral("k");
        const QByteArray bib = exportBibTeX({&book, 1});
        const BookRecord back = readBack(bib, book[Field::ID]);
        for (const Field field : Carried) {
            if (back[field] != book[field]) {
                std::fprintf(stderr, "field %d: \"%s\" read back as \"%s\"\n", int(field),
                             book[field].toUtf8().constData(), back[field].toUtf8().constData());
                fuzz::fail("a read book exports and reads back the same");
            }
        }
        check(back[Field::YearWritten] ==
                  (isDate(book[Field::YearWritten]) ? book[Field::YearWritten] : QString()),
              "Year written reads back when it is a date");
        check(exportBibTeX({&back, 1}) == bib, "a read book exports to the same bytes twice");
    }
}

void checkExport(const QString& text)
{
    // The text as a book: its parts between "|" fill the fields in record order.
    BookRecord book;
    const QStringList parts = text.split(u'|');
    for (qsizetype i = 0; i < parts.size() && i < FieldCount; ++i)
        book.values[size_t(i)] = parts[i];
    const QByteArray bib = exportBibTeX({&book, 1});
    BookRecord back = readBack(bib, book[Field::ID]);
    check(exportBibTeX({&back, 1}) == bib, "export, import and export give the same bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QByteArray bytes = fuzz::bytesOf(data, size);
    checkImport(bytes);

    const QString text = QString::fromUtf8(bytes);
    checkExport(text);
    const QString encoded = encodeLatex(text);
    const QString decoded = decodeLatex(encoded);
    check(encodeLatex(decoded) == encoded, "decoded LaTeX encodes as the text did");
    check(decodeLatex(encodeLatex(decoded)) == decoded, "encoded text decodes back");
    return 0;
}
