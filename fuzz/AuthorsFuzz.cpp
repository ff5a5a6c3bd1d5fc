// The author list: every text parses, and the markup names every author.

#include "FuzzSupport.h"

#include "markup/Authors.h"

using namespace quillery;
using fuzz::check;
using fuzz::fail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
    const std::vector<AuthorEntry> entries = ParseAuthorList(text);
    check(qsizetype(entries.size()) <= text.count(u';') + 1, "no more authors than items");
    qsizetype spans = 0;
    for (const AuthorEntry& e : entries) {
        if (e.kind == AuthorKind::Organisation)
            check(!e.name.contains(u'*'), "an organisation's name loses its asterisks");
        spans += e.kind == AuthorKind::PersonFamilyGiven ? 3 : 2;
    }
    const QString escaped = AuthorListMarkup(QStringLiteral("author"), text, true);
    check(escaped.count(QStringLiteral("<span")) == spans, "escaped names add no markup");
    const QString plain = AuthorListMarkup(QStringLiteral("author"), text, false);
    if (entries.empty())
        check(escaped.isEmpty() && plain.isEmpty(), "no authors, no markup");
    return 0;
}
