#pragma once

#include "settings/AppSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace quillery {
class SettingsStore;
}

namespace quillery::cli {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

// Runs one command line (the arguments after the program name). What belongs on standard output
// and standard error is collected in `out` and `err`; on failure `out` stays empty.
int run(const QStringList& arguments, QByteArray& out, QByteArray& err);

// The usage text printed by --help and after a usage error.
QString usageText();

// The settings store a command reads: the registry export file `settingsFile` when it is not
// empty (a missing file reads as empty), else the user's own store. Throws Error when the file
// cannot be read or is not a registry file.
std::unique_ptr<SettingsStore> settingsStore(const QString& settingsFile);

// The application settings a command works with: read from `settingsFile` (a registry export
// file; a missing file gives the defaults) when it is not empty, else from the user's own store.
// Never writes settings. Throws Error when the file cannot be read or is not a registry file.
AppSettings loadSettings(const QString& settingsFile);

} // namespace quillery::cli
