#include "catalogue/DirectoryOptions.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/TextCodec.h"
#include "catalogue/Catalogue.h"
#include "catalogue/IniFile.h"

#include <QSet>

namespace quillery {

namespace {

constexpr const char16_t* SectionFormats = u"Formats";
constexpr const char16_t* SectionReport = u"Report";
constexpr const char16_t* KeyFormat = u"Format";
constexpr const char16_t* KeyBeforeItem = u"BeforeItem";
constexpr const char16_t* KeyAfterItem = u"AfterItem";
constexpr const char16_t* KeyBeforeReport = u"BeforeReport";
constexpr const char16_t* KeyAfterReport = u"AfterReport";
constexpr const char16_t* KeyMicrodata = u"Microdata";
constexpr const char16_t* KeyUseLangForTitle = u"UseLangForTitle";
constexpr const char16_t* KeyDefaultLang = u"DefaultLang";
constexpr const char16_t* KeySort = u"Sort";
constexpr const char16_t* KeyGroup = u"Group";
constexpr const char16_t* KeyBeforeGroup = u"BeforeGroup";
constexpr const char16_t* KeyAfterGroup = u"AfterGroup";
constexpr const char16_t* KeyJsonLd = u"JsonLd";
constexpr const char16_t* KeyCompletePage = u"CompletePage";
constexpr const char16_t* KeyPageTitle = u"PageTitle";

void readTexts(const IniFile& file, QString& formatText, ReportOptions& report)
{
    formatText = file.readString(SectionFormats, KeyFormat, formatText);
    report.beforeItem = file.readString(SectionReport, KeyBeforeItem, report.beforeItem);
    report.afterItem = file.readString(SectionReport, KeyAfterItem, report.afterItem);
    report.beforeReport = file.readString(SectionReport, KeyBeforeReport, report.beforeReport);
    report.afterReport = file.readString(SectionReport, KeyAfterReport, report.afterReport);
}

// The order and the groups: their keys are written only when not at their defaults, so a missing
// key means the default. A value this version cannot read (a key a later version added) reads as
// the default too, so that the catalogue still opens.
void readOrderAndGroups(const IniFile& file, ReportOptions& report)
{
    const ReportOptions defaults;
    try {
        report.sort = parseSortKeys(file.readString(SectionReport, KeySort));
    } catch (const Error&) {
        report.sort = defaults.sort;
    }
    try {
        report.group = parseReportGroup(file.readString(SectionReport, KeyGroup));
    } catch (const Error&) {
        report.group = defaults.group;
    }
    report.beforeGroup = file.readString(SectionReport, KeyBeforeGroup, defaults.beforeGroup);
    report.afterGroup = file.readString(SectionReport, KeyAfterGroup, defaults.afterGroup);
}

// The JSON-LD block and the complete page: written only when not at their defaults, like the
// order and the groups.
void readOutputForm(const IniFile& file, ReportOptions& report)
{
    const ReportOptions defaults;
    report.jsonLd = file.readBool(SectionReport, KeyJsonLd, defaults.jsonLd);
    report.completePage = file.readBool(SectionReport, KeyCompletePage, defaults.completePage);
    report.pageTitle = file.readString(SectionReport, KeyPageTitle, defaults.pageTitle);
}

// Writes a key that older files lack only when its value is not the default, or when the file
// has it already: then it takes the default rather than keep a value no longer meant.
void writeUnlessDefault(IniFile& file, QStringView key, const QString& value, bool isDefault)
{
    if (!isDefault || file.contains(SectionReport, key))
        file.writeString(SectionReport, key, value);
}

void writeUnlessDefault(IniFile& file, QStringView key, bool value, bool defaultValue)
{
    if (value != defaultValue || file.contains(SectionReport, key))
        file.writeBool(SectionReport, key, value);
}

} // namespace

QString directoryOptionsPath(const QString& directory)
{
    return withTrailingSeparator(directory) + QStringView(DirectoryOptionsFileName);
}

DirectoryOptions readDirectoryOptionsForDialog(const IniFile& file, const DirectoryOptions& current)
{
    DirectoryOptions options = current;
    readTexts(file, options.format, options.report);
    options.report.microdata = file.readBool(SectionReport, KeyMicrodata, current.report.microdata);
    options.report.useLangForTitle =
        file.readBool(SectionReport, KeyUseLangForTitle, current.report.useLangForTitle);
    options.report.defaultLang =
        file.readString(SectionReport, KeyDefaultLang, current.report.defaultLang);
    readOrderAndGroups(file, options.report);
    readOutputForm(file, options.report);
    return options;
}

void writeDirectoryOptions(const QString& directory, const DirectoryOptions& options)
{
    const QString path = directoryOptionsPath(directory);
    IniFile file = IniFile::load(path);
    file.writeString(SectionFormats, KeyFormat, options.format);
    file.writeString(SectionReport, KeyBeforeItem, options.report.beforeItem);
    file.writeString(SectionReport, KeyAfterItem, options.report.afterItem);
    file.writeString(SectionReport, KeyBeforeReport, options.report.beforeReport);
    file.writeString(SectionReport, KeyAfterReport, options.report.afterReport);
    file.writeBool(SectionReport, KeyMicrodata, options.report.microdata);
    file.writeBool(SectionReport, KeyUseLangForTitle, options.report.useLangForTitle);
    file.writeString(SectionReport, KeyDefaultLang, options.report.defaultLang);
    const ReportOptions defaults;
    const ReportOptions& report = options.report;
    writeUnlessDefault(file, KeySort, sortKeysText(report.sort), report.sort == defaults.sort);
    writeUnlessDefault(file, KeyGroup, reportGroupText(report.group),
                       report.group == defaults.group);
    writeUnlessDefault(file, KeyBeforeGroup, report.beforeGroup,
                       report.beforeGroup == defaults.beforeGroup);
    writeUnlessDefault(file, KeyAfterGroup, report.afterGroup,
                       report.afterGroup == defaults.afterGroup);
    writeUnlessDefault(file, KeyJsonLd, report.jsonLd, defaults.jsonLd);
    writeUnlessDefault(file, KeyCompletePage, report.completePage, defaults.completePage);
    writeUnlessDefault(file, KeyPageTitle, report.pageTitle,
                       report.pageTitle == defaults.pageTitle);
    file.save(path);
}

namespace {

// Reads the "NotDuplicates..." entries of the first [Check] section.
class NotDuplicatesReader final : public IniVisitor {
public:
    std::vector<BookPair> pairs;

    void section(QStringView name) override
    {
        m_inCheck = !m_checkSeen && name.compare(u"Check", Qt::CaseInsensitive) == 0;
        m_checkSeen = m_checkSeen || m_inCheck;
    }

    void entry(QStringView key, QStringView value) override
    {
        if (!m_inCheck || !key.startsWith(u"NotDuplicates", Qt::CaseInsensitive))
            return;
        const QString folded = key.toString().toCaseFolded();
        if (m_keys.contains(folded))
            return;
        m_keys.insert(folded);
        QStringList names;
        for (const QStringView part : value.split(u'|')) {
            const QStringView name = trimBlanks(part);
            if (!name.isEmpty())
                names.append(name.toString());
        }
        for (qsizetype i = 0; i < names.size(); ++i) {
            for (qsizetype j = i + 1; j < names.size(); ++j)
                pairs.push_back({names[i], names[j]});
        }
    }

    void keyless(QStringView) override {}

private:
    bool m_inCheck = false;
    bool m_checkSeen = false;
    QSet<QString> m_keys;
};

} // namespace

std::vector<BookPair> readNotDuplicatePairs(const QString& directory)
{
    const std::optional<QByteArray> bytes = readWholeFileIfExists(directoryOptionsPath(directory));
    if (!bytes)
        return {};
    NotDuplicatesReader reader;
    scanIni(decodeText(*bytes), reader);
    return std::move(reader.pairs);
}

bool removeDirectoryOptions(const QString& directory, QString* reason)
{
    // A missing file fails in the system's own words, like every other failure.
    return deleteFile(directoryOptionsPath(directory), reason);
}

} // namespace quillery
