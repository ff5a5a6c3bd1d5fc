#include "format/FormatEngine.h"

#include "base/IntegerText.h"
#include "format/ValueRules.h"
#include "markup/HtmlText.h"
#include "markup/Microdata.h"

#include <vector>

namespace quillery {

namespace {

QString positionText(qsizetype position)
{
    return QString::number(position);
}

[[noreturn]] void failToken(const QString& token, qsizetype position)
{
    throw FormatError(QStringLiteral("Invalid token starting with ") + token + u" at " +
                          positionText(position) + u'.',
                      int(position));
}

bool isValueCode(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'F' || u == u'I' || FieldTable::rowByCode(u) != nullptr;
}

// The text with every doubled quotation mark made single; the view itself when it has none.
QStringView undoubledMarks(QStringView text, QString& buffer)
{
    if (!text.contains(u'"'))
        return text;
    buffer.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        buffer += text[k];
        if (text[k] == u'"' && k + 1 < text.size() && text[k + 1] == u'"')
            ++k;
    }
    return buffer;
}

// One run of the interpreter over one format, and the link runs nested in it.
class Interpreter {
public:
    Interpreter(const BookRecord& record, const FormatContext& context)
        : m_record(record), m_context(context)
    {}

    QString run(QStringView format, FormatMode mode, int depth);

private:
    enum class Join { Plain, Paren, Dash, Period, Comma, Affix };

    QString rawValue(QChar code) const;
    QString value(QChar code, FormatMode mode) const;
    QString link(QStringView digits, int depth);
    void join(QString& out, Join how, const QString& v, QStringView prefix = {},
              QStringView suffix = {}) const;

    const BookRecord& m_record;
    const FormatContext& m_context;
    std::vector<bool> m_activeLinks; // templates being formatted right now, to stop cycles
    int m_linkRuns = 0;              // link runs made so far, nested ones included
};

QString Interpreter::rawValue(QChar code) const
{
    switch (code.unicode()) {
    case u'F':
        return fullTitle(m_record[Field::Title], m_record[Field::Subtitle],
                         m_context.subtitleSeparator);
    case u'I':
        return unformattedIsbn(m_record[Field::ISBN]);
    default:
        return m_record[FieldTable::rowByCode(code.unicode())->field];
    }
}

QString Interpreter::value(QChar code, FormatMode mode) const
{
    const QString raw = rawValue(code);
    if (mode == FormatMode::Link)
        return UrlEncode(raw);
    return MarkupField(code.unicode(), raw, m_record, m_context);
}

void Interpreter::join(QString& out, Join how, const QString& v, QStringView prefix,
                       QStringView suffix) const
{
    if (v.isEmpty())
        return;
    switch (how) {
    case Join::Plain:
        out += v;
        break;
    case Join::Paren:
        out += u" (";
        out += v;
        out += u')';
        break;
    case Join::Dash:
        out += dashString(m_context.dashChar, m_context.dashSpaced);
        out += v;
        break;
    case Join::Period:
    case Join::Comma:
        if (!out.isEmpty())
            out += how == Join::Period ? u". " : u", ";
        out += v;
        break;
    case Join::Affix:
        out += prefix;
        out += v;
        out += suffix;
        break;
    }
}

QString Interpreter::link(QStringView digits, int depth)
{
    const int k = integerOrThrow(digits);
    if (k < 0 || k >= m_context.dataLinkTemplates.size())
        throw FormatError(QStringLiteral("Undeclared database link ") + digits + u'.');
    const QString name = QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0'));
    // Made at the first link: most references have none, and a report makes one per book.
    if (m_activeLinks.empty())
        m_activeLinks.resize(size_t(m_context.dataLinkTemplates.size()), false);
    if (m_activeLinks[size_t(k)])
        throw FormatError(QStringLiteral("The database link ") + name + u" refers to itself.");
    if (depth >= FormatEngine::MaxLinkDepth || ++m_linkRuns > FormatEngine::MaxLinkRuns)
        throw FormatError(QStringLiteral("The database link ") + name + u" is nested too deeply.");
    m_activeLinks[size_t(k)] = true;
    QString text = run(m_context.dataLinkTemplates[k], FormatMode::Link, depth + 1);
    m_activeLinks[size_t(k)] = false;
    return text;
}

QString Interpreter::run(QStringView f, FormatMode mode, int depth)
{
    const qsizetype n = f.size();
    QString out;
    out.reserve(n + n / 2 + 64);
    const bool reference = mode == FormatMode::Reference;

    // i is 0-based here; messages add 1.
    qsizetype i = 0;
    while (i < n) {
        const QChar c = f[i];
        const bool hasNext = i + 1 < n;
        if (c == u'%' && hasNext) {
            const QChar ch = f[i + 1];
            switch (ch.unicode()) {
            case u'%':
            case u'(':
            case u'.':
            case u',':
            case u'"':
                out += ch;
                i += 2;
                continue;
            case u'-':
                out += m_context.dashChar;
                i += 2;
                continue;
            case u'x': {
                if (i + 5 >= n)
                    failToken(QStringLiteral("%x"), i + 1);
                // Four characters hold at most four digits, so the value is one UTF-16 code unit.
                out += QChar(char16_t(readBase16(f.sliced(i + 2, 4))));
                i += 6;
                continue;
            }
            case u'L': {
                if (i + 4 >= n)
                    failToken(QStringLiteral("%L"), i + 1);
                join(out, Join::Plain, link(f.sliced(i + 2, 3), depth));
                i += 5;
                continue;
            }
            default:
                break;
            }
            if (ch >= u'0' && ch <= u'9') {
                if (i + 4 >= n)
                    failToken(QString(u'%') + ch, i + 1);
                out += QChar(char16_t(integerOrThrow(f.sliced(i + 1, 4))));
                i += 5;
                continue;
            }
            if (!isValueCode(ch))
                failToken(QString(u'%') + ch, i + 1);
            join(out, Join::Plain, value(ch, mode));
            i += 2;
            continue;
        }
        if (reference && hasNext && (c == u'(' || c == u'-' || c == u'.' || c == u',')) {
            const Join how = c == u'('   ? Join::Paren
                             : c == u'-' ? Join::Dash
                             : c == u'.' ? Join::Period
                                         : Join::Comma;
            const QChar ch = f[i + 1];
            if (ch == u'L') {
                if (i + 4 >= n)
                    failToken(QString(c) + u'L', i + 1);
                join(out, how, link(f.sliced(i + 2, 3), depth));
                i += 5;
                continue;
            }
            if (!isValueCode(ch))
                failToken(QString(c) + ch, i + 1);
            join(out, how, value(ch, mode));
            i += 2;
            continue;
        }
        if (reference && hasNext && c == u'"') {
            const qsizetype open = i; // 0-based position of the opening mark
            const QString at = positionText(open + 1);
            qsizetype j = open;
            for (;;) {
                j = f.indexOf(u'"', j + 1);
                if (j < 0)
                    throw FormatError(QStringLiteral("Unterminated string starting at ") + at +
                                          u'.',
                                      int(open + 1));
                if (j == n - 1)
                    break;
                if (f[j + 1] != u'"')
                    break;
                ++j;
            }
            if (j == n - 1)
                throw FormatError(QStringLiteral("Identifier expected after conditional string "
                                                 "starting at ") +
                                      at + u'.',
                                  int(open + 1));
            const QStringView s = f.sliced(open + 1, j - open - 1);
            const qsizetype bar = s.indexOf(u'|');
            // Doubled marks are undone only after the split, so a '|' cannot be escaped.
            QString prefixBuffer;
            QString suffixBuffer;
            const QStringView prefix = undoubledMarks(bar < 0 ? s : s.first(bar), prefixBuffer);
            const QStringView suffix =
                undoubledMarks(bar < 0 ? QStringView() : s.sliced(bar + 1), suffixBuffer);
            const QChar ch = f[j + 1];
            if (ch == u'L') {
                if (j + 4 >= n)
                    failToken(QStringLiteral("\"string\"L"), open + 1);
                join(out, Join::Affix, link(f.sliced(j + 2, 3), depth), prefix, suffix);
                i = j + 5;
                continue;
            }
            if (!isValueCode(ch))
                throw FormatError(QStringLiteral("Invalid token ") + ch +
                                      u" in conditional string starting at " + at + u'.',
                                  int(open + 1));
            join(out, Join::Affix, value(ch, mode), prefix, suffix);
            i = j + 2;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace

namespace FormatEngine {

QString formatRecord(QStringView format, const BookRecord& record, const FormatContext& context)
{
    Interpreter interpreter(record, context);
    return interpreter.run(format, context.mode, 0);
}

} // namespace FormatEngine

void buildDataLinks(const BookRecord& record, const FormatContext& context, QStringList& lines)
{
    FormatContext linkContext = context;
    linkContext.mode = FormatMode::Link;
    for (const QString& line : context.dataLinkTemplates)
        lines.append(FormatEngine::formatRecord(line, record, linkContext));
}

} // namespace quillery
