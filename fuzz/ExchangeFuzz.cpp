// The readers of other programs' files (CSV with its Goodreads and LibraryThing forms, CSL-JSON,
// RIS), chosen by the first byte: any bytes are read or refused, never crash; the books they give
// get valid file names; and the CSV, CSL-JSON or RIS the program writes of them reads back as
// many books.

#include "FuzzSupport.h"

#include "catalogue/Catalogue.h"
#include "exchange/BookMapping.h"
#include "exchange/Exchange.h"
#include "exchange/Import.h"

using namespace quillery;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    if (size == 0)
        return 0;
    constexpr ExchangeFormat formats[] = {ExchangeFormat::Csv, ExchangeFormat::Goodreads,
                                          ExchangeFormat::LibraryThing, ExchangeFormat::CslJson,
                                          ExchangeFormat::Ris};
    const ExchangeFormat format = formats[data[0] % std::size(formats)];
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    (void)guessExchangeFormat(bytes);
    ImportRecords records;
    try {
        records = readImportRecords(format, bytes);
    } catch (const ImportError&) {
        return 0;
    }
    std::vector<BookRecord> books;
    for (ImportRecord& record : records) {
        check(!record.location.isEmpty(), "every record says where it stands");
        if (!record.rejection.isEmpty())
            continue;
        cleanImportedRecord(record.book);
        const QString name = importBookName(record.book);
        check(IsValidFileName(name + QStringLiteral(".book")), "an import's name is a file name");
        check(name.toUtf8().size() <= 200, "an import's name fits every file system");
        record.book[Field::ID] = name;
        books.push_back(record.book);
    }
    for (const ExchangeFormat written :
         {ExchangeFormat::Csv, ExchangeFormat::CslJson, ExchangeFormat::Ris}) {
        if (books.empty())
            break;
        const ImportRecords back = readImportRecords(written, exportBooks(written, books));
        check(back.size() == books.size(), "what the program writes reads back book for book");
        for (const ImportRecord& r : back)
            check(r.rejection.isEmpty(), "what the program writes is never rejected");
    }
    return 0;
}
