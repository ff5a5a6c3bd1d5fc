#include "tools/langs/LangsGenerator.h"

#include "base/FileIo.h"

#include <QDir>
#include <QStringList>

#include <utility>
#include <vector>

namespace quillery::tools {

namespace {

// A JSON value as far as the registry package uses it: a string, a list of strings or an object
// whose members keep their order (QJsonObject sorts its keys, and the order of the fields is
// part of the table).
struct Member;
struct Value {
    enum class Kind { String, Array, Object, Other } kind = Kind::Other;
    QString string;
    std::vector<Value> items;
    // A vector of a type still incomplete here (std::pair<QString, Value> is not accepted by
    // every compiler, as Value is not complete yet).
    std::vector<Member> members;
};
struct Member {
    QString name;
    Value value;
};

class Reader {
public:
    explicit Reader(const QByteArray& text) : m_text(QString::fromUtf8(text)) {}

    Value document()
    {
        Value v = value();
        skipSpace();
        if (m_pos != m_text.size())
            fail("text after the value");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) const
    {
        throw GeneratorError(std::string("malformed JSON at offset ") + std::to_string(m_pos) +
                             ": " + what);
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' ||
                                         m_text[m_pos] == u'\n' || m_text[m_pos] == u'\r'))
            ++m_pos;
    }

    bool take(char16_t c)
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    void expect(char16_t c, const char* what)
    {
        if (!take(c))
            fail(what);
    }

    Value value()
    {
        skipSpace();
        if (m_pos >= m_text.size())
            fail("missing value");
        const char16_t c = m_text[m_pos].unicode();
        Value v;
        if (c == u'"') {
            v.kind = Value::Kind::String;
            v.string = string();
        } else if (c == u'[') {
            v.kind = Value::Kind::Array;
            ++m_pos;
            if (!take(u']')) {
                do
                    v.items.push_back(value());
                while (take(u','));
                expect(u']', "expected ']'");
            }
        } else if (c == u'{') {
            v.kind = Value::Kind::Object;
            ++m_pos;
            if (!take(u'}')) {
                do {
                    skipSpace();
                    QString key = string();
                    expect(u':', "expected ':'");
                    v.members.push_back(Member{std::move(key), value()});
                } while (take(u','));
                expect(u'}', "expected '}'");
            }
        } else {
            // Numbers and literals: the registry has none, but skip them soundly.
            while (m_pos < m_text.size() && QStringLiteral(",]} \t\r\n").indexOf(m_text[m_pos]) < 0)
                ++m_pos;
        }
        return v;
    }

    QString string()
    {
        if (m_pos >= m_text.size() || m_text[m_pos] != u'"')
            fail("expected a string");
        ++m_pos;
        QString out;
        while (true) {
            if (m_pos >= m_text.size())
                fail("unterminated string");
            const QChar c = m_text[m_pos++];
            if (c == u'"')
                return out;
            if (c.unicode() < 0x20)
                fail("control character in a string");
            if (c != u'\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                fail("unterminated escape");
            const QChar e = m_text[m_pos++];
            switch (e.unicode()) {
            case u'"':
            case u'\\':
            case u'/':
                out += e;
                break;
            case u'b':
                out += u'\b';
                break;
            case u'f':
                out += u'\f';
                break;
            case u'n':
                out += u'\n';
                break;
            case u'r':
                out += u'\r';
                break;
            case u't':
                out += u'\t';
                break;
            case u'u': {
                if (m_pos + 4 > m_text.size())
                    fail("short \\u escape");
                bool ok = false;
                const uint unit = m_text.mid(m_pos, 4).toUInt(&ok, 16);
                if (!ok)
                    fail("bad \\u escape");
                m_pos += 4;
                out += QChar(char16_t(unit));
                break;
            }
            default:
                fail("unknown escape");
            }
        }
    }

    QString m_text;
    qsizetype m_pos = 0;
};

const Value* member(const Value& object, QStringView key)
{
    for (const auto& [name, v] : object.members) {
        if (name == key)
            return &v;
    }
    return nullptr;
}

void appendLine(QByteArray& out, const QString& name, const QString& value)
{
    // A value is one line of the table; a line break inside it would start a field of its own.
    if (value.contains(u'\n') || value.contains(u'\r'))
        throw GeneratorError("a value of field " + name.toStdString() + " holds a line break");
    out += name.toUtf8();
    out += ": ";
    out += value.toUtf8();
    out += "\r\n";
}

QByteArray readPackageFile(const QString& packageDir, const QString& name)
{
    return readWholeFile(QDir(packageDir).filePath(QStringLiteral("data/json/") + name));
}

} // namespace

QByteArray generateLangs(const QByteArray& registryJson, const QByteArray& metaJson)
{
    const Value meta = Reader(metaJson).document();
    const Value* fileDate = meta.kind == Value::Kind::Object ? member(meta, u"File-Date") : nullptr;
    if (!fileDate || fileDate->kind != Value::Kind::String)
        throw GeneratorError("meta.json has no File-Date");

    const Value registry = Reader(registryJson).document();
    if (registry.kind != Value::Kind::Array)
        throw GeneratorError("registry.json is not a list of records");

    QByteArray out;
    out.reserve(800 * 1024);
    appendLine(out, QStringLiteral("File-Date"), fileDate->string);
    for (const Value& record : registry.items) {
        if (record.kind != Value::Kind::Object)
            throw GeneratorError("a record of registry.json is not an object");
        out += "%%\r\n";
        for (const auto& [name, v] : record.members) {
            if (v.kind == Value::Kind::String) {
                appendLine(out, name, v.string);
            } else if (v.kind == Value::Kind::Array) {
                for (const Value& item : v.items) {
                    if (item.kind != Value::Kind::String)
                        throw GeneratorError("a list entry of " + name.toStdString() +
                                             " is not a string");
                    appendLine(out, name, item.string);
                }
            } else {
                throw GeneratorError("field " + name.toStdString() + " is neither text nor list");
            }
        }
    }
    return out;
}

QByteArray generateLangsFromPackage(const QString& packageDir)
{
    return generateLangs(readPackageFile(packageDir, QStringLiteral("registry.json")),
                         readPackageFile(packageDir, QStringLiteral("meta.json")));
}

} // namespace quillery::tools
