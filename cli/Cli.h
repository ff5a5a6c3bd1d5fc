#pragma once

#include <QByteArray>
#include <QStringList>

namespace quillery::cli {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

// Runs one command line (the arguments after the program name). What belongs on standard output
// and standard error is collected in `out` and `err`; on failure `out` stays empty.
int run(const QStringList& arguments, QByteArray& out, QByteArray& err);

// The usage text printed by --help and after a usage error.
QString usageText();

} // namespace quillery::cli
