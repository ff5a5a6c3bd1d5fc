#include "markup/LanguageRegistry.h"

#include <QFile>

// Registers the resource file of the static core library; it has to be named at global scope.
static void initLanguageResource()
{
    Q_INIT_RESOURCE(langs);
}

namespace quillery {

namespace {

constexpr char16_t foldAscii(char16_t c) noexcept
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

QByteArrayView stripCr(QByteArrayView line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

} // namespace

std::size_t LanguageRegistry::FoldedHash::operator()(QStringView text) const noexcept
{
    // FNV-1a over the ASCII-folded code units.
    std::size_t h = 14695981039346656037ull;
    for (const QChar c : text) {
        h ^= foldAscii(c.unicode());
        h *= 1099511628211ull;
    }
    return h;
}

bool LanguageRegistry::FoldedEqual::operator()(QStringView a, QStringView b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode()))
            return false;
    }
    return true;
}

void LanguageRegistry::addName(std::vector<LanguageName>& list, QString description,
                               const QString& tag)
{
    list.push_back({std::move(description), tag});
    const LanguageName& added = list.back();
    // emplace keeps the first entry of a key: the earliest name in file order, and the tag list
    // wins because it is complete before any subtag name is added.
    m_index.emplace(QStringView(added.description), added.tag);
}

LanguageRegistry LanguageRegistry::parse(QByteArrayView text)
{
    static constexpr QByteArrayView TagField = "Tag: ";
    static constexpr QByteArrayView SubtagField = "Subtag: ";
    static constexpr QByteArrayView DescriptionField = "Description: ";
    static constexpr QByteArrayView FileDateField = "File-Date: ";

    LanguageRegistry registry;
    // Descriptions are gathered per list and indexed afterwards, so every tag-list name is in
    // the index before the first subtag-list name.
    struct Pending {
        QByteArrayView description;
        qsizetype tagIndex;
    };
    std::vector<QString> tags[2];
    std::vector<Pending> pending[2];

    bool inHeader = true;
    bool recordHasLines = false;
    int list = -1; // 0 tag list, 1 subtag list, -1 no tag seen in this record

    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos <= n) {
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0)
            end = n;
        const QByteArrayView line = stripCr(text.sliced(pos, end - pos));
        pos = end + 1;
        if (end == n && line.isEmpty())
            break;

        if (line == "%%") {
            if (inHeader)
                inHeader = false;
            else if (recordHasLines)
                ++registry.m_recordCount;
            recordHasLines = false;
            list = -1;
            continue;
        }
        if (inHeader) {
            if (line.startsWith(FileDateField))
                registry.m_fileDate = QString::fromUtf8(line.sliced(FileDateField.size()));
            continue;
        }
        if (!line.isEmpty())
            recordHasLines = true;
        if (line.startsWith(TagField)) {
            list = 0;
            tags[0].push_back(QString::fromUtf8(line.sliced(TagField.size())));
        } else if (line.startsWith(SubtagField)) {
            list = 1;
            tags[1].push_back(QString::fromUtf8(line.sliced(SubtagField.size())));
        } else if (list >= 0 && line.startsWith(DescriptionField)) {
            pending[list].push_back(
                {line.sliced(DescriptionField.size()), qsizetype(tags[list].size()) - 1});
        }
    }
    if (!inHeader && recordHasLines)
        ++registry.m_recordCount;

    registry.m_index.reserve(pending[0].size() + pending[1].size());
    registry.m_tags.reserve(pending[0].size());
    registry.m_subtags.reserve(pending[1].size());
    for (int l = 0; l < 2; ++l) {
        std::vector<LanguageName>& target = l == 0 ? registry.m_tags : registry.m_subtags;
        for (const Pending& p : pending[l])
            registry.addName(target, QString::fromUtf8(p.description), tags[l][p.tagIndex]);
    }
    return registry;
}

QByteArray LanguageRegistry::resourceText()
{
    initLanguageResource();
    QFile file(QStringLiteral(":/data/LANGS"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

const LanguageRegistry& LanguageRegistry::instance()
{
    // Kept to the end of the process and not destroyed there: taking its 8,000 names apart
    // would only make every run of the command line slower to end.
    static const LanguageRegistry* const registry = new LanguageRegistry(parse(resourceText()));
    return *registry;
}

std::optional<QString> LanguageRegistry::Find(QStringView name) const
{
    if (name.isEmpty())
        return std::nullopt;
    const auto it = m_index.find(name);
    if (it == m_index.end())
        return std::nullopt;
    return it->second;
}

std::optional<QString> LanguageTagOf(QStringView text, const LanguageRegistry& registry)
{
    const qsizetype open = text.indexOf(u'(');
    const qsizetype close = text.indexOf(u')');
    if (open >= 0 && close >= 0) {
        if (close < open)
            return QString();
        QStringView inner = text.sliced(open + 1, close - open - 1);
        while (!inner.isEmpty() && inner.front().unicode() <= 0x20)
            inner = inner.sliced(1);
        while (!inner.isEmpty() && inner.back().unicode() <= 0x20)
            inner.chop(1);
        return inner.toString();
    }
    return registry.Find(text);
}

bool SameLanguage(QStringView a, QStringView b, const LanguageRegistry& registry)
{
    const std::optional<QString> tagA = LanguageTagOf(a, registry);
    if (!tagA)
        return false;
    const std::optional<QString> tagB = LanguageTagOf(b, registry);
    return tagB && *tagA == *tagB;
}

} // namespace quillery
