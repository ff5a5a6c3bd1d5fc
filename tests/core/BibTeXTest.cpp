#include "exchange/BibTeX.h"

#include "exchange/BookMapping.h"

#include "TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace quillery;

namespace {

using quillery::test::s;

BookRecord bookOf(std::initializer_list<std::pair<Field, const char*>> fields)
{
    BookRecord book;
    for (const auto& [field, text] : fields)
        book[field] = s(text);
    return book;
}

QByteArray exported(const std::vector<BookRecord>& books)
{
    return exportBibTeX(books);
}

ImportRecords imported(const QByteArray& bytes)
{
    return importBibTeX(bytes);
}

// The text of one field line of a single book's export ("" when the field is not written).
QString exportedField(const BookRecord& book, const char* name)
{
    const QString text = QString::fromUtf8(exported({book}));
    const QString start = u"  " + s(name) + u" = {";
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(start))
            return line.sliced(start.size()).chopped(line.endsWith(u',') ? 2 : 1);
    }
    return {};
}

BookRecord importedOne(const QByteArray& fields)
{
    const ImportRecords records = imported("@book{k, " + fields + "}");
    EXPECT_EQ(records.size(), 1u) << fields.constData();
    EXPECT_EQ(records.at(0).rejection, QString()) << fields.constData();
    return records.at(0).book;
}

// Books with every carried field and the characters that need care.
std::vector<BookRecord> variedBooks()
{
    return {
        bookOf({{Field::ID, "Dune"},
                {Field::Author, "Herbert, Frank"},
                {Field::Title, "Dune"},
                {Field::Subtitle, "The first book -- of \"three\""},
                {Field::Edition, "2"},
                {Field::Series, "Dune Chronicles"},
                {Field::Position, "1"},
                {Field::Publisher, "Chilton & Sons"},
                {Field::Printed, "Philadelphia"},
                {Field::YearPrinted, "1965"},
                {Field::ISBN, "978-0-441-17271-9"},
                {Field::NumPages, "412"},
                {Field::Category, "science fiction, desert"},
                {Field::Comments, "Won 50% of all awards;\r\nsee {notes} at ~/dune_1 #2 ^^ $5"},
                {Field::Language, "English"},
                {Field::YearWritten, "July 1963"},
                {Field::BookType, "Novel"},
                {Field::Rating, "5"}}),
        bookOf({{Field::ID, "Müller: Straße"},
                {Field::Author, "Müller, Jürgen; Smith, John, Jr.; Mary Ann Øster; Simon and "
                                "Schuster; World Health Organization *"},
                {Field::Title, "Ærø --- Łódź\u00a0– Ça ira \\ back}slash 😀"},
                {Field::Translator, "Ægir Þórsson; Fédération Internationale *"},
                {Field::OriginalTitle, "Ærø på dansk"},
                {Field::OriginalLanguage, "Danish"},
                {Field::Language, "German"},
                {Field::YearPrinted, "c. 1954"},
                {Field::YearWritten, "1950-03-17"}}),
        bookOf({{Field::ID, "muller-strasse"},
                {Field::Title, "Second\nline  and\ttabs"},
                {Field::YearPrinted, "May 2001"}}),
        bookOf({{Field::ID, ""}, {Field::Author, "Doe,"}, {Field::Title, "``quoted'' --x"}}),
    };
}

bool toolInstalled(const char* name)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun runTool(const QString& dir, const char* program, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromLatin1(program), arguments);
    if (!process.waitForFinished(60000))
        return {-1, process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

QStringList keysOf(const QByteArray& bib)
{
    QStringList keys;
    static const QRegularExpression entry(QStringLiteral("^@book\\{([^,]+),$"),
                                          QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& m : entry.globalMatch(QString::fromUtf8(bib)))
        keys.append(m.captured(1));
    return keys;
}

} // namespace

TEST(BibTeX, DecodesLatex)
{
    const struct {
        const char* latex;
        const char* text;
    } cases[] = {
        {"{\\\"o} \\\"{o} \\\"o {\\\" o} \\\"{\\'o}", "ö ö ö ö \u00f3\u0308"},
        {"\\'e \\`a \\^e \\~n \\=a \\.z", "é à ê ñ ā ż"},
        {"\\u{g} \\v{c} \\v c \\H{o} \\c{c} \\k{a} \\r{a} \\d{s} \\b{k} \\t{oo}",
         "ğ č č ő ç ą å ṣ ḵ o\u0361o"},
        {"\\'{\\i} \\^{\\j} \\\"\\i{}x {\\i} \\j{}", "í ĵ ïx ı ȷ"},
        {"Stra\\ss e \\ss{}x {\\o} {\\O} {\\aa} {\\AA} {\\ae} {\\AE} {\\oe} {\\OE} {\\l} \\L{}",
         "Straße ßx ø Ø å Å æ Æ œ Œ ł Ł"},
        {"{\\dh} {\\DH} {\\th} {\\TH} {\\ng} {\\NG}", "ð Ð þ Þ ŋ Ŋ"},
        {"\\& \\% \\$ \\# \\_ \\{ \\}", "& % $ # _ { }"},
        {"\\textbackslash{}x \\textasciitilde{} \\textasciicircum{} \\textbraceleft{}",
         "\\x ~ ^ {"},
        {"a~b 1--2 a---b a-{}-b ----", "a\u00a0b 1–2 a—b a--b —-"},
        {"\\textendash{} \\textemdash{} ``q'' \\textquoteleft x\\textquoteright", "– — “q” ‘x’"},
        {"one \\par two\\\\three \\\\ four", "one\r\ntwo\r\nthree\r\nfour"},
        {"{{The {Lord} of}} the {R}ings", "The Lord of the Rings"},
        {"\\emph{Dune} \\textit{x} {\\relax Ch}ristian \\unknown{} y", "Dune x Christian y"},
        {"  a \n\t b  ", "a b"},
        {"a\\", "a\\"},
        {"\\'{} x $x^2$ 10\\,000", "x x^2 10\u2009000"},
        {"𝔘 \\\"𝔘", "𝔘 𝔘\u0308"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeLatex(s(c.latex)), s(c.text)) << c.latex;
}

TEST(BibTeX, EncodesTextThatDecodesBack)
{
    const struct {
        const char* text;
        const char* latex;
    } cases[] = {
        {"a\\b", "a\\textbackslash{}b"},
        {"{x} y", "\\{x\\} y"},
        {"}{ and {", "\\textbraceright{}\\textbraceleft{} and \\textbraceleft{}"},
        {"$&%#_", "\\$\\&\\%\\#\\_"},
        {"~^", "\\textasciitilde{}\\textasciicircum{}"},
        {"a--b a---b -", "a-{}-b a-{}-{}-b -"},
        {"``q''", "`{}`q'{}'"},
        {"x\u00a0y – —", "x~y – —"},
        {"one\r\ntwo\r\n\r\nthree", "one \\par two \\par \\par three"},
        {"\\par\\\\", "\\textbackslash{}par\\textbackslash{}\\textbackslash{}"},
        {"Müller é 😀 𝔘", "Müller é 😀 𝔘"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeLatex(s(c.text)), s(c.latex)) << c.text;
        EXPECT_EQ(decodeLatex(encodeLatex(s(c.text))), s(c.text)) << c.text;
    }
    // Text not in the cleaned form is written as it will read back.
    EXPECT_EQ(encodeLatex(u"  a \t\x01 b \n c\u2028d "), s("a b \\par c \\par d"));
}

TEST(BibTeX, NamesBothWays)
{
    const struct {
        const char* field;
        const char* bibtex;
        const char* back; // the field the import gives, when not the same
    } cases[] = {
        {"Herbert, Frank", "Herbert, Frank", nullptr},
        {"Mary Smith", "Mary Smith", nullptr},
        {"World Health Organization *", "{World Health Organization}", nullptr},
        {"Smith, John, Jr.", "Smith, Jr., John", nullptr},
        {"Smith, John, Jr., III", "Smith, Jr.{,} III, John", nullptr},
        {"Smith, John,", "Smith, John{,}", nullptr},
        {"Simon and Schuster", "Simon {and} Schuster", nullptr},
        {"Barnes AND Noble, Sue", "Barnes {AND} Noble, Sue", nullptr},
        {"Doe, John; Mary Smith", "Doe, John and Mary Smith", nullptr},
        {"Smith,", "Smith", "Smith"},
        {"others,", "{others}", "others *"},
        {"Tom & Jerry *", "{Tom \\& Jerry}", nullptr},
        {"{Braced}, A.", "\\{Braced\\}, A.", nullptr},
        {"others", "{others}", "others *"},
        {", John", "John", "John"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exportedField(bookOf({{Field::Author, c.field}}), "author"), s(c.bibtex))
            << c.field;
        EXPECT_EQ(importedOne("author = {" + QByteArray(c.bibtex) + "}")[Field::Author],
                  s(c.back ? c.back : c.field))
            << c.bibtex;
    }
    // Only read: what other programs write.
    const struct {
        const char* bibtex;
        const char* field;
    } read[] = {
        {"Doe, John and others", "Doe, John"},
        {"{\\\"O}zil, Mesut AND Ludwig van Beethoven", "Özil, Mesut; Ludwig van Beethoven"},
        {"{Barnes {and} Noble} and  and de la Fontaine, Jean", "Barnes and Noble *; de la "
                                                               "Fontaine, Jean"},
        {"Doe, Jr, John, Paul", "Doe, John, Paul, Jr"},
        {"A; B*, C", "A B, C"},
        // Found by fuzzing: read as the export will write them back.
        {"Herbert, F{,}x", "Herbert, F, x"},
        {"Herbert, Jr.; WHO *;, F", "Herbert, F, Jr. WHO"},
        {"Doe and ot\x01hers", "Doe"},
    };
    for (const auto& c : read)
        EXPECT_EQ(importedOne("author = {" + QByteArray(c.bibtex) + "}")[Field::Author], s(c.field))
            << c.bibtex;
}

TEST(BibTeX, MapsFieldsOnImport)
{
    const struct {
        const char* fields;
        Field field;
        const char* value;
    } cases[] = {
        {"editor = {Doe, Jane}", Field::Author, "Doe, Jane"},
        {"author = {A, B}, editor = {Doe, Jane}", Field::Author, "A, B"},
        {"translator = {Doe, Jane}", Field::Translator, "Doe, Jane"},
        {"booktitle = {The Book}", Field::Title, "The Book"},
        {"title = {Part}, booktitle = {The Book}", Field::Title, "Part"},
        {"volume = 3", Field::Position, "3"},
        {"number = 2, volume = 3", Field::Position, "2"},
        {"address = {London}", Field::Printed, "London"},
        {"location = {Paris}, address = {London}", Field::Printed, "Paris"},
        {"pages = {412}", Field::NumPages, "412"},
        {"pages = {12--14}", Field::NumPages, ""},
        {"pagetotal = {xii, 412}, pages = 3", Field::NumPages, "xii, 412"},
        {"date = {1954/1955}", Field::YearPrinted, "1954"},
        {"date = {1954-07-29}, year = 1990", Field::YearPrinted, "1954-07-29"},
        {"year = 1954, month = jul", Field::YearPrinted, "1954-07"},
        {"year = 1954, month = {7}", Field::YearPrinted, "1954-07"},
        {"year = 1954, month = {Sept.}", Field::YearPrinted, "1954-09"},
        {"year = 1954, month = {13}", Field::YearPrinted, "1954"},
        {"year = {c. 1954}, month = jul", Field::YearPrinted, "c. 1954"},
        {"year = {Juli 1954}", Field::YearPrinted, "1954-07"},
        {"origdate = {1605/1615}", Field::YearWritten, "1605"},
        {"origdate = {about 1600}", Field::YearWritten, "about 1600"},
        {"note = {A}, annote = {C}, annotation = {B}", Field::Comments, "A\r\nB\r\nC"},
        {"title = {Two \\par lines}", Field::Title, "Two lines"},
        {"keywords = {sf, desert}", Field::Category, "sf, desert"},
        {"language = {german}, origlanguage = {french}", Field::OriginalLanguage, "french"},
        {"origtitle = {L'\\'Etranger}", Field::OriginalTitle, "L'Étranger"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importedOne(c.fields)[c.field], s(c.value)) << c.fields;
    // The key is no name: an import names the book "Author - Title".
    EXPECT_EQ(importedOne("title = {x}")[Field::ID], QString());
}

TEST(BibTeX, ParsesTheGrammar)
{
    struct Record {
        const char* location;
        const char* title;
        const char* rejection = "";
    };
    const struct {
        const char* name;
        QByteArray bib;
        std::vector<Record> records;
    } cases[] = {
        {"abbreviations and concatenation",
         "@string{pub = \"Chilton\"}\n@STRING(Ed = {Ace})\n"
         "@book{k, title = \"Dune\" # { } # 1965, publisher = pub # \" \" # ED # nope}",
         {{"line 3 (k)", "Dune 1965"}}},
        {"quotes and braces",
         "@book{k, title = \"A {\"}quoted{\"} {title}\"}",
         {{"line 1 (k)", "A \"quoted\" title"}}},
        {"text and comments between entries",
         "% comment\nsome text, me@example.org\n@book{a, title={A}}\ntext\n"
         "@comment{@book{x, title = {X}}}\n@comment this line @book{z, title={Z}}\n"
         "@preamble{\"\\newcommand{\\x}{y}\" # pub}\n@book{b,title={B},}",
         {{"line 3 (a)", "A"}, {"line 8 (b)", "B"}}},
        {"parentheses",
         "@book(p, title = {P (1)})\n@book{q, title = {)}}",
         {{"line 1 (p)", "P (1)"}, {"line 2 (q)", ")"}}},
        {"first of duplicate fields, any case",
         "@BOOK{k, Title = {First}, TITLE = {Second}}",
         {{"line 1 (k)", "First"}}},
        {"no key", "@book{title = {No key}}", {{"line 1", "No key"}}},
        {"other types",
         "@Article{x, title = {T}}\n@misc(y)\n@InCollection{z, booktitle = {B}}",
         {{"line 1 (x)", "T", "@article is not a book."},
          {"line 2 (y)", "", "@misc is not a book."},
          {"line 3 (z)", "B"}}},
        {"a broken entry between good ones",
         "@book{a, title = {A}}\n\n@book{broken,\n  title {B}}\n@book{c, title = {C}}",
         {{"line 1 (a)", "A"},
          {"line 3 (broken)", "", "syntax error: expected \"=\" after the field name \"title\""},
          {"line 5 (c)", "C"}}},
        {"a value not closed",
         "@book{a, title = {Bro{ken}\n@book{b, title = {Good}}\n@book{c, title = {x",
         {{"line 1 (a)", "", "the entry is not closed before the end of the file"},
          {"line 2 (b)", "Good"},
          {"line 3 (c)", "", "the entry is not closed before the end of the file"}}},
        {"a missing comma",
         "@book{a, title = {A} year = 1}\n @book{b, title = \"B\"}",
         {{"line 1 (a)", "",
           "syntax error: expected \",\" or \"}\" after the value of \"title\", found \"y\""},
          {"line 2 (b)", "B"}}},
        {"an entry broken by the next one on its line",
         "@book{a, title = {A} @book{b, title = {B}}\n@book{c, title = {C}}",
         {{"line 1 (a)", "",
           "syntax error: expected \",\" or \"}\" after the value of \"title\", found \"@\""},
          {"line 1 (b)", "B"},
          {"line 2 (c)", "C"}}},
        {"an entry that is no entry",
         "@book title\n@book{a, title={A}}\n@{x}",
         {{"line 1", "", "syntax error: expected \"{\" or \"(\" after \"@book\""},
          {"line 2 (a)", "A"},
          {"line 3", "", "syntax error: expected an entry type after \"@\""}}},
        {"CR LF and a byte-order mark",
         "\xEF\xBB\xBF@book{a,\r\n  title = {A\r\n  B}}\r\n\r\n@book{b, title={\xC4\xB0x \xE9}}",
         {{"line 1 (a)", "A B"}, {"line 5 (b)", "İx é"}}},
    };
    for (const auto& c : cases) {
        const ImportRecords records = imported(c.bib);
        ASSERT_EQ(records.size(), c.records.size()) << c.name;
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].location, s(c.records[i].location)) << c.name;
            EXPECT_EQ(records[i].book[Field::Title], s(c.records[i].title)) << c.name;
            EXPECT_EQ(records[i].rejection, s(c.records[i].rejection)) << c.name;
        }
    }
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("hello\n@ world, a@b.org"), QByteArray("\x00\xff\xfe{}", 5)})
        EXPECT_THROW(imported(bytes), ImportError) << bytes.constData();
}

TEST(BibTeX, HostileInputNeitherCrashesNorHangs)
{
    const QByteArray open(100000, '{');
    const ImportRecords records =
        imported("@book{k, title = " + open + "x}\n@book{j, title=" + open + "y" +
                 QByteArray(100000, '}') + "}");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].rejection, s("the entry is not closed before the end of the file"));
    EXPECT_EQ(records[1].book[Field::Title], s("y"));
    EXPECT_EQ(decodeLatex(QString(QString(100000, u'{') + u"\\\"" + QString(100000, u'{') + u'a')),
              s("ä"));
    // Abbreviations that double at every step stop growing.
    QByteArray doubling = "@string{a0 = \"xx\"}\n";
    for (int i = 1; i < 64; ++i)
        doubling += "@string{a" + QByteArray::number(i) + " = a" + QByteArray::number(i - 1) +
                    " # a" + QByteArray::number(i - 1) + "}\n";
    EXPECT_LT(imported(doubling + "@book{k, title = a63}").at(0).book[Field::Title].size(),
              10000000);
    // Every entry left open swallows the rest of the file; reading them all again is cut short.
    const ImportRecords unclosed = imported(QByteArray("@book{k, title = {x\n").repeated(100000));
    EXPECT_LT(unclosed.size(), 1000u);
    EXPECT_EQ(unclosed.back().rejection, s("the rest of the file is too damaged to read"));
}

TEST(BibTeX, ExportsExactBytes)
{
    const std::vector<BookRecord> books = {
        bookOf({{Field::ID, "Dune"},
                {Field::Author, "Herbert, Frank"},
                {Field::Title, "Dune"},
                {Field::Publisher, "Chilton"},
                {Field::YearPrinted, "1965"},
                {Field::Comments, "First of six;\r\n50% sand"},
                {Field::Rating, "5"}}),
        bookOf({{Field::ID, "Müller"},
                {Field::Author, "WHO *; Smith, John, Jr."},
                {Field::Title, "Ærø -- a_b"},
                {Field::YearPrinted, "c. 1900"},
                {Field::YearWritten, "1890-05"},
                {Field::Translator, "Mary Smith"}}),
        bookOf({{Field::ID, "muller"}}),
    };
    EXPECT_EQ(test::visible(exported(books)),
              test::visible("@book{Dune,\n"
                            "  author = {Herbert, Frank},\n"
                            "  title = {Dune},\n"
                            "  publisher = {Chilton},\n"
                            "  date = {1965},\n"
                            "  note = {First of six; \\par 50\\% sand}\n"
                            "}\n"
                            "\n"
                            "@book{Muller,\n"
                            "  author = {{WHO} and Smith, Jr., John},\n"
                            "  title = {Ærø -{}- a\\_b},\n"
                            "  year = {c. 1900},\n"
                            "  translator = {Mary Smith},\n"
                            "  origdate = {1890-05}\n"
                            "}\n"
                            "\n"
                            "@book{muller-2,\n"
                            "}\n"));
}

TEST(BibTeX, KeysAreAsciiAndUnique)
{
    const struct {
        const char* name;
        const char* key;
    } cases[] = {
        {"Müller", "Muller"}, {"Straße", "Strasse"},     {"Ærø œuvre", "AEro-oeuvre"},
        {"Łódź", "Lodz"},     {"Þórr đ ı", "THorr-d-i"}, {"  --Dune!! 1965--", "Dune-1965"},
        {"", "book"},         {"Война и мир", "book-2"}, {"ﬁne ²", "fine-2"},
        {"a/b:c", "a-b-c"},   {"DUNE", "DUNE"},          {"dune 2", "dune-2"},
        {"Dune", "Dune-3"},
    };
    std::vector<BookRecord> books;
    for (const auto& c : cases)
        books.push_back(bookOf({{Field::ID, c.name}}));
    const QStringList keys = keysOf(exported(books));
    ASSERT_EQ(keys.size(), qsizetype(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(keys[qsizetype(i)], s(cases[i].key)) << cases[i].name;
}

TEST(BibTeX, ExportImportExportGivesTheSameBytes)
{
    const QByteArray first = exported(variedBooks());
    std::vector<BookRecord> back;
    for (ImportRecord& record : imported(first)) {
        EXPECT_EQ(record.rejection, QString()) << record.location.toStdString();
        cleanImportedRecord(record.book);
        // Keys are made from the books' names, which BibTeX does not carry.
        record.book[Field::ID] = variedBooks()[back.size()][Field::ID];
        back.push_back(record.book);
    }
    EXPECT_EQ(test::visible(exported(back)), test::visible(first));
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[0][Field::Comments], variedBooks()[0][Field::Comments]);
    EXPECT_EQ(back[1][Field::Title], variedBooks()[1][Field::Title]);
    EXPECT_EQ(back[1][Field::Author], variedBooks()[1][Field::Author]);
}

TEST(BibTeX, BibTeXReadsTheExport)
{
    if (!toolInstalled("bibtex"))
        GTEST_SKIP() << "bibtex is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray bib = exported(variedBooks());
    test::writeBytes(dir.filePath(QStringLiteral("books.bib")), bib);
    test::writeBytes(dir.filePath(QStringLiteral("books.aux")),
                     "\\citation{*}\n\\bibdata{books}\n\\bibstyle{plain}\n");
    const ToolRun run = runTool(dir.path(), "bibtex", {QStringLiteral("books")});
    EXPECT_LT(run.exitCode, 2) << run.output.toStdString();
    for (const QString& line : run.output.split(u'\n'))
        EXPECT_FALSE(line.contains(u"error", Qt::CaseInsensitive)) << line.toStdString();
    const QString bbl =
        QString::fromUtf8(test::readBytes(dir.filePath(QStringLiteral("books.bbl"))));
    for (const QString& key : keysOf(bib))
        EXPECT_TRUE(bbl.contains(u"\\bibitem{" + key + u'}')) << key.toStdString();
}

TEST(BibTeX, PandocCitesTheExport)
{
    if (!toolInstalled("pandoc"))
        GTEST_SKIP() << "pandoc is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<BookRecord> books = variedBooks();
    const QByteArray bib = exported(books);
    test::writeBytes(dir.filePath(QStringLiteral("books.bib")), bib);
    QByteArray markdown;
    for (const QString& key : keysOf(bib))
        markdown += "Cited [@" + key.toUtf8() + "].\n\n";
    test::writeBytes(dir.filePath(QStringLiteral("cite.md")), markdown);
    const ToolRun run =
        runTool(dir.path(), "pandoc",
                {QStringLiteral("--citeproc"), QStringLiteral("--bibliography"),
                 QStringLiteral("books.bib"), QStringLiteral("-t"), QStringLiteral("plain"),
                 QStringLiteral("--wrap=none"), QStringLiteral("cite.md")});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    // The citation style sets titles in title case, pandoc makes no-break spaces and quotes its
    // own and drops \textbraceleft and \textbraceright (unpaired braces): compare words without
    // braces, ignoring case.
    const auto words = [](QString text) {
        text.replace(QChar(0x00A0), u' ');
        text.remove(u'{');
        text.remove(u'}');
        return text.simplified();
    };
    const QString output = words(run.output);
    for (const BookRecord& book : books) {
        BookRecord clean = book;
        cleanImportedRecord(clean);
        if (!clean[Field::Title].contains(u'`')) {
            EXPECT_TRUE(output.contains(words(clean[Field::Title]), Qt::CaseInsensitive))
                << clean[Field::Title].toStdString() << "\n"
                << run.output.toStdString();
        }
        for (const AuthorEntry& name : namesOf(clean[Field::Author])) {
            const QString family = name.kind == AuthorKind::PersonFamilyGiven ? name.familyName
                                   : name.kind == AuthorKind::Organisation
                                       ? name.name
                                       : splitFreeFormName(name.name).family;
            EXPECT_TRUE(output.contains(family)) << family.toStdString() << "\n"
                                                 << run.output.toStdString();
        }
    }
}
