// The INI reader and writer: any bytes parse, and what is written reads back as the same values.
// An input may carry a value to write after its first NUL byte; that value must read back as
// written, trimmed as a whole.

#include "FuzzSupport.h"

#include "base/TextCodec.h"
#include "catalogue/IniFile.h"

#include <utility>
#include <vector>

using namespace quillery;
using fuzz::check;
using fuzz::fail;

namespace {

// The (section, key) names an INI text mentions, in order.
struct Names final : IniVisitor {
    QString current;
    std::vector<std::pair<QString, QString>> entries;
    void section(QStringView name) override { current = name.toString(); }
    void entry(QStringView key, QStringView) override
    {
        entries.emplace_back(current, key.toString());
    }
    void keyless(QStringView) override {}
};

void checkSameValues(const IniFile& a, const IniFile& b)
{
    Names names;
    scanIni(a.toText(), names);
    for (const auto& [section, key] : names.entries) {
        // Only the first section of a name and its first entry of a key are ever looked up.
        if (!a.contains(section, key))
            continue;
        check(b.contains(section, key), "a written entry is found again");
        check(a.readString(section, key) == b.readString(section, key),
              "a written value reads back the same");
    }
    check(a.sectionNames() == b.sectionNames(), "the sections read back the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QByteArray input = fuzz::bytesOf(data, size);
    const qsizetype nul = input.indexOf('\0');
    const QByteArray document = nul < 0 ? input : input.first(nul);

    IniFile a = IniFile::fromBytes(document);
    const QByteArray written = a.toBytes();
    const IniFile b = IniFile::fromBytes(written);
    check(b.toBytes() == written, "writing what was read is stable");
    checkSameValues(a, b);

    if (nul >= 0) {
        const QString value = QString::fromUtf8(input.sliced(nul + 1));
        a.writeString(u"Cataloguing", u"Comments", value);
        const IniFile c = IniFile::fromBytes(a.toBytes());
        check(c.readString(u"Cataloguing", u"Comments") ==
                  trimBlanks(QStringView(value)).toString(),
              "a written value reads back trimmed");
        a.writeString(u"Cataloguing", u"Comments", trimBlanks(QStringView(value)).toString());
        checkSameValues(a, c);
    }
    return 0;
}
