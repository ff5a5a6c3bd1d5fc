#include "settings/RegFileStore.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/TextCodec.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <string>
#include <vector>

namespace quillery {

namespace {

const QLatin1StringView CurrentUserRoot("HKEY_CURRENT_USER");
const QLatin1StringView Header5("Windows Registry Editor Version 5.00");
const QLatin1StringView Header4("REGEDIT4");

// A key path or value name as the registry compares it: every character case-folded as
// QString::compare folds it with Qt::CaseInsensitive (a surrogate pair as its one character), so
// two names compare equal ignoring case exactly when their folded forms are equal. Folding keeps
// the length and every backslash in place.
QString folded(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            o[i] = (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            const char32_t f =
                QChar::toCaseFolded(QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            o[i] = QChar::highSurrogate(f);
            o[++i] = QChar::lowSurrogate(f);
        } else {
            o[i] = char16_t(QChar::toCaseFolded(char32_t(c)));
        }
    }
    return out;
}

QString fullPath(const QString& path)
{
    return CurrentUserRoot + u'\\' + path;
}

// The first key below a path, given its folded form with a backslash added as `prefix`: the keys
// below a path sort together from there on, after a key that is `prefix` itself (a path ending in
// a backslash), which is no key below it.
template <typename Map> auto firstBelow(Map& keys, const QString& prefix)
{
    auto it = keys.lower_bound(prefix);
    if (it != keys.end() && it->first == prefix)
        ++it;
    return it;
}

// The order in which keys are exported, as the Registry Editor exports them: depth first,
// siblings by name ignoring case. This is the order of the paths' names compared one by one with
// QString::compare and Qt::CaseInsensitive, made once per key as a sequence of numbers: each
// backslash 0, each other code unit 1 more than what that compare sees (its case-folded value,
// for a low surrogate after a high one the folded character of the pair).
std::u32string exportOrder(QStringView path)
{
    std::u32string order(path.size(), U'\0');
    char16_t last = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (c != u'\\') {
            const char32_t code = QChar::isLowSurrogate(c) && QChar::isHighSurrogate(last)
                                      ? QChar::surrogateToUcs4(last, c)
                                      : char32_t(c);
            order[i] = QChar::toCaseFolded(code) + 1;
        }
        last = c;
    }
    return order;
}

struct ExportedKey {
    std::u32string order;
    const RegFileStore::Key* key;
};

// Reading ------------------------------------------------------------------------------------

struct BadLine {};

// Reads a quoted string with \\ and \" escapes from the start of `text`; returns it and moves
// `text` past the closing quote.
QString readQuoted(QStringView& text)
{
    if (!text.startsWith(u'"'))
        throw BadLine{};
    QString out;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            text = text.sliced(i + 1);
            return out;
        }
        if (c == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"'))
            out += text[++i];
        else
            out += c;
    }
    throw BadLine{};
}

std::optional<quint32> parseDword(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || digits.startsWith(u'+') || digits.startsWith(u'-'))
        return std::nullopt;
    return value;
}

// The bytes of "hex...:" data: two-digit hexadecimal numbers separated by commas.
std::optional<QByteArray> parseHexBytes(QStringView list)
{
    QByteArray bytes;
    if (list.trimmed().isEmpty())
        return bytes;
    for (QStringView item : list.split(u',')) {
        item = item.trimmed();
        bool ok = false;
        const uint b = item.toUInt(&ok, 16);
        if (!ok || item.size() > 2 || b > 0xFF)
            return std::nullopt;
        bytes += char(b);
    }
    return bytes;
}

// Parses the data after "=". Continuation lines are already joined.
RegFileStore::Value parseData(QStringView data)
{
    RegFileStore::Value v;
    if (data.startsWith(u'"')) {
        v.kind = RegFileStore::Kind::String;
        v.text = readQuoted(data);
        if (!data.trimmed().isEmpty())
            throw BadLine{};
        return v;
    }
    const QStringView dwordPrefix = u"dword:";
    if (data.startsWith(dwordPrefix, Qt::CaseInsensitive)) {
        const auto n = parseDword(data.sliced(dwordPrefix.size()).trimmed());
        if (!n)
            throw BadLine{};
        v.kind = RegFileStore::Kind::Number;
        v.number = *n;
        return v;
    }
    const QStringView sz = u"hex(1):";
    if (data.startsWith(sz, Qt::CaseInsensitive)) {
        // A string in hex form: UTF-16 LE code units, normally ended by a NUL.
        const auto bytes = parseHexBytes(data.sliced(sz.size()));
        if (!bytes || bytes->size() % 2 != 0)
            throw BadLine{};
        QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes->constData()),
                                          bytes->size() / 2);
        if (text.endsWith(QChar(0)))
            text.chop(1);
        v.kind = RegFileStore::Kind::String;
        v.text = text;
        return v;
    }
    if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
        const qsizetype colon = data.indexOf(u':');
        if (colon < 0 || !parseHexBytes(data.sliced(colon + 1)))
            throw BadLine{};
        v.kind = RegFileStore::Kind::Other;
        v.text = data.toString();
        return v;
    }
    throw BadLine{};
}

// Up to this many values a key is scanned; past it, its values are found through its index.
constexpr qsizetype ScannedValues = 16;

// The position of the value of that name (compared ignoring case), or -1.
qsizetype valuePosition(const RegFileStore::Key& key, QStringView name)
{
    if (!key.valueIndex.isEmpty())
        return key.valueIndex.value(folded(name), -1);
    for (qsizetype i = 0; i < key.values.size(); ++i) {
        if (key.values[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void setValue(RegFileStore::Key& key, RegFileStore::Value value)
{
    const qsizetype at = valuePosition(key, value.name);
    if (at >= 0) {
        key.values[at] = std::move(value);
        return;
    }
    key.values.append(std::move(value));
    if (!key.valueIndex.isEmpty()) {
        key.valueIndex.insert(folded(key.values.back().name), key.values.size() - 1);
    } else if (key.values.size() > ScannedValues) {
        key.valueIndex.reserve(key.values.size() * 2);
        for (qsizetype i = 0; i < key.values.size(); ++i)
            key.valueIndex.insert(folded(key.values[i].name), i);
    }
}

// Writing ------------------------------------------------------------------------------------

QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

// True when the quoted form would not read back as the same text: a control character (a line
// break would end the line; NUL and the others are kept out of the text lines as well), or a
// surrogate without its partner, which UTF-8 cannot encode.
bool needsHexForm(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x20)
            return true;
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return true;
            ++i;
        } else if (c.isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

QString hexForm(const QString& text)
{
    QStringList bytes;
    const QString terminated = text + QChar(0);
    for (const QChar c : terminated) {
        bytes.append(QStringLiteral("%1").arg(c.unicode() & 0xFF, 2, 16, QLatin1Char('0')));
        bytes.append(QStringLiteral("%1").arg(c.unicode() >> 8, 2, 16, QLatin1Char('0')));
    }
    return QStringLiteral("hex(1):") + bytes.join(u',');
}

QString dataText(const RegFileStore::Value& v)
{
    switch (v.kind) {
    case RegFileStore::Kind::String:
        return needsHexForm(v.text) ? hexForm(v.text) : quoted(v.text);
    case RegFileStore::Kind::Number:
        return QStringLiteral("dword:%1").arg(v.number, 8, 16, QLatin1Char('0'));
    case RegFileStore::Kind::Other:
        break;
    }
    return v.text;
}

} // namespace

// A handle on one key. Looks its key up on every call, so that a handle on a deleted key reads
// nothing and writes fail, as a registry handle on a deleted key does.
class RegFileKey final : public SettingsKey {
public:
    RegFileKey(RegFileStore& store, QString fullPath) : m_store(store), m_path(std::move(fullPath))
    {}

    bool hasValue(const QString& name) const override { return find(name) != nullptr; }

    std::optional<QString> readString(const QString& name) const override
    {
        const RegFileStore::Value* v = find(name);
        if (!v || v->kind != RegFileStore::Kind::String)
            return std::nullopt;
        return v->text;
    }

    std::optional<quint32> readNumber(const QString& name) const override
    {
        const RegFileStore::Value* v = find(name);
        if (!v || v->kind != RegFileStore::Kind::Number)
            return std::nullopt;
        return v->number;
    }

    bool writeString(const QString& name, const QString& value) override
    {
        return write({name, RegFileStore::Kind::String, value, 0});
    }

    bool writeNumber(const QString& name, quint32 value) override
    {
        return write({name, RegFileStore::Kind::Number, {}, value});
    }

private:
    const RegFileStore::Value* find(const QString& name) const
    {
        const RegFileStore::Key* key = std::as_const(m_store).findKey(m_path);
        if (!key)
            return nullptr;
        const qsizetype at = valuePosition(*key, name);
        return at >= 0 ? &key->values[at] : nullptr;
    }

    bool write(RegFileStore::Value value)
    {
        RegFileStore::Key* key = m_store.findKey(m_path);
        if (!key) {
            // A key that exists only as the parent of listed keys gets a line of its own.
            if (!m_store.keyExists(m_path))
                return false;
            key = &m_store.addKey(m_path);
        }
        setValue(*key, std::move(value));
        return true;
    }

    RegFileStore& m_store;
    QString m_path;
};

RegFileStore::RegFileStore(QString path) : m_path(std::move(path))
{
    if (QFileInfo::exists(m_path))
        loadBytes(readWholeFile(m_path));
}

void RegFileStore::loadBytes(const QByteArray& bytes)
{
    m_keys.clear();
    const QString text = decodeText(bytes);
    const QList<QStringView> lines = splitLines(text);
    const auto fail = [this](qsizetype line) {
        return Error(QStringLiteral("Line %1 of the settings file \"%2\" is not understood.")
                         .arg(line + 1)
                         .arg(QDir::toNativeSeparators(m_path)));
    };

    qsizetype i = 0;
    while (i < lines.size() && lines[i].trimmed().isEmpty())
        ++i;
    if (i == lines.size()) // an empty file is an empty store
        return;
    if (lines[i].trimmed() != Header5 && lines[i].trimmed() != Header4)
        throw Error(QStringLiteral("The settings file \"%1\" is not a registry file.")
                        .arg(QDir::toNativeSeparators(m_path)));

    Key* current = nullptr; // the key that values go to
    for (++i; i < lines.size(); ++i) {
        const qsizetype lineIndex = i;
        QStringView line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        try {
            if (line.startsWith(u'[')) {
                if (!line.endsWith(u']') || line.startsWith(u"[-"))
                    throw BadLine{};
                const QString path = line.sliced(1, line.size() - 2).toString();
                if (path.isEmpty() || path.startsWith(u'\\') || path.endsWith(u'\\'))
                    throw BadLine{};
                current = findKey(path);
                if (!current)
                    current = &addKey(path);
                continue;
            }
            if (!current)
                throw BadLine{};
            QString name;
            if (line.startsWith(u'@'))
                line = line.sliced(1);
            else
                name = readQuoted(line);
            line = line.trimmed();
            if (!line.startsWith(u'='))
                throw BadLine{};
            QString data = line.sliced(1).trimmed().toString();
            // Hex data runs on over lines that end in a backslash.
            while (data.endsWith(u'\\') && data.startsWith(u"hex", Qt::CaseInsensitive) &&
                   i + 1 < lines.size()) {
                data.chop(1);
                data += lines[++i].trimmed();
            }
            Value value = parseData(data);
            value.name = name;
            setValue(*current, std::move(value));
        } catch (const BadLine&) {
            throw fail(lineIndex);
        }
    }
}

QByteArray RegFileStore::toBytes() const
{
    std::vector<ExportedKey> keys;
    keys.reserve(m_keys.size());
    for (const auto& entry : m_keys)
        keys.push_back({exportOrder(entry.second.path), &entry.second});
    // No two keys are equal in this order (that would make them one key), so it fixes the
    // order of the file whatever the order of the map.
    std::sort(keys.begin(), keys.end(),
              [](const ExportedKey& a, const ExportedKey& b) { return a.order < b.order; });
    QString out = Header5 + u"\r\n\r\n";
    for (const ExportedKey& k : keys) {
        out += u'[' + k.key->path + u"]\r\n";
        for (const Value& v : k.key->values)
            out += (v.name.isEmpty() ? QStringLiteral("@") : quoted(v.name)) + u'=' + dataText(v) +
                   u"\r\n";
        out += u"\r\n";
    }
    return utf8Bom() + out.toUtf8();
}

std::unique_ptr<SettingsKey> RegFileStore::openKey(const QString& path, Open mode)
{
    if (path.isEmpty())
        return nullptr;
    const QString full = fullPath(path);
    if (!keyExists(full)) {
        if (mode == Open::Existing)
            return nullptr;
        addKey(full);
    }
    return std::make_unique<RegFileKey>(*this, full);
}

bool RegFileStore::deleteKey(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString full = fullPath(path);
    if (!keyExists(full))
        return true;
    const QString key = folded(full);
    m_keys.erase(key);
    const QString prefix = key + u'\\';
    auto below = firstBelow(m_keys, prefix);
    auto end = below;
    while (end != m_keys.end() && end->first.startsWith(prefix))
        ++end;
    m_keys.erase(below, end);
    // The parent stays, as it does in the registry, even when nothing else kept it listed.
    const QString parent = full.first(full.lastIndexOf(u'\\'));
    if (parent.contains(u'\\') && !keyExists(parent))
        addKey(parent);
    return true;
}

void RegFileStore::flush()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        throw FileError(FileError::Kind::Create, m_path, QStringLiteral("Cannot create folder."));
    writeWholeFile(m_path, toBytes());
}

RegFileStore::Key* RegFileStore::findKey(const QString& full)
{
    const auto it = m_keys.find(folded(full));
    return it != m_keys.end() ? &it->second : nullptr;
}

const RegFileStore::Key* RegFileStore::findKey(const QString& full) const
{
    return const_cast<RegFileStore*>(this)->findKey(full);
}

bool RegFileStore::keyExists(const QString& full) const
{
    const QString key = folded(full);
    if (m_keys.count(key) != 0)
        return true;
    const QString prefix = key + u'\\';
    const auto below = firstBelow(m_keys, prefix);
    return below != m_keys.end() && below->first.startsWith(prefix);
}

RegFileStore::Key& RegFileStore::addKey(const QString& full)
{
    // A path listed again keeps its first spelling, as the one key it is.
    return m_keys.try_emplace(folded(full), Key{full, {}, {}}).first->second;
}

} // namespace quillery
