#include "settings/RegFileStore.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/TextCodec.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace quillery {

namespace {

const QLatin1StringView CurrentUserRoot("HKEY_CURRENT_USER");
const QLatin1StringView Header5("Windows Registry Editor Version 5.00");
const QLatin1StringView Header4("REGEDIT4");

bool samePath(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// True when `path` lies below `ancestor`.
bool isBelow(QStringView path, QStringView ancestor)
{
    return path.size() > ancestor.size() + 1 && path[ancestor.size()] == u'\\' &&
           samePath(path.first(ancestor.size()), ancestor);
}

QString fullPath(const QString& path)
{
    return CurrentUserRoot + u'\\' + path;
}

// Orders keys as the Registry Editor exports them: depth first, siblings by name ignoring case.
bool keyOrder(const RegFileStore::Key& a, const RegFileStore::Key& b)
{
    const QList<QStringView> pa = QStringView(a.path).split(u'\\');
    const QList<QStringView> pb = QStringView(b.path).split(u'\\');
    for (qsizetype i = 0; i < pa.size() && i < pb.size(); ++i) {
        const int c = pa[i].compare(pb[i], Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
    }
    return pa.size() < pb.size();
}

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

void setValue(RegFileStore::Key& key, RegFileStore::Value value)
{
    for (RegFileStore::Value& v : key.values) {
        if (samePath(v.name, value.name)) {
            v = std::move(value);
            return;
        }
    }
    key.values.append(std::move(value));
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

bool needsHexForm(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
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
        for (const RegFileStore::Value& v : key->values) {
            if (samePath(v.name, name))
                return &v;
        }
        return nullptr;
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

    qsizetype current = -1; // index of the key that values go to
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
                Key* key = findKey(path);
                if (!key)
                    key = &addKey(path);
                current = key - m_keys.data();
                continue;
            }
            if (current < 0)
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
            setValue(m_keys[current], std::move(value));
        } catch (const BadLine&) {
            throw fail(lineIndex);
        }
    }
}

QByteArray RegFileStore::toBytes() const
{
    QList<Key> keys = m_keys;
    std::stable_sort(keys.begin(), keys.end(), keyOrder);
    QString out = Header5 + u"\r\n\r\n";
    for (const Key& key : keys) {
        out += u'[' + key.path + u"]\r\n";
        for (const Value& v : key.values)
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
    m_keys.removeIf([&](const Key& k) { return samePath(k.path, full) || isBelow(k.path, full); });
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
    for (Key& k : m_keys) {
        if (samePath(k.path, full))
            return &k;
    }
    return nullptr;
}

const RegFileStore::Key* RegFileStore::findKey(const QString& full) const
{
    return const_cast<RegFileStore*>(this)->findKey(full);
}

bool RegFileStore::keyExists(const QString& full) const
{
    return std::any_of(m_keys.begin(), m_keys.end(), [&](const Key& k) {
        return samePath(k.path, full) || isBelow(k.path, full);
    });
}

RegFileStore::Key& RegFileStore::addKey(const QString& full)
{
    m_keys.append(Key{full, {}});
    return m_keys.back();
}

} // namespace quillery
