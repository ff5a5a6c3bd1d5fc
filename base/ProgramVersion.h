#pragma once

#include <QString>

namespace quillery {

// The file version that an executable carries, as four decimal numbers joined by "."
// (major.minor.release.build); "0.0.0.0" for a file without version information or one that
// cannot be read. On Windows this is the VERSIONINFO resource; elsewhere every program of ours
// embeds an equivalent record, which this function finds in the file's bytes.
QString GetFileVersionString(const QString& executablePath);

// The path of the running executable.
QString runningExecutablePath();

// GetFileVersionString of the running executable, read once per process. This is the version
// written into book files and shelves and shown in the About box.
QString programVersionString();

} // namespace quillery
