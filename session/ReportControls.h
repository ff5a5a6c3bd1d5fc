#pragma once

#include "catalogue/ReportOptions.h"

#include <QString>

namespace quillery {

class IniFile;

// Sets the microdata state as ticking or unticking the box does: only a change of state rewrites
// the item texts.
void setMicrodata(ReportOptions& report, bool on);

// Applies an options file to the format text and report options, as opening the catalogue does:
// each text defaults to its current value, the two booleans to false, and a change of the
// microdata state rewrites the item texts just read as ticking the box does.
void applyDirectoryOptions(const IniFile& file, QString& formatText, ReportOptions& report);

// Reads the folder's options file, when there is one, into the format text and report options.
// Returns whether the file existed. Throws FileError when it exists but cannot be read.
bool readDirectoryOptionsInto(const QString& directory, QString& formatText, ReportOptions& report);

} // namespace quillery
