#include "cli/Cli.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/ProgramVersion.h"
#include "catalogue/BookIndex.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Isbn.h"
#include "catalogue/ReportOptions.h"
#include "catalogue/Shelf.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/Import.h"
#include "format/Report.h"
#include "health/CatalogueCheck.h"
#include "markup/LanguageRegistry.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "settings/SettingsStore.h"
#include "settings/UnicodeNames.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <exception>
#include <functional>
#include <new>
#include <span>

namespace quillery::cli {

namespace {

// A usage error: the message goes to stderr, followed by the usage text.
struct UsageFailure {
    QString message;
};

// The options a command may take. Options with a value take the next argument.
struct OptionSpec {
    const char* name;
    bool takesValue;
};

const OptionSpec kOptions[] = {
    {"--selected", true},
    {"--format", true},
    {"--before-item", true},
    {"--after-item", true},
    {"--before-report", true},
    {"--after-report", true},
    {"--microdata", false},
    {"--no-microdata", false},
    {"--lang-for-title", false},
    {"--no-lang-for-title", false},
    {"--default-lang", true},
    {"-o", true},
    {"--link", false},
    {"--where", true},
    {"--to", true},
    {"--from", true},
    {"--dry-run", false},
    {"--duplicates", true},
};

// The order and the groups of a report, set after the other report options.
const OptionSpec kOrderOptions[] = {
    {"--sort", true}, {"--group", true}, {"--before-group", true}, {"--after-group", true}};

// The JSON-LD block and the complete page, set last.
const OptionSpec kOutputOptions[] = {{"--jsonld", false},
                                     {"--no-jsonld", false},
                                     {"--page", false},
                                     {"--no-page", false},
                                     {"--page-title", true}};

const OptionSpec* findOption(const QString& argument)
{
    using Table = std::span<const OptionSpec>;
    for (const Table table : {Table(kOptions), Table(kOrderOptions), Table(kOutputOptions)}) {
        for (const OptionSpec& o : table) {
            if (argument == QLatin1StringView(o.name))
                return &o;
        }
    }
    return nullptr;
}

struct Invocation {
    QString settingsFile;
    QStringList positional;
    QHash<QString, QString> options; // option name to value ("" for a flag)

    bool has(const char* option) const { return options.contains(QLatin1StringView(option)); }
    QString value(const char* option) const { return options.value(QLatin1StringView(option)); }
};

// The report-option flags, in the order a user would set the controls.
const char* const kReportOptionNames[] = {
    "--before-item",  "--after-item",     "--before-report",     "--after-report", "--microdata",
    "--no-microdata", "--lang-for-title", "--no-lang-for-title", "--default-lang"};

void allowOnly(const Invocation& inv, std::initializer_list<const char*> allowed,
               const char* command)
{
    for (auto it = inv.options.cbegin(); it != inv.options.cend(); ++it) {
        bool ok = false;
        for (const char* a : allowed)
            ok = ok || it.key() == QLatin1StringView(a);
        if (!ok)
            throw UsageFailure{QStringLiteral("'%1' does not take the option %2")
                                   .arg(QLatin1StringView(command), it.key())};
    }
}

void allowReportOptions(const Invocation& inv, std::initializer_list<const char*> extra,
                        const char* command)
{
    std::vector<const char*> allowed(std::begin(kReportOptionNames), std::end(kReportOptionNames));
    allowed.insert(allowed.end(), extra);
    for (auto it = inv.options.cbegin(); it != inv.options.cend(); ++it) {
        if (std::none_of(allowed.begin(), allowed.end(),
                         [&](const char* a) { return it.key() == QLatin1StringView(a); }))
            throw UsageFailure{QStringLiteral("'%1' does not take the option %2")
                                   .arg(QLatin1StringView(command), it.key())};
    }
}

QByteArray lines(const QStringList& texts)
{
    QByteArray out;
    for (const QString& t : texts) {
        out += t.toUtf8();
        out += '\n';
    }
    return out;
}

QString catalogueDirectory(const QString& argument)
{
    if (!QFileInfo(argument).isDir())
        throw Error(QStringLiteral("There is no directory with the specified path"));
    return withTrailingSeparator(argument);
}

void requireCount(const Invocation& inv, qsizetype count, const char* command)
{
    if (inv.positional.size() != count)
        throw UsageFailure{
            QStringLiteral("wrong number of arguments for '%1'").arg(QLatin1StringView(command))};
}

// Starts a session as the program starts, with the settings of --settings FILE or the user's own.
std::unique_ptr<Session> startSession(const Invocation& inv)
{
    auto session = std::make_unique<Session>(settingsStore(inv.settingsFile));
    session->start();
    return session;
}

// Sets the controls from the options, in the order the command line documents.
void applyFlags(const Invocation& inv, Session& session)
{
    if (inv.has("--format"))
        session.setFormatText(inv.value("--format"));
    if (inv.has("--before-item"))
        session.setBeforeItem(inv.value("--before-item"));
    if (inv.has("--after-item"))
        session.setAfterItem(inv.value("--after-item"));
    if (inv.has("--before-report"))
        session.setBeforeReport(inv.value("--before-report"));
    if (inv.has("--after-report"))
        session.setAfterReport(inv.value("--after-report"));
    if (inv.has("--microdata"))
        session.setMicrodata(true);
    if (inv.has("--no-microdata"))
        session.setMicrodata(false);
    if (inv.has("--lang-for-title"))
        session.setUseLangForTitle(true);
    if (inv.has("--no-lang-for-title"))
        session.setUseLangForTitle(false);
    if (inv.has("--default-lang"))
        session.setDefaultLang(inv.value("--default-lang"));
    // The order and the groups of a report come last.
    if (inv.has("--sort"))
        session.setSort(parseSortKeys(inv.value("--sort")));
    if (inv.has("--group"))
        session.setGroup(parseReportGroup(inv.value("--group")));
    if (inv.has("--before-group"))
        session.setBeforeGroup(inv.value("--before-group"));
    if (inv.has("--after-group"))
        session.setAfterGroup(inv.value("--after-group"));
    if (inv.has("--jsonld"))
        session.setJsonLd(true);
    if (inv.has("--no-jsonld"))
        session.setJsonLd(false);
    if (inv.has("--page"))
        session.setCompletePage(true);
    if (inv.has("--no-page"))
        session.setCompletePage(false);
    if (inv.has("--page-title"))
        session.setPageTitle(inv.value("--page-title"));
}

// A book file argument: an error names it when it does not exist (the program itself only meets
// listed books, which read as empty when they vanish).
QString bookFileArgument(const QString& path)
{
    if (!QFileInfo::exists(path))
        readWholeFile(path); // throws the system's own message
    return path;
}

// The query of --where, parsed before any book is read; none without the option.
std::optional<BookQuery> whereQuery(const Invocation& inv)
{
    if (!inv.has("--where"))
        return std::nullopt;
    return BookQuery::parse(inv.value("--where"));
}

// Warnings of a command that succeeds, one line each on stderr; stdout and the exit status stay
// as they are. A command that checks something (isbn, check) and finds problems keeps its output
// and ends with exit status 1.
struct Warnings : QStringList {
    bool problemsFound = false;
};

void warnUndecodableNames(int count, Warnings& warnings)
{
    if (count != 0)
        warnings.append(undecodableNamesText(count));
}

QByteArray commandFormat(const Invocation& inv, Warnings&)
{
    if (inv.positional.size() < 2 || inv.positional.size() > 3)
        throw UsageFailure{QStringLiteral("wrong number of arguments for 'format'")};
    allowReportOptions(inv, {"--link", "--format", "--jsonld"}, "format");
    const bool jsonLd = inv.has("--jsonld");
    if (jsonLd && (inv.has("--link") || inv.has("--format") || inv.positional.size() == 3))
        throw UsageFailure{QStringLiteral("--jsonld takes no format and no --link")};
    const QString path = bookFileArgument(inv.positional[1]);
    const std::unique_ptr<Session> session = startSession(inv);
    session->openFolder(QFileInfo(path).absolutePath());
    applyFlags(inv, *session);
    if (jsonLd)
        return session->jsonLdOfBookFile(path);
    const QString format = inv.positional.size() == 3 ? inv.positional[2] : session->formatText();
    const FormatMode mode = inv.has("--link") ? FormatMode::Link : FormatMode::Reference;
    return session->formatBookFile(path, format, mode).toUtf8();
}

QByteArray commandReport(const Invocation& inv, Warnings& warnings)
{
    requireCount(inv, 2, "report");
    allowReportOptions(inv,
                       {"--selected", "--format", "-o", "--where", "--sort", "--group",
                        "--before-group", "--after-group", "--jsonld", "--no-jsonld", "--page",
                        "--no-page", "--page-title"},
                       "report");
    const QString dir = catalogueDirectory(inv.positional[1]);
    const std::optional<BookQuery> query = whereQuery(inv);
    const std::unique_ptr<Session> session = startSession(inv);
    session->openFolder(dir);
    applyFlags(inv, *session);
    const bool toFile = inv.has("-o");
    QByteArray bytes;
    if (inv.has("--selected") || query) {
        QStringList entries =
            inv.has("--selected")
                ? session->reportEntries(ReportScope::SelectedItem, inv.value("--selected"))
                : session->reportEntries(ReportScope::AllItems, QString());
        if (query)
            entries = filterBooks(dir, entries, *query);
        bytes = session->generateReportUtf8(entries, toFile);
    } else {
        // Every book: read and formatted while the folder is listed.
        bytes = session->generateAllBooksReportUtf8(toFile);
    }
    // Counted from the listing the entries came from: the folder is listed once.
    warnUndecodableNames(session->undecodableBookNames(), warnings);
    if (toFile) {
        writeWholeFile(inv.value("-o"), bytes);
        return {};
    }
    return bytes;
}

QByteArray commandShelf(const Invocation& inv, Warnings& warnings)
{
    requireCount(inv, 2, "shelf");
    allowOnly(inv, {"-o"}, "shelf");
    if (!inv.has("-o"))
        throw UsageFailure{QStringLiteral("'shelf' needs -o FILE")};
    const QString dir = catalogueDirectory(inv.positional[1]);
    QStringList leftOut;
    int skipped = 0;
    const QByteArray bytes = shelfBytes(dir, programVersionString(), &leftOut, &skipped);
    writeWholeFile(withShelfExtension(inv.value("-o")), bytes);
    if (!leftOut.isEmpty())
        warnings.append(shelfLeftOutText(leftOut));
    warnUndecodableNames(skipped, warnings);
    return {};
}

QByteArray commandLinks(const Invocation& inv, Warnings&)
{
    requireCount(inv, 2, "links");
    allowOnly(inv, {}, "links");
    const std::unique_ptr<Session> session = startSession(inv);
    return lines(session->dataLinksOfBookFile(bookFileArgument(inv.positional[1])));
}

QByteArray commandList(const Invocation& inv, Warnings& warnings)
{
    requireCount(inv, 2, "list");
    allowOnly(inv, {"--where"}, "list");
    const QString dir = catalogueDirectory(inv.positional[1]);
    const std::optional<BookQuery> query = whereQuery(inv);
    int skipped = 0;
    QStringList names = listBookNames(dir, &skipped);
    warnUndecodableNames(skipped, warnings);
    const qsizetype count = names.size();
    if (query) {
        names = filterBooks(dir, names, *query);
        names.append(shownBooksText(names.size(), count));
        return lines(names);
    }
    names.append(bookCountText(count));
    return lines(names);
}

QByteArray commandUpgrade(const Invocation& inv, Warnings& warnings)
{
    requireCount(inv, 2, "upgrade");
    allowOnly(inv, {}, "upgrade");
    const QString dir = catalogueDirectory(inv.positional[1]);
    int skipped = 0;
    const QStringList names = listBookNames(dir, &skipped);
    const QByteArray out = lines({booksUpgradedText(upgradeCatalogue(dir, names))});
    warnUndecodableNames(skipped, warnings);
    return out;
}

// The format named by an option's value: one of `allowed`.
ExchangeFormat formatOption(const Invocation& inv, const char* option,
                            std::initializer_list<ExchangeFormat> allowed)
{
    const QString value = inv.value(option);
    const std::optional<ExchangeFormat> format = exchangeFormatNamed(value);
    if (format && std::find(allowed.begin(), allowed.end(), *format) != allowed.end())
        return *format;
    QStringList names;
    for (const ExchangeFormat f : allowed)
        names.append(exchangeFormatName(f));
    throw UsageFailure{QStringLiteral("%1 takes one of %2, not '%3'")
                           .arg(QLatin1StringView(option), names.join(u", "), value)};
}

QByteArray commandExport(const Invocation& inv, Warnings& warnings)
{
    requireCount(inv, 2, "export");
    allowOnly(inv, {"--to", "--where", "-o"}, "export");
    if (!inv.has("--to"))
        throw UsageFailure{QStringLiteral("'export' needs --to FORMAT")};
    const ExchangeFormat format = formatOption(inv, "--to",
                                               {ExchangeFormat::Csv, ExchangeFormat::CslJson,
                                                ExchangeFormat::BibTeX, ExchangeFormat::Ris});
    const QString dir = catalogueDirectory(inv.positional[1]);
    const std::optional<BookQuery> query = whereQuery(inv);
    const std::unique_ptr<Session> session = startSession(inv);
    session->openFolder(dir);
    warnUndecodableNames(session->undecodableBookNames(), warnings);
    QStringList names = session->bookNames();
    if (query)
        names = filterBooks(dir, names, *query);
    const QByteArray bytes = session->exportBooks(format, names);
    if (inv.has("-o")) {
        writeWholeFile(inv.value("-o"), bytes);
        return {};
    }
    return bytes;
}

QByteArray commandImport(const Invocation& inv, Warnings&)
{
    requireCount(inv, 3, "import");
    allowOnly(inv, {"--from", "--dry-run", "--duplicates"}, "import");
    std::optional<ExchangeFormat> format;
    if (inv.has("--from"))
        format = formatOption(inv, "--from",
                              {ExchangeFormat::Csv, ExchangeFormat::Goodreads,
                               ExchangeFormat::LibraryThing, ExchangeFormat::CslJson,
                               ExchangeFormat::BibTeX, ExchangeFormat::Ris});
    DuplicatePolicy duplicates = DuplicatePolicy::Skip;
    if (inv.has("--duplicates")) {
        const QString value = inv.value("--duplicates");
        if (value == u"import")
            duplicates = DuplicatePolicy::Import;
        else if (value != u"skip")
            throw UsageFailure{
                QStringLiteral("--duplicates takes skip or import, not '%1'").arg(value)};
    }
    const QString dir = catalogueDirectory(inv.positional[1]);
    const std::unique_ptr<Session> session = startSession(inv);
    session->openFolder(dir);
    ImportPlan plan = session->planImport(inv.positional[2], format, duplicates);
    if (inv.has("--dry-run")) {
        QStringList out = importStepLines(plan);
        out.append(importSummaryText(plan.count(ImportStep::Action::Create),
                                     plan.count(ImportStep::Action::Duplicate),
                                     plan.count(ImportStep::Action::Reject)));
        out.append(QStringLiteral("Dry run: nothing was written."));
        return lines(out);
    }
    const ImportResult result = session->runImport(plan);
    // A name taken since the plan was made went to the next free one: list the names as written.
    qsizetype created = 0;
    for (ImportStep& step : plan.steps) {
        if (step.action == ImportStep::Action::Create && created < result.created.size())
            step.name = result.created[created++];
    }
    QStringList out = importStepLines(plan);
    out.append(importSummaryText(result.imported, result.duplicates, result.rejected));
    return lines(out);
}

// A code point in hexadecimal, with or without "U+"; codes too long for any plane read as
// beyond the table.
int parseCodePoint(QString text)
{
    if (text.startsWith(u"U+", Qt::CaseInsensitive))
        text.remove(0, 2);
    bool ok = !text.isEmpty();
    for (const QChar c : text)
        ok = ok &&
             ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'));
    if (!ok)
        throw UsageFailure{QStringLiteral("'%1' is not a hexadecimal code point").arg(text)};
    while (text.size() > 1 && text.front() == u'0')
        text.remove(0, 1);
    return text.size() > 6 ? 0x110000 : text.toInt(nullptr, 16);
}

QByteArray commandUcname(const Invocation& inv, Warnings&)
{
    requireCount(inv, 2, "ucname");
    return lines({UnicodeCharName(parseCodePoint(inv.positional[1]))});
}

QByteArray commandLang(const Invocation& inv, Warnings&)
{
    requireCount(inv, 2, "lang");
    const std::optional<QString> tag = LanguageTagOf(inv.positional[1]);
    if (!tag)
        throw Error(QStringLiteral("\"%1\" gives no BCP 47 language tag").arg(inv.positional[1]));
    return lines({*tag});
}

QByteArray commandIsbn(const Invocation& inv, Warnings& warnings)
{
    if (inv.positional.size() < 2)
        throw UsageFailure{QStringLiteral("wrong number of arguments for 'isbn'")};
    allowOnly(inv, {}, "isbn");
    const IsbnRanges& ranges = IsbnRanges::instance();
    QStringList out;
    for (qsizetype i = 1; i < inv.positional.size(); ++i) {
        for (const IsbnEntry& isbn : parseIsbns(inv.positional[i])) {
            if (!isbn.valid()) {
                out.append(QStringLiteral("%1: invalid: %2").arg(isbn.text, isbn.problem));
                warnings.problemsFound = true;
                continue;
            }
            const QString ten = isbn.isbn10.isEmpty()
                                    ? QStringLiteral("-")
                                    : ranges.hyphenate10(isbn.isbn10).value_or(isbn.isbn10);
            out.append(ranges.hyphenate13(isbn.isbn13).value_or(isbn.isbn13) + u' ' + ten);
        }
    }
    return lines(out);
}

QByteArray commandCheck(const Invocation& inv, Warnings& warnings)
{
    requireCount(inv, 2, "check");
    allowOnly(inv, {"--where"}, "check");
    const QString dir = catalogueDirectory(inv.positional[1]);
    const std::optional<BookQuery> query = whereQuery(inv);
    const std::unique_ptr<Session> session = startSession(inv);
    session->openFolder(dir);
    QStringList names = session->bookNames();
    if (query)
        names = filterBooks(dir, names, *query);
    const std::vector<CheckProblem> problems = session->checkCatalogue(names);
    warnings.problemsFound = hasProblems(problems);
    return lines(checkReportLines(problems));
}

struct Command {
    const char* name;
    std::function<QByteArray(const Invocation&, Warnings&)> handler;
};

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"format", commandFormat}, {"links", commandLinks}, {"list", commandList},
        {"report", commandReport}, {"shelf", commandShelf}, {"upgrade", commandUpgrade},
        {"ucname", commandUcname}, {"lang", commandLang},   {"export", commandExport},
        {"import", commandImport}, {"isbn", commandIsbn},   {"check", commandCheck},
    };
    return table;
}

} // namespace

std::unique_ptr<SettingsStore> settingsStore(const QString& settingsFile)
{
    if (!settingsFile.isEmpty())
        return std::make_unique<RegFileStore>(settingsFile);
    return openUserSettingsStore();
}

AppSettings loadSettings(const QString& settingsFile)
{
    return LoadAppSettings(*settingsStore(settingsFile));
}

QString usageText()
{
    return QStringLiteral(
        "Usage: quillery-cli [--settings FILE] COMMAND [ARGS] [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  format BOOKFILE [FMT] [--link] [REPORT OPTIONS]\n"
        "                    the reference of one book by FMT or the current format;\n"
        "                    --link formats it as a database link (values URL-encoded)\n"
        "  format BOOKFILE --jsonld [REPORT OPTIONS]\n"
        "                    the JSON-LD of one book: its schema.org Book node\n"
        "  links BOOKFILE    every database link of the book, one per line\n"
        "  list DIR [--where QUERY]\n"
        "                    the book names of the catalogue DIR in list order, then the count;\n"
        "                    with --where the books that match, then \"N of M book(s) shown.\"\n"
        "  report DIR [--selected NAME] [--format FMT] [REPORT OPTIONS] [-o FILE]\n"
        "                    the report of all books (or the one named NAME) of DIR; with -o\n"
        "                    written to FILE (UTF-8 with byte-order mark), else to stdout\n"
        "  shelf DIR -o FILE the bookshelf file of DIR (FILE gets the extension .shelf)\n"
        "  upgrade DIR       upgrade the version 1.0 books of DIR to the current format\n"
        "  ucname HEX        the Unicode name of the code point HEX (an empty line when none)\n"
        "  lang TEXT         the BCP 47 language tag that the language text TEXT gives\n"
        "  isbn TEXT...      each ISBN of the texts as its ISBN-13 and ISBN-10, hyphenated (\"-\"\n"
        "                    when it has no ISBN-10), or \"TEXT: invalid: REASON\"; exit 1 when\n"
        "                    any is invalid\n"
        "  check DIR [--where QUERY]\n"
        "                    what is wrong with the books of DIR (or those that match QUERY):\n"
        "                    invalid ISBNs, duplicates, sync conflict copies, files that cannot\n"
        "                    be read, and warnings about values that make reports fail; a line\n"
        "                    \"NAME: PROBLEM\" each, then \"N problems in M books.\"; exit 1\n"
        "                    when there is more than warnings\n"
        "  export DIR --to FORMAT [--where QUERY] [-o FILE]\n"
        "                    the books of DIR (or those that match QUERY) as csv, csljson,\n"
        "                    bibtex or ris, to FILE or stdout\n"
        "  import DIR FILE [--from FORMAT] [--dry-run] [--duplicates skip|import]\n"
        "                    every record of FILE as a new book of DIR; FORMAT is csv,\n"
        "                    goodreads, librarything, csljson, bibtex or ris, told from the\n"
        "                    content when left out. Prints a line per record, then \"N books\n"
        "                    imported, D duplicates skipped, R records rejected.\"; --dry-run\n"
        "                    writes nothing; duplicates (same ISBN, or same author and title)\n"
        "                    are skipped unless --duplicates import\n"
        "\n"
        "Report options (set in this order, as a user sets the controls):\n"
        "  --before-item T, --after-item T, --before-report T, --after-report T\n"
        "  --microdata | --no-microdata\n"
        "  --lang-for-title | --no-lang-for-title\n"
        "  --default-lang T\n"
        "  report only, after those:\n"
        "  --sort KEYS       sort by KEYS, first key first: comma-separated, each one of name,\n"
        "                    author, title, year (or yearwritten), yearprinted, series,\n"
        "                    category, language, with - in front for descending order\n"
        "  --group FIELD     group by FIELD (a sort key but name, or none)\n"
        "  --before-group T, --after-group T\n"
        "                    the texts that open and close each group; %G is its value\n"
        "  report only, last:\n"
        "  --jsonld | --no-jsonld\n"
        "                    a JSON-LD block (a schema.org ItemList of the books) after the\n"
        "                    report\n"
        "  --page | --no-page\n"
        "                    the report as a complete HTML page\n"
        "  --page-title T    the page's title (default: the catalogue folder's name)\n"
        "\n"
        "Queries (--where QUERY): a book matches when it matches every term.\n"
        "  WORD, \"A PHRASE\" found in any field, ignoring case and diacritics\n"
        "  FIELD:TEXT        found in that field (TEXT may be quoted)\n"
        "  FIELD:A..B        a number from A to B (either may be left out) at the start of\n"
        "                    year, yearprinted, pages, position or rating\n"
        "  isbn:DIGITS       in the ISBN's digits, an ISBN-10 and its ISBN-13 alike\n"
        "  has:FIELD         the field is not empty\n"
        "  -TERM             the books that do not match TERM\n"
        "  FIELD is one of author, year (or yearwritten), title, subtitle, edition, series,\n"
        "  position, publisher, printed, yearprinted, isbn, pages (or numpages), category,\n"
        "  comments, booktype, binding, level, rating, price, translation, language,\n"
        "  originallanguage, translator, originaltitle, name (the book's name), or a field's\n"
        "  format code in its case (T title, e series, E edition, ...).\n"
        "\n"
        "Options:\n"
        "  --settings FILE   read the application settings from FILE (a registry export file)\n"
        "  -h, --help        show this text\n"
        "\n"
        "Exit status: 0 success, 1 the operation failed (the message on stderr), isbn found an\n"
        "invalid ISBN or check found a problem, 2 usage error.\n"
        "Book files left out (names not valid UTF-8, shelf links out of the catalogue) are named\n"
        "in a warning on stderr.\n");
}

int run(const QStringList& arguments, QByteArray& out, QByteArray& err)
{
    out.clear();
    err.clear();
    try {
        Invocation inv;
        bool optionsEnded = false;
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QString& a = arguments[i];
            if (optionsEnded) {
                inv.positional.append(a);
                continue;
            }
            if (a == u"--") {
                optionsEnded = true;
                continue;
            }
            if (a == u"-h" || a == u"--help") {
                out = usageText().toUtf8();
                return Success;
            }
            if (a == u"--settings" && inv.positional.isEmpty()) {
                if (++i >= arguments.size())
                    throw UsageFailure{QStringLiteral("--settings needs a file")};
                inv.settingsFile = arguments[i];
                continue;
            }
            if (const OptionSpec* option = findOption(a)) {
                if (inv.options.contains(a))
                    throw UsageFailure{QStringLiteral("%1 given twice").arg(a)};
                QString value;
                if (option->takesValue) {
                    if (++i >= arguments.size())
                        throw UsageFailure{QStringLiteral("%1 needs a value").arg(a)};
                    value = arguments[i];
                }
                inv.options.insert(a, value);
                continue;
            }
            inv.positional.append(a);
        }
        if ((inv.has("--microdata") && inv.has("--no-microdata")) ||
            (inv.has("--lang-for-title") && inv.has("--no-lang-for-title")) ||
            (inv.has("--jsonld") && inv.has("--no-jsonld")) ||
            (inv.has("--page") && inv.has("--no-page")))
            throw UsageFailure{QStringLiteral("an option and its --no- form exclude each other")};
        if (inv.positional.isEmpty())
            throw UsageFailure{QStringLiteral("no command given")};
        for (const Command& c : commands()) {
            if (inv.positional.front() == QLatin1StringView(c.name)) {
                Warnings warnings;
                out = c.handler(inv, warnings);
                err = lines(warnings);
                return warnings.problemsFound ? Failure : Success;
            }
        }
        throw UsageFailure{QStringLiteral("unknown command '%1'").arg(inv.positional.front())};
    } catch (const UsageFailure& failure) {
        out.clear();
        err = (QStringLiteral("quillery-cli: ") + failure.message + u"\n\n" + usageText()).toUtf8();
        return UsageError;
    } catch (const Error& error) {
        out.clear();
        err = error.message().toUtf8() + '\n';
        return Failure;
    } catch (const std::bad_alloc&) {
        // The last resort: the core refuses files too large to read before memory runs out, but
        // nothing may end the program with an uncaught exception.
        out.clear();
        err = "Not enough memory to complete the operation.\n";
        return Failure;
    } catch (const std::exception& e) {
        out.clear();
        err = "Unexpected error: " + QString::fromLocal8Bit(e.what()).simplified().toUtf8() + '\n';
        return Failure;
    }
}

} // namespace quillery::cli
