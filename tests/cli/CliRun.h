#pragma once

#include "cli/Cli.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillery::test {

// What one command line gave: its exit status and the bytes for stdout and stderr.
struct CliResult {
    int status;
    QByteArray out;
    QByteArray err;
};

inline CliResult runCli(const QStringList& args)
{
    CliResult r;
    r.status = cli::run(args, r.out, r.err);
    return r;
}

} // namespace quillery::test
