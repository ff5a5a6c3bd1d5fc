// Writes a screenshot of the main window for the AppStream metainfo
// (packaging/screenshots/main-window.png). Usage: make-screenshot CATALOGUE BOOK OUTPUT.png
// The window opens, as `quillery CATALOGUE/BOOK.book` would, on a copy of the catalogue (in
// quillery-screenshot/Books in the temporary folder, removed afterwards), with settings of its
// own and Qt's offscreen platform on a 1920 by 1080 screen at 96 dots per inch, so neither the
// user's settings nor the sample catalogue are touched and no display is needed. The window has
// its designed size; the image is its contents (the offscreen platform draws no frame).

#include "settings/RegFileStore.h"
#include "ui/ApplicationSetup.h"
#include "ui/MainWin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPixmap>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

bool copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    const QStringList names = QDir(from).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (!QFile::copy(from + u'/' + name, to + u'/' + name))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "Usage: make-screenshot CATALOGUE BOOK OUTPUT.png\n");
        return 2;
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "make-screenshot: no temporary folder\n");
        return 1;
    }
    const QString screenConfig = work.filePath(QStringLiteral("screen.json"));
    {
        QFile file(screenConfig);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920,
                       "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screenConfig));
    qputenv("HOME", QFile::encodeName(work.path()));
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    quillery::ui::setUpApplication();

    // The catalogue's folder shows in the window, so the copy has a fixed name, not a random one.
    QDir place(QDir::temp().filePath(QStringLiteral("quillery-screenshot")));
    if (place.exists()) {
        std::fprintf(stderr, "make-screenshot: %s is in the way\n", qPrintable(place.path()));
        return 1;
    }
    struct Removal {
        QDir& dir;
        ~Removal() { dir.removeRecursively(); }
    } removal{place};
    const QString catalogue = place.filePath(QStringLiteral("Books"));
    if (!copyFolder(QFile::decodeName(argv[1]), catalogue)) {
        std::fprintf(stderr, "make-screenshot: cannot copy %s\n", argv[1]);
        return 1;
    }
    const QString book = catalogue + u'/' + QFile::decodeName(argv[2]) + QStringLiteral(".book");
    if (!QFile::exists(book)) {
        std::fprintf(stderr, "make-screenshot: no book %s in %s\n", argv[2], argv[1]);
        return 1;
    }
    auto store =
        std::make_unique<quillery::RegFileStore>(work.filePath(QStringLiteral("settings.reg")));
    quillery::ui::TmainFrm window(std::move(store), {book});
    window.show();
    QApplication::processEvents();
    const QPixmap image = window.grab();
    if (!image.save(QFile::decodeName(argv[3]), "PNG")) {
        std::fprintf(stderr, "make-screenshot: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%dx%d\n", image.width(), image.height());
    return 0;
}
