// Language look-up: the program's table asked for arbitrary texts, and registries parsed from
// arbitrary record-jar text.

#include "FuzzSupport.h"

#include "markup/LanguageRegistry.h"

using namespace quillery;
using fuzz::check;
using fuzz::fail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    if (size < 1)
        return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    if (data[0] % 2 == 0) {
        const QString text = QString::fromUtf8(bytes);
        const std::optional<QString> tag = LanguageTagOf(text);
        check(SameLanguage(text, text) == tag.has_value(), "a found language is its own language");
        return 0;
    }
    LanguageRegistry parsed = LanguageRegistry::parse(bytes);
    // The index views the lists' strings; a moved registry must still find every name.
    const LanguageRegistry registry = std::move(parsed);
    for (const auto* list : {&registry.tagList(), &registry.subtagList()}) {
        for (const LanguageName& name : *list)
            check(name.description.isEmpty() || registry.Find(name.description).has_value(),
                  "every description but the empty one is found");
    }
    const std::optional<QString> tag = LanguageTagOf(QString::fromUtf8(bytes), registry);
    (void)tag;
    return 0;
}
