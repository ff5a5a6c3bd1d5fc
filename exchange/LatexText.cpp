#include "exchange/LatexText.h"

#include <QString>

#include <array>
#include <optional>

namespace quillery {

namespace {

// White space as BibTeX collapses it.
bool isBibSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r' || u == u'\f' || u == u'\v';
}

// The line breaks cleanImportedRecord knows besides CR and LF.
bool isOtherLineBreak(QChar c)
{
    return c == QChar(0x85) || c == QChar(0x2028) || c == QChar(0x2029);
}

// The characters cleanImportedRecord drops (tab and line breaks aside).
bool isDroppedControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0xFEFF;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Runs of BibTeX white space as one blank, none at either end.
QString collapseSpace(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool blank = false;
    for (const QChar c : text) {
        if (isBibSpace(c)) {
            blank = !out.isEmpty();
            continue;
        }
        if (blank)
            out += u' ';
        blank = false;
        out += c;
    }
    return out;
}

// ----- LaTeX -----

struct Accent {
    char16_t command;
    char16_t mark;
};

// Accents written as a control symbol (\"o) and as a one-letter control word (\c{c}).
constexpr std::array<Accent, 7> SymbolAccents = {{
    {u'"', 0x0308},
    {u'\'', 0x0301},
    {u'`', 0x0300},
    {u'^', 0x0302},
    {u'~', 0x0303},
    {u'=', 0x0304},
    {u'.', 0x0307},
}};
constexpr std::array<Accent, 9> WordAccents = {{
    {u'u', 0x0306},
    {u'v', 0x030C},
    {u'H', 0x030B},
    {u'c', 0x0327},
    {u'k', 0x0328},
    {u'r', 0x030A},
    {u'd', 0x0323},
    {u'b', 0x0331},
    {u't', 0x0361},
}};

struct NamedText {
    const char16_t* name;
    const char16_t* text;
};

// Control words that stand for text. The spacing ones give a blank, \par and \newline a break;
// both are handled by the decoder itself.
constexpr NamedText NamedCharacters[] = {
    {u"ss", u"\u00DF"},
    {u"SS", u"SS"},
    {u"o", u"\u00F8"},
    {u"O", u"\u00D8"},
    {u"aa", u"\u00E5"},
    {u"AA", u"\u00C5"},
    {u"ae", u"\u00E6"},
    {u"AE", u"\u00C6"},
    {u"oe", u"\u0153"},
    {u"OE", u"\u0152"},
    {u"l", u"\u0142"},
    {u"L", u"\u0141"},
    {u"i", u"\u0131"},
    {u"j", u"\u0237"},
    {u"dh", u"\u00F0"},
    {u"DH", u"\u00D0"},
    {u"th", u"\u00FE"},
    {u"TH", u"\u00DE"},
    {u"ng", u"\u014B"},
    {u"NG", u"\u014A"},
    {u"dj", u"\u0111"},
    {u"DJ", u"\u0110"},
    {u"textbackslash", u"\\"},
    {u"textasciitilde", u"~"},
    {u"textasciicircum", u"^"},
    {u"textasciigrave", u"`"},
    {u"textbraceleft", u"{"},
    {u"textbraceright", u"}"},
    {u"textunderscore", u"_"},
    {u"textdollar", u"$"},
    {u"textbar", u"|"},
    {u"textless", u"<"},
    {u"textgreater", u">"},
    {u"textendash", u"\u2013"},
    {u"textemdash", u"\u2014"},
    {u"textquoteleft", u"\u2018"},
    {u"textquoteright", u"\u2019"},
    {u"textquotedblleft", u"\u201C"},
    {u"textquotedblright", u"\u201D"},
    {u"textquotesingle", u"'"},
    {u"textquotedbl", u"\""},
    {u"quotesinglbase", u"\u201A"},
    {u"quotedblbase", u"\u201E"},
    {u"guillemotleft", u"\u00AB"},
    {u"guillemotright", u"\u00BB"},
    {u"guillemetleft", u"\u00AB"},
    {u"guillemetright", u"\u00BB"},
    {u"guilsinglleft", u"\u2039"},
    {u"guilsinglright", u"\u203A"},
    {u"textexclamdown", u"\u00A1"},
    {u"textquestiondown", u"\u00BF"},
    {u"textsection", u"\u00A7"},
    {u"S", u"\u00A7"},
    {u"textparagraph", u"\u00B6"},
    {u"P", u"\u00B6"},
    {u"textcopyright", u"\u00A9"},
    {u"copyright", u"\u00A9"},
    {u"textregistered", u"\u00AE"},
    {u"texttrademark", u"\u2122"},
    {u"textdegree", u"\u00B0"},
    {u"pounds", u"\u00A3"},
    {u"textsterling", u"\u00A3"},
    {u"texteuro", u"\u20AC"},
    {u"euro", u"\u20AC"},
    {u"dag", u"\u2020"},
    {u"textdagger", u"\u2020"},
    {u"ddag", u"\u2021"},
    {u"textdaggerdbl", u"\u2021"},
    {u"dots", u"\u2026"},
    {u"ldots", u"\u2026"},
    {u"textellipsis", u"\u2026"},
    {u"textbullet", u"\u2022"},
    {u"textperiodcentered", u"\u00B7"},
    {u"textordfeminine", u"\u00AA"},
    {u"textordmasculine", u"\u00BA"},
    {u"nobreakspace", u"\u00A0"},
    {u"thinspace", u"\u2009"},
    {u"TeX", u"TeX"},
    {u"LaTeX", u"LaTeX"},
    {u"LaTeXe", u"LaTeX2e"},
    {u"BibTeX", u"BibTeX"},
};

constexpr const char16_t* BlankWords[] = {u"space", u"quad", u"qquad", u"enspace", u"enskip"};

// More accents on one letter than this are dropped: nothing real has them, and normalising a
// letter with thousands of marks is slow.
constexpr qsizetype MaxMarks = 8;

class LatexDecoder {
public:
    explicit LatexDecoder(QStringView in) : m_in(in) { m_out.reserve(in.size()); }

    QString run()
    {
        const qsizetype n = m_in.size();
        while (m_i < n) {
            const QChar c = m_in[m_i];
            if (c == u'\\') {
                command();
            } else if (c == u'{') {
                ++m_depth;
                ++m_i;
            } else if (c == u'}') {
                --m_depth;
                ++m_i;
                // An accent whose group closes before any letter has nothing to go on.
                if (!m_marks.isEmpty() && m_depth <= m_markDepth)
                    m_marks.clear();
            } else if (c == u'~') {
                text(u"\u00A0");
                ++m_i;
            } else if (c == u'-') {
                dashes();
            } else if ((c == u'`' || c == u'\'') && m_i + 1 < n && m_in[m_i + 1] == c) {
                text(c == u'`' ? u"\u201C" : u"\u201D");
                m_i += 2;
            } else if (c == u'$') {
                ++m_i; // math shift: the formula's text stays
            } else if (isBibSpace(c) || isOtherLineBreak(c)) {
                m_blank = true;
                ++m_i;
            } else if (isDroppedControl(c)) {
                ++m_i;
            } else {
                const qsizetype len =
                    c.isHighSurrogate() && m_i + 1 < n && m_in[m_i + 1].isLowSurrogate() ? 2 : 1;
                text(m_in.sliced(m_i, len));
                m_i += len;
            }
        }
        return m_out;
    }

private:
    void text(QStringView s)
    {
        if (s.isEmpty())
            return;
        if (m_blank && !m_out.isEmpty() && !m_out.endsWith(u'\n'))
            m_out += u' ';
        m_blank = false;
        if (m_marks.isEmpty()) {
            m_out += s;
            return;
        }
        const qsizetype first = s.front().isHighSurrogate() && s.size() > 1 ? 2 : 1;
        QString base = s.first(first).toString();
        // The dotless letters are what accents are put on; with the accent they are i and j.
        if (base == u"\u0131")
            base = QStringLiteral("i");
        else if (base == u"\u0237")
            base = QStringLiteral("j");
        m_out += QString(base + m_marks).normalized(QString::NormalizationForm_C);
        m_out += s.sliced(first);
        m_marks.clear();
    }

    void lineBreak()
    {
        m_marks.clear();
        m_blank = false;
        m_out += u"\r\n";
    }

    void accent(char16_t mark)
    {
        // The inner accent is nearer the letter: \"{\'o} puts the acute first.
        if (m_marks.size() < MaxMarks)
            m_marks.prepend(QChar(mark));
        m_markDepth = m_depth;
        skipSpace();
    }

    void skipSpace()
    {
        while (m_i < m_in.size() && isBibSpace(m_in[m_i]))
            ++m_i;
    }

    void dashes()
    {
        qsizetype run = 0;
        while (m_i < m_in.size() && m_in[m_i] == u'-') {
            ++run;
            ++m_i;
        }
        for (; run >= 3; run -= 3)
            text(u"\u2014");
        if (run == 2)
            text(u"\u2013");
        else if (run == 1)
            text(u"-");
    }

    void command()
    {
        ++m_i;
        if (m_i >= m_in.size()) {
            text(u"\\");
            return;
        }
        const QChar c = m_in[m_i];
        if (isAsciiLetter(c)) {
            const qsizetype start = m_i;
            while (m_i < m_in.size() && isAsciiLetter(m_in[m_i]))
                ++m_i;
            const QStringView name = m_in.sliced(start, m_i - start);
            skipSpace(); // as TeX does after a control word
            word(name);
            return;
        }
        ++m_i;
        for (const Accent& a : SymbolAccents) {
            if (c == a.command) {
                accent(a.mark);
                return;
            }
        }
        switch (c.unicode()) {
        case u'\\':
            lineBreak();
            return;
        case u' ':
        case u'\t':
        case u'\n':
        case u'\r':
        case u';':
        case u':':
            m_blank = true;
            return;
        case u',':
            text(u"\u2009");
            return;
        case u'-':
        case u'/':
        case u'@':
        case u'!':
            return;
        default:
            // \& \% \$ \# \_ \{ \} and any other escaped symbol: the symbol itself.
            if (c.isHighSurrogate() && m_i < m_in.size() && m_in[m_i].isLowSurrogate())
                text(m_in.sliced(++m_i - 2, 2));
            else if (!isDroppedControl(c))
                text(m_in.sliced(m_i - 1, 1));
            return;
        }
    }

    void word(QStringView name)
    {
        if (name.size() == 1) {
            for (const Accent& a : WordAccents) {
                if (name.front() == a.command) {
                    accent(a.mark);
                    return;
                }
            }
        }
        if (name == u"par" || name == u"newline") {
            lineBreak();
            return;
        }
        for (const NamedText& named : NamedCharacters) {
            if (name == QStringView(named.name)) {
                text(named.text);
                return;
            }
        }
        for (const char16_t* blank : BlankWords) {
            if (name == QStringView(blank)) {
                m_blank = true;
                return;
            }
        }
        // Any other command (\emph, \textit, \relax, ...): its name goes, its argument stays.
    }

    QStringView m_in;
    qsizetype m_i = 0;
    QString m_out;
    bool m_blank = false;
    QString m_marks;
    int m_depth = 0;
    int m_markDepth = 0;
};

// Whether the braces of a text pair up, so that "\{" and "\}" keep BibTeX's count balanced.
bool bracesBalance(QStringView text)
{
    int depth = 0;
    for (const QChar c : text) {
        if (c == u'{') {
            ++depth;
        } else if (c == u'}') {
            if (--depth < 0)
                return false;
        }
    }
    return depth == 0;
}

} // namespace

bool isLatexSpace(QChar c)
{
    return isBibSpace(c);
}

QString collapseLatexSpace(QStringView text)
{
    return collapseSpace(text);
}

QString decodeLatex(QStringView text)
{
    return LatexDecoder(text).run();
}

QString encodeLatex(QStringView text)
{
    const bool balanced = bracesBalance(text);
    QString out;
    out.reserve(text.size() + text.size() / 8);
    bool blank = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n' || isOtherLineBreak(c)) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += out.isEmpty() ? QStringLiteral("\\par") : QStringLiteral(" \\par");
            blank = true;
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\f' || c == u'\v') {
            blank = !out.isEmpty();
            continue;
        }
        if (isDroppedControl(c))
            continue;
        if (blank)
            out += u' ';
        blank = false;
        switch (c.unicode()) {
        case u'\\':
            out += u"\\textbackslash{}";
            break;
        case u'{':
            out += balanced ? u"\\{" : u"\\textbraceleft{}";
            break;
        case u'}':
            out += balanced ? u"\\}" : u"\\textbraceright{}";
            break;
        case u'$':
        case u'&':
        case u'%':
        case u'#':
        case u'_':
            out += u'\\';
            out += c;
            break;
        case u'~':
            out += u"\\textasciitilde{}";
            break;
        case u'^':
            out += u"\\textasciicircum{}";
            break;
        case 0x00A0:
            out += u'~';
            break;
        case u'-':
        case u'`':
        case u'\'':
            // "--" would read back as a dash, "``" and "''" as quotation marks.
            if (out.endsWith(c))
                out += u"{}";
            out += c;
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace quillery
