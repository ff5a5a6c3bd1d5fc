#include "cli/Cli.h"

#include <QCoreApplication>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[])
{
#ifdef Q_OS_WIN
    // The command line promises exact bytes: no CR inserted before LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillery"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tollvern"));

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QByteArray out;
    QByteArray err;
    const int status = quillery::cli::run(arguments, out, err);
    // Each output is written whole by one call: no buffer is needed between.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    std::fflush(stdout);
    return status;
}
