#include "session/ReportControls.h"

#include "base/FileIo.h"
#include "catalogue/DirectoryOptions.h"
#include "catalogue/IniFile.h"
#include "markup/Microdata.h"

#include <QFileInfo>

namespace quillery {

void setMicrodata(ReportOptions& report, bool on)
{
    if (report.microdata == on)
        return;
    report.microdata = on;
    ApplyMicrodataToBeforeItem(on, report.beforeItem, report.afterItem);
}

void applyDirectoryOptions(const IniFile& file, QString& formatText, ReportOptions& report)
{
    // Opening a catalogue reads the booleans with false, not the current state, as their default.
    DirectoryOptions defaults{formatText, report};
    defaults.report.microdata = false;
    defaults.report.useLangForTitle = false;
    const DirectoryOptions read = readDirectoryOptionsForDialog(file, defaults);
    formatText = read.format;
    report.beforeItem = read.report.beforeItem;
    report.afterItem = read.report.afterItem;
    report.beforeReport = read.report.beforeReport;
    report.afterReport = read.report.afterReport;
    setMicrodata(report, read.report.microdata);
    report.useLangForTitle = read.report.useLangForTitle;
    report.defaultLang = read.report.defaultLang;
    report.sort = read.report.sort;
    report.group = read.report.group;
    report.beforeGroup = read.report.beforeGroup;
    report.afterGroup = read.report.afterGroup;
    report.jsonLd = read.report.jsonLd;
    report.completePage = read.report.completePage;
    report.pageTitle = read.report.pageTitle;
}

bool readDirectoryOptionsInto(const QString& directory, QString& formatText, ReportOptions& report)
{
    const QString path = directoryOptionsPath(directory);
    if (!QFileInfo::exists(path))
        return false;
    applyDirectoryOptions(IniFile::fromBytes(readWholeFile(path)), formatText, report);
    return true;
}

} // namespace quillery
