#pragma once

#include "format/ReportOptions.h"

#include <QString>

namespace quillery {

class IniFile;

// The per-catalogue options file inside the catalogue folder.
inline constexpr const char16_t* DirectoryOptionsFileName = u"directory.qy-opts";

// The content of the options file: the reference format and the report options.
struct DirectoryOptions {
    QString format;
    ReportOptions report;

    friend bool operator==(const DirectoryOptions&, const DirectoryOptions&) = default;
};

QString directoryOptionsPath(const QString& directory);

// Applies an options file to the main window's format text and report options, as opening the
// catalogue does: each text defaults to its current value, the two booleans to false, and a
// change of the microdata state rewrites the item texts just read as ticking the box does.
void applyDirectoryOptions(const IniFile& file, QString& formatText, ReportOptions& report);

// Reads the folder's options file, when there is one, into the format text and report options.
// Returns whether the file existed. Throws FileError when it exists but cannot be read.
bool readDirectoryOptionsInto(const QString& directory, QString& formatText, ReportOptions& report);

// Reads an options file as the options dialog does: every value, the booleans included, defaults
// to what the dialog holds already. The microdata rule is the dialog's to apply.
DirectoryOptions readDirectoryOptionsForDialog(const IniFile& file,
                                               const DirectoryOptions& current);

// Writes both sections and all eight keys into the folder's options file, keeping whatever else
// the file holds. Throws FileError; a failed write leaves the old file whole.
void writeDirectoryOptions(const QString& directory, const DirectoryOptions& options);

// Deletes the folder's options file; false with the system's reason when it is absent or cannot
// be deleted.
bool removeDirectoryOptions(const QString& directory, QString* reason);

// Sets the microdata state as ticking or unticking the box does: only a change of state rewrites
// the item texts.
void setMicrodata(ReportOptions& report, bool on);

} // namespace quillery
