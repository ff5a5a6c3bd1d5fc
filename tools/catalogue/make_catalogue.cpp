// Writes a generated catalogue for benchmarks and manual tests.
// Usage: make-catalogue OUTPUT_DIR COUNT

#include "GeneratedCatalogue.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-catalogue OUTPUT_DIR COUNT\n");
        return 2;
    }
    QLocale::setDefault(QLocale::c());
    const int count = QByteArray(argv[2]).toInt();
    quillery::tools::generateCatalogue(QString::fromLocal8Bit(argv[1]), count);
    std::printf("%d books written to %s\n", count, argv[1]);
    return 0;
}
