// The layering of the sources, read from their includes: a core folder includes only its own
// layer and the layers below it, never ui/, cli/ or app/; the window includes the core; the two
// programs include what they stand on.

#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using quillery::test::s;

// The core layers, bottom first, as the build defines them.
QStringList coreLayers()
{
    return QString::fromUtf8(QUILLERY_LAYERS).split(u',', Qt::SkipEmptyParts);
}

// The folders each folder may include from.
QHash<QString, QStringList> allowedIncludes()
{
    QHash<QString, QStringList> allowed;
    QStringList below;
    for (const QString& layer : coreLayers()) {
        below.append(layer);
        allowed.insert(layer, below);
    }
    allowed.insert(s("ui"), below + QStringList{s("ui")});
    allowed.insert(s("cli"), below + QStringList{s("cli")});
    allowed.insert(s("app"), below + QStringList{s("ui"), s("app")});
    return allowed;
}

// Every include of a checked folder against the layering, as "file:line: includes folder/...".
QStringList layerViolations(const QString& root)
{
    const QHash<QString, QStringList> allowed = allowedIncludes();
    QStringList known = allowed.keys();
    static const QRegularExpression include(s(R"(^\s*#\s*include\s*"([A-Za-z_]+)/[^"]+")"));
    QStringList violations;
    for (auto it = allowed.cbegin(); it != allowed.cend(); ++it) {
        QDirIterator files(root + u'/' + it.key(), {s("*.h"), s("*.cpp")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QStringList lines =
                QString::fromUtf8(quillery::test::readBytes(path)).split(u'\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QRegularExpressionMatch m = include.match(lines[i]);
                if (!m.hasMatch())
                    continue;
                const QString folder = m.captured(1);
                if (known.contains(folder) && !it.value().contains(folder))
                    violations.append(QDir(root).relativeFilePath(path) + u':' +
                                      QString::number(i + 1) + s(": includes ") + folder + u'/');
            }
        }
    }
    violations.sort();
    return violations;
}

void writeSource(const QString& root, const QString& file, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(root + u'/' + file).absolutePath());
    quillery::test::writeBytes(root + u'/' + file, text);
}

} // namespace

TEST(Layers, TheSourcesKeepToTheLayering)
{
    ASSERT_EQ(coreLayers(), QStringList({s("base"), s("catalogue"), s("markup"), s("format"),
                                         s("exchange"), s("health"), s("settings"), s("session")}));
    EXPECT_EQ(layerViolations(s(QUILLERY_SOURCE_DIR)), QStringList());
}

TEST(Layers, AnIncludeAgainstTheLayeringIsFound)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    writeSource(root.path(), s("base/Low.h"), "#include \"base/Other.h\"\n#include <QString>\n");
    writeSource(root.path(), s("markup/Mid.cpp"),
                "#include \"catalogue/Book.h\"\n  #  include \"format/Engine.h\"\n");
    writeSource(root.path(), s("session/Top.h"),
                "// #include \"ui/Off.h\" in a comment\n"
                "#include \"ui/Window.h\"\n");
    writeSource(root.path(), s("cli/Main.cpp"), "#include \"ui/Window.h\"\n");
    writeSource(root.path(), s("app/main.cpp"), "#include \"ui/Window.h\"\n#include \"cli/X.h\"\n");
    EXPECT_EQ(
        layerViolations(root.path()),
        QStringList({s("app/main.cpp:2: includes cli/"), s("cli/Main.cpp:1: includes ui/"),
                     s("markup/Mid.cpp:2: includes format/"), s("session/Top.h:2: includes ui/")}));
}
