// The window's texts all go through Qt's translation system, and the translations are complete:
// a source scan of ui/ finds every string literal that reaches the user untranslated, the .ts
// files have every entry finished with the source's placeholders and accelerator, and lupdate run
// over the sources finds nothing new to translate.

#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using quillery::test::s;

namespace {

struct Literal {
    int line;
    QString text;
    QString call; // the call the literal is an argument of, past QStringLiteral and its kind
};

// The string literals of a C++ source, adjacent ones joined, each with the call it is passed to.
QList<Literal> literals(const QString& source)
{
    // Comments and the insides of literals blanked, so brackets in them do not count.
    QString code = source;
    QList<std::pair<qsizetype, qsizetype>> spans;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code.mid(i, 2) == u"//" || code.mid(i, 2) == u"/*") {
            const bool line = code[i + 1] == u'/';
            qsizetype end = code.indexOf(line ? u"\n" : u"*/", i);
            end = end < 0 ? code.size() : end + (line ? 0 : 2);
            for (qsizetype k = i; k < end; ++k)
                if (code[k] != u'\n')
                    code[k] = u' ';
            i = end - 1;
        } else if (code[i] == u'"' || code[i] == u'\'') {
            const QChar quote = code[i];
            qsizetype end = i + 1;
            while (code[end] != quote)
                end += code[end] == u'\\' ? 2 : 1;
            for (qsizetype k = i + 1; k < end; ++k)
                code[k] = u' ';
            if (quote == u'"') {
                if (!spans.isEmpty() &&
                    code.sliced(spans.last().second, i - spans.last().second).trimmed().isEmpty())
                    spans.last().second = end + 1;
                else
                    spans.append({i, end + 1});
            }
            i = end;
        }
    }
    static const QSet<QString> wrappers{s("QStringLiteral"), s("QLatin1String"), s("QString"),
                                        s("fromUtf8"),       s("fromLatin1"),    s("QStringView")};
    static const QRegularExpression callName(s("([A-Za-z_]\\w*)\\s*(<[^<>]*>)?\\s*$"));
    QList<Literal> found;
    for (const auto& [begin, end] : spans) {
        const qsizetype lineStart = code.lastIndexOf(u'\n', begin) + 1;
        if (code.sliced(lineStart, begin - lineStart).trimmed().startsWith(u'#'))
            continue;
        QString call;
        int depth = 0;
        for (qsizetype i = begin - 1; i >= 0; --i) {
            const QChar c = code[i];
            if (c == u')' || c == u']' || c == u'}') {
                ++depth;
            } else if (c == u'(' || c == u'[' || c == u'{') {
                if (depth-- > 0)
                    continue;
                if (c != u'(')
                    break;
                call = callName.match(code.first(i)).captured(1);
                if (!wrappers.contains(call))
                    break;
                depth = 0;
            } else if (c == u';' && depth == 0) {
                break;
            }
        }
        found.append(
            {int(code.first(begin).count(u'\n')) + 1, source.sliced(begin, end - begin), call});
    }
    return found;
}

// Whether a literal that no translation call takes is no text a user reads.
bool isNoText(const Literal& literal)
{
    // Calls whose arguments are names, never texts.
    static const QSet<QString> nameCalls{
        s("tr"),
        s("translate"),
        s("QT_TR_NOOP"),
        s("QT_TRANSLATE_NOOP"),
        s("QT_TRANSLATE_N_NOOP"), // translated
        s("setObjectName"),
        s("findChild"), // object names
        s("setProperty"),
        s("property"),            // property names
        s("setOrganizationName"), // the maker's name, part of the settings path
        s("qEnvironmentVariable"),
        s("compare"),           // variables and link ids compared
        s("setInputMask"),      // an input mask
        s("install"),           // translation file names
        s("horizontalAdvance"), // a sample measured, not shown
        s("windowFont"),
        s("textFont"), // font family names
        s("pattern"),
        s("replace"),     // regular expressions and markup
        s("make_unique"), // the lock file's name
        s("fullTitle"),   // a real book's title shown as the sample of a full title
    };
    if (nameCalls.contains(literal.call))
        return true;
    QString text = literal.text;
    // Markup, escapes, placeholders and file patterns are no words.
    static const QRegularExpression noWords(
        s(R"(<[^>]*>?|\\[rnt"\\]|\\u[0-9A-Fa-f]{4}|%\d|\(\*[^)]*\)|;;)"));
    text.remove(noWords);
    if (!text.contains(QRegularExpression(s("[A-Za-z]{2}"))))
        return true;
    // Object names: one identifier in camel case ("eAuthor", "LinkLabel3").
    static const QRegularExpression objectName(
        s(R"re("([a-z]+[A-Z]\w*|[A-Z][a-z0-9]+[A-Z]\w*)")re"));
    if (objectName.match(literal.text).hasMatch() &&
        objectName.match(literal.text).capturedLength() == literal.text.size())
        return true;
    // Names that stay as they are in every language, with their reasons.
    static const QSet<QString> names{
        s("\"Tollvern Quillery\""),
        s("\"Quillery.reg\""), // the product, a file name
        s("\"help\""),
        s("\"remove\""),
        s("\"book\""), // link ids, a file extension
        s("\"CSV\""),
        s("\"CSL-JSON\""),
        s("\"BibTeX\""),
        s("\"RIS\""),
        s("\"Goodreads\""),
        s("\"LibraryThing\""), // file formats by their own names
        s("\"Items\""),
        s("\"View\""),
        s("\"Settings\""),
        s("\"Help\""),
        s("\"Generate\""), // the actions' categories, a property nobody reads aloud
        s("\"en\""),
        s("\"sv\""),
        s("\"de\""),
        s("\"English\""),
        s("\"Svenska\""),
        s("\"Deutsch\""), // each language by its own name, whatever the window's
    };
    return names.contains(literal.text);
}

QStringList untranslated(const QString& source)
{
    QStringList lines;
    for (const Literal& literal : literals(source))
        if (!isNoText(literal))
            lines.append(QString::number(literal.line) + u": " + literal.text);
    return lines;
}

TEST(UiSourceScan, FindsTextsThatReachTheUserUntranslated)
{
    const struct {
        const char* code;
        int untranslated;
    } cases[] = {
        {"label->setText(QStringLiteral(\"Books\"));", 1},
        {"QMessageBox::warning(this, tr(\"Title\"), \"Could not \"\n \"save.\");", 1},
        {"auto* b = new QPushButton(tr(\"OK (%1)\").arg(n), this);", 0},
        {"x = QCoreApplication::translate(\"Ctx\", \"Text\"); // \"not code\"", 0},
        {"w->setObjectName(QStringLiteral(\"Some Name\")); f(QStringLiteral(\"eAuthor\"));", 0},
        {"s = QStringLiteral(\"%1 (%2)\") + QStringLiteral(\" (*.txt)\") + u\"\\r\\n\";", 0},
        {"const char* t = QT_TR_NOOP(\"A (b) c\"); g(\"( not a call\", \"Text\");", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(untranslated(s(c.code)).size(), c.untranslated) << c.code;
}

TEST(UiSourceScan, EveryTextOfTheWindowIsTranslatable)
{
    const QDir ui(s(QUILLERY_SOURCE_DIR "/ui"));
    const QStringList files = ui.entryList({s("*.cpp"), s("*.h")}, QDir::Files, QDir::Name);
    ASSERT_GT(files.size(), 20);
    for (const QString& file : files) {
        const QStringList found =
            untranslated(QString::fromUtf8(quillery::test::readBytes(ui.filePath(file))));
        EXPECT_TRUE(found.isEmpty()) << file.toStdString() << ":\n"
                                     << found.join(u'\n').toStdString();
    }
}

struct Message {
    QString context;
    QString source;
    QStringList translations; // one, or one for each plural form
    QString type;
};

QList<Message> messages(const QString& tsFile)
{
    QList<Message> found;
    QXmlStreamReader xml(quillery::test::readBytes(tsFile));
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            found.append({context, xml.readElementText(), {}, {}});
        } else if (xml.name() == u"translation" && !found.isEmpty()) {
            Message& m = found.last();
            m.type = xml.attributes().value(s("type")).toString();
            QString text;
            while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::EndElement &&
                                     xml.name() == u"translation")) {
                if (xml.isStartElement() && xml.name() == u"numerusform")
                    m.translations.append(xml.readElementText());
                else if (xml.isCharacters())
                    text += xml.text();
            }
            if (m.translations.isEmpty())
                m.translations.append(text);
        }
    }
    EXPECT_FALSE(xml.hasError()) << tsFile.toStdString() << ": " << xml.errorString().toStdString();
    return found;
}

// Checks every entry of a .ts file: finished, with the placeholders of its source and an
// accelerator where the source has one.
void expectComplete(const QString& tsFile)
{
    SCOPED_TRACE(tsFile.toStdString());
    const QList<Message> all = messages(tsFile);
    EXPECT_GT(all.size(), 300);
    static const QRegularExpression placeholder(s("%\\d"));
    static const QRegularExpression accelerator(s("(^|[^&])&([^&]|$)"));
    const auto placeholders = [](const QString& text) {
        QStringList found;
        for (const auto& match : placeholder.globalMatch(text))
            found.append(match.captured());
        found.sort();
        return found;
    };
    for (const Message& m : all) {
        const std::string where = QString(m.context + u": " + m.source).toStdString();
        EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString() << " " << where;
        for (const QString& translation : m.translations) {
            EXPECT_FALSE(translation.isEmpty()) << where;
            EXPECT_EQ(placeholders(translation), placeholders(m.source)) << where;
            EXPECT_EQ(translation.count(accelerator), m.source.count(accelerator)) << where;
        }
    }
}

QStringList tsFiles()
{
    const QDir folder(s(QUILLERY_SOURCE_DIR "/resources/translations"));
    QStringList files;
    for (const QString& name : folder.entryList({s("quillery_*.ts")}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

TEST(Translations, SwedishAndGermanAreComplete)
{
    const QStringList files = tsFiles();
    EXPECT_TRUE(files.contains(s(QUILLERY_SOURCE_DIR "/resources/translations/quillery_sv.ts")));
    EXPECT_TRUE(files.contains(s(QUILLERY_SOURCE_DIR "/resources/translations/quillery_de.ts")));
    for (const QString& file : files)
        expectComplete(file);
}

TEST(Translations, LupdateFindsNothingUntranslatedInTheSources)
{
#ifndef QUILLERY_LUPDATE
    GTEST_SKIP() << "Qt's lupdate was not found when the build was configured";
#else
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList arguments{s("-no-obsolete"), s("-locations"), s("none"),
                          s("-silent"),      s("-I"),         s(QUILLERY_SOURCE_DIR)};
    arguments += s(QUILLERY_TRANSLATED_SOURCES).split(u'|');
    arguments << s("-ts");
    QStringList copies;
    for (const QString& file : tsFiles()) {
        copies.append(dir.filePath(QFileInfo(file).fileName()));
        ASSERT_TRUE(QFile::copy(file, copies.last()));
    }
    arguments += copies;
    QProcess lupdate;
    lupdate.start(s(QUILLERY_LUPDATE), arguments);
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    for (const QString& copy : copies)
        expectComplete(copy);
#endif
}

} // namespace
