// Writes the "LANGS" table from the language-subtag-registry package:
//   make-langs PACKAGE_DIR OUTPUT_FILE
// PACKAGE_DIR is the package folder (the one holding data/json/registry.json).

#include "base/Errors.h"
#include "base/FileIo.h"
#include "tools/langs/LangsGenerator.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: make-langs PACKAGE_DIR OUTPUT_FILE\n", stderr);
        return 2;
    }
    try {
        quillery::writeWholeFile(args[2], quillery::tools::generateLangsFromPackage(args[1]));
    } catch (const quillery::Error& e) {
        std::fprintf(stderr, "make-langs: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-langs: %s\n", e.what());
        return 1;
    }
    return 0;
}
