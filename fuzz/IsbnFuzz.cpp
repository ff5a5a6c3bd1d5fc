// ISBN fields: every text reads without a crash; each ISBN found lies within the field; a valid
// ISBN's other form is valid too; and an edit of the field keeps its ISBNs, changing only their
// form.

#include "FuzzSupport.h"

#include "catalogue/Isbn.h"

using namespace quillery;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QString field = QString::fromUtf8(fuzz::bytesOf(data, size));
    const std::vector<IsbnEntry> isbns = parseIsbns(field);
    for (const IsbnEntry& isbn : isbns) {
        check(isbn.start >= 0 && isbn.length >= 0 && isbn.start + isbn.length <= field.size(),
              "an ISBN lies within its field");
        if (!isbn.valid())
            continue;
        check(isbn13To10(isbn.isbn13).value_or(QString()) == isbn.isbn10,
              "the ISBN-10 of a valid ISBN is the one its ISBN-13 gives");
        check(isbn.isbn10.isEmpty() || isbn10To13(isbn.isbn10) == isbn.isbn13,
              "the ISBN-13 of its ISBN-10 is its ISBN-13");
    }
    for (const IsbnEdit edit : {IsbnEdit::Hyphenate, IsbnEdit::ToIsbn13, IsbnEdit::ToIsbn10}) {
        const std::vector<IsbnEntry> after = parseIsbns(editIsbnField(field, edit));
        check(after.size() == isbns.size(), "an edit keeps the number of ISBNs");
        for (size_t i = 0; i < after.size(); ++i) {
            check(after[i].valid() == isbns[i].valid(), "an edit keeps an ISBN's validity");
            check(after[i].isbn13 == isbns[i].isbn13, "an edit keeps the ISBN");
        }
    }
    return 0;
}
