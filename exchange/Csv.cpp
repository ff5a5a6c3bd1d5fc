#include "exchange/Csv.h"

#include "base/FileIo.h"
#include "base/TextCodec.h"
#include "catalogue/FieldTable.h"
#include "catalogue/IniFile.h"
#include "exchange/BookMapping.h"

#include <QHash>
#include <QRegularExpression>

#include <csv.h>

#include <array>
#include <optional>

namespace quillery {

namespace {

// The header of the name column: the book's name, which is its file name.
constexpr const char16_t* NameColumn = u"Name";

// ----- Writing -----

// Spreadsheets run a cell that starts with one of these as a formula, so an exported title such
// as "=HYPERLINK(...)" would run when the file is opened. Such cells are written with an
// apostrophe in front, which spreadsheets show as text; so is a cell that already starts with
// apostrophes before one of them, so that the reader can take exactly one apostrophe off again.
bool needsFormulaGuard(QStringView value)
{
    qsizetype i = 0;
    while (i < value.size() && value[i] == u'\'')
        ++i;
    if (i == value.size())
        return false;
    const QChar c = value[i];
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

void appendCell(QString& out, QStringView value)
{
    const bool guard = needsFormulaGuard(value);
    // Blanks at either end are quoted, so that no reader takes them for padding.
    bool quote = guard || (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    for (const QChar c : value)
        quote = quote || c == u',' || c == u'"' || c == u'\r' || c == u'\n';
    if (!quote) {
        out += value;
        return;
    }
    out += u'"';
    if (guard)
        out += u'\'';
    for (const QChar c : value) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

// ----- Reading -----

// The cells of one row and the line it starts on.
struct Row {
    QList<QString> cells;
    qsizetype line = 0;
};

struct ParseState {
    std::vector<Row> rows;
    Row current;
    qsizetype lineOfChunk = 0;
    qsizetype rowStart = 0;
};

void onCell(void* data, size_t size, void* state)
{
    auto* s = static_cast<ParseState*>(state);
    if (s->current.cells.isEmpty())
        s->current.line = s->rowStart;
    s->current.cells.append(
        data ? QString::fromUtf8(static_cast<const char*>(data), qsizetype(size)) : QString());
}

void onRowEnd(int, void* state)
{
    auto* s = static_cast<ParseState*>(state);
    if (s->current.cells.isEmpty())
        s->current.line = s->rowStart;
    s->rows.push_back(std::move(s->current));
    s->current = Row();
}

int noSpace(unsigned char)
{
    return 0;
}

int isLineEnd(unsigned char c)
{
    return c == CSV_CR || c == CSV_LF;
}

// The separator of the file: the one of comma, semicolon and tab that the first line holds most
// often outside quotes (a comma when none).
char separatorOf(QByteArrayView text)
{
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\n' || c == '\r')
            break;
        else if (c == ',')
            ++commas;
        else if (c == ';')
            ++semicolons;
        else if (c == '\t')
            ++tabs;
    }
    if (tabs > commas && tabs >= semicolons)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

// Where the line that starts at `start` ends, its line break included (CR LF, LF or CR).
qsizetype lineEnd(const QByteArray& text, qsizetype start)
{
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] == '\n')
            return i + 1;
        if (text[i] == '\r')
            return i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return text.size();
}

// The rows of the text with libcsv, fed line by line so that each row knows the line it starts
// on. A quoted cell that is still open at the end makes `unclosedAt` the line of its row.
std::vector<Row> parseRows(const QByteArray& text, qsizetype& unclosedAt)
{
    csv_parser parser;
    if (csv_init(&parser, 0) != 0)
        throw ImportError(QStringLiteral("Not enough memory to read the file."));
    csv_set_delim(&parser, static_cast<unsigned char>(separatorOf(text)));
    csv_set_space_func(&parser, noSpace);
    csv_set_term_func(&parser, isLineEnd);
    ParseState state;
    qsizetype line = 1;
    for (qsizetype start = 0; start < text.size(); ++line) {
        const qsizetype end = lineEnd(text, start);
        // A row that has not begun yet begins on this line (empty lines make no row).
        if (parser.pstate == 0)
            state.rowStart = line;
        const size_t length = size_t(end - start);
        if (csv_parse(&parser, text.constData() + start, length, onCell, onRowEnd, &state) !=
            length) {
            const int error = csv_error(&parser);
            csv_free(&parser);
            throw ImportError(QString::fromUtf8(csv_strerror(error)));
        }
        start = end;
    }
    // A quoted cell still open at the end: the parser is within a field that began with a quote.
    constexpr int FieldBegun = 2;
    unclosedAt = parser.pstate == FieldBegun && parser.quoted ? state.rowStart : 0;
    csv_fini(&parser, onCell, onRowEnd, &state);
    csv_free(&parser);
    return std::move(state.rows);
}

// A header text as columns are compared: the accelerator and a final colon gone, blanks trimmed,
// lower case.
QString columnKey(QStringView header)
{
    QString key = header.toString();
    key.remove(u'&');
    key = key.trimmed();
    if (key.endsWith(u':'))
        key.chop(1);
    return key.trimmed().toLower();
}

bool isAllEmpty(const QList<QString>& cells)
{
    for (const QString& c : cells) {
        if (!trimBlanks(c).isEmpty())
            return false;
    }
    return true;
}

// A cell as the program wrote it: the apostrophe of the formula guard taken off, and the guard
// spreadsheets write around numbers (="0441172717") too.
QString cellValue(const QString& cell)
{
    const QStringView trimmed = trimBlanks(cell);
    if (trimmed.size() >= 3 && trimmed.startsWith(u"=\"") && trimmed.endsWith(u'"'))
        return trimmed.sliced(2, trimmed.size() - 3).toString();
    if (trimmed.startsWith(u'\'') && needsFormulaGuard(trimmed.sliced(1)))
        return trimmed.sliced(1).toString();
    return cell;
}

// The columns of a header row, by their key.
class Columns {
public:
    explicit Columns(const QList<QString>& header)
    {
        for (qsizetype i = 0; i < header.size(); ++i) {
            const QString key = columnKey(header[i]);
            if (!m_index.contains(key))
                m_index.insert(key, i);
        }
    }

    bool has(QStringView name) const { return m_index.contains(columnKey(name)); }
    std::optional<qsizetype> indexOf(QStringView name) const
    {
        const auto it = m_index.constFind(columnKey(name));
        return it == m_index.cend() ? std::nullopt : std::optional<qsizetype>(*it);
    }
    QString cell(const Row& row, QStringView name) const
    {
        const std::optional<qsizetype> i = indexOf(name);
        if (!i || *i >= row.cells.size())
            return {};
        return trimBlanks(cellValue(row.cells[*i])).toString();
    }

private:
    QHash<QString, qsizetype> m_index;
};

// ----- Goodreads -----

// "The Fellowship of the Ring (The Lord of the Rings, #1)": the title, the series and the
// position, which Goodreads writes into the title.
void splitSeriesFromTitle(BookRecord& book)
{
    static const QRegularExpression series(
        QStringLiteral(R"(^(.*\S)\s*\(([^()]*?),?\s*#\s*([^()#]*)\)\s*$)"));
    const QRegularExpressionMatch m = series.match(book[Field::Title]);
    if (!m.hasMatch())
        return;
    book[Field::Title] = m.captured(1);
    book[Field::Series] = m.captured(2).trimmed();
    book[Field::Position] = m.captured(3).trimmed();
}

// Goodreads writes line breaks of reviews as HTML.
QString withoutHtmlBreaks(QString text)
{
    static const QRegularExpression breaks(QStringLiteral(R"(<br\s*/?>)"),
                                           QRegularExpression::CaseInsensitiveOption);
    return text.replace(breaks, QStringLiteral("\r\n"));
}

// "Christopher Tolkien, Alan Lee" as names of the author list.
void appendNames(std::vector<AuthorEntry>& names, QStringView commaSeparated)
{
    for (const QStringView part : commaSeparated.split(u',')) {
        const QStringView name = trimBlanks(part);
        if (!name.isEmpty())
            names.push_back({AuthorKind::PersonFreeForm, name.toString(), {}, {}});
    }
}

// A rating of 0 means "not rated".
QString ratingOf(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value == 0 ? QString() : text;
}

BookRecord goodreadsBook(const Columns& c, const Row& row)
{
    BookRecord book;
    book[Field::Title] = c.cell(row, u"Title");
    splitSeriesFromTitle(book);
    std::vector<AuthorEntry> names = namesOf(c.cell(row, u"Author l-f"));
    if (names.empty())
        names = namesOf(c.cell(row, u"Author"));
    appendNames(names, c.cell(row, u"Additional Authors"));
    book[Field::Author] = namesText(names);
    const QString isbn13 = c.cell(row, u"ISBN13");
    book[Field::ISBN] = isbn13.isEmpty() ? c.cell(row, u"ISBN") : isbn13;
    book[Field::Rating] = ratingOf(c.cell(row, u"My Rating"));
    book[Field::Publisher] = c.cell(row, u"Publisher");
    book[Field::Binding] = c.cell(row, u"Binding");
    book[Field::NumPages] = c.cell(row, u"Number of Pages");
    book[Field::YearPrinted] = c.cell(row, u"Year Published");
    book[Field::YearWritten] = c.cell(row, u"Original Publication Year");
    book[Field::Category] = c.cell(row, u"Bookshelves");
    book[Field::Comments] = withoutHtmlBreaks(c.cell(row, u"My Review"));
    return book;
}

// ----- LibraryThing -----

// "Ace (1990), Edition: Reissue, Mass Market Paperback, 544 pages": the publisher before the
// parenthesis and the edition after "Edition:".
void readPublication(BookRecord& book, const QString& publication)
{
    static const QRegularExpression publisher(QStringLiteral(R"(^([^(,]*?)\s*\()"));
    static const QRegularExpression edition(QStringLiteral(R"(Edition:\s*([^,]*))"));
    if (const QRegularExpressionMatch m = publisher.match(publication); m.hasMatch())
        book[Field::Publisher] = m.captured(1);
    if (const QRegularExpressionMatch m = edition.match(publication); m.hasMatch())
        book[Field::Edition] = m.captured(1).trimmed();
}

QString joinedNonEmpty(const QStringList& parts, QStringView separator)
{
    QStringList kept;
    for (const QString& p : parts) {
        if (!p.isEmpty())
            kept.append(p);
    }
    return kept.join(separator);
}

BookRecord libraryThingBook(const Columns& c, const Row& row)
{
    BookRecord book;
    book[Field::Title] = c.cell(row, u"Title");
    std::vector<AuthorEntry> authors = namesOf(c.cell(row, u"Primary Author"));
    std::vector<AuthorEntry> translators;
    // Secondary authors and their roles are lists of the same length, separated by "|"; other
    // roles (editors, illustrators) have no field of their own.
    const QStringList secondary = c.cell(row, u"Secondary Author").split(u'|');
    const QStringList roles = c.cell(row, u"Secondary Author Roles").split(u'|');
    for (qsizetype i = 0; i < secondary.size(); ++i) {
        const QString role = i < roles.size() ? roles[i].trimmed() : QString();
        const std::vector<AuthorEntry> names = namesOf(secondary[i]);
        if (role.compare(u"Translator", Qt::CaseInsensitive) == 0)
            translators.insert(translators.end(), names.begin(), names.end());
        else if (role.isEmpty() || role.compare(u"Author", Qt::CaseInsensitive) == 0)
            authors.insert(authors.end(), names.begin(), names.end());
    }
    book[Field::Author] = namesText(authors);
    book[Field::Translator] = namesText(translators);
    readPublication(book, c.cell(row, u"Publication"));
    book[Field::YearPrinted] = c.cell(row, u"Date");
    QString isbn = c.cell(row, u"ISBN");
    isbn.remove(u'[');
    isbn.remove(u']');
    book[Field::ISBN] = isbn.trimmed();
    book[Field::NumPages] = c.cell(row, u"Page Count");
    book[Field::Rating] = ratingOf(c.cell(row, u"Rating"));
    book[Field::Category] = c.cell(row, u"Tags");
    book[Field::Binding] = c.cell(row, u"Media");
    book[Field::Language] = c.cell(row, u"Languages");
    book[Field::OriginalLanguage] = c.cell(row, u"Original Languages");
    book[Field::Comments] =
        joinedNonEmpty({c.cell(row, u"Review"), c.cell(row, u"Comment")}, u"\r\n");
    return book;
}

// ----- The program's own columns -----

// Whether a cell of the Translation column marks a translation: a whole number other than 0 (as
// book files write it), "yes", "true", "x" or the text "Translation".
bool translationCell(const QString& text)
{
    bool nonZero = false;
    if (parseIniWholeNumber(text, nonZero))
        return nonZero;
    for (const char16_t* yes : {u"yes", u"true", u"x", u"y", u"Translation"}) {
        if (text.compare(QStringView(yes), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The column of each field, by its name or its editor caption.
std::array<std::optional<qsizetype>, FieldCount> fieldColumns(const Columns& columns)
{
    std::array<std::optional<qsizetype>, FieldCount> index;
    index[0] = columns.indexOf(NameColumn);
    for (const FieldDef& def : FieldTable::rows()) {
        std::optional<qsizetype> i = columns.indexOf(def.key);
        if (!i)
            i = columns.indexOf(QString::fromUtf8(def.caption));
        index[size_t(def.field)] = i;
    }
    return index;
}

} // namespace

namespace {

class CsvWriter final : public BookWriter {
public:
    QByteArray head() const override
    {
        QString row = QString::fromUtf16(NameColumn);
        for (const FieldDef& def : FieldTable::rows()) {
            row += u',';
            appendCell(row, def.key);
        }
        return utf8Bom() + row.toUtf8() + "\r\n";
    }

    void appendBook(QByteArray& out, qsizetype, const BookRecord& book) const override
    {
        QString row;
        row.reserve(256);
        appendCell(row, book[Field::ID]);
        for (const FieldDef& def : FieldTable::rows()) {
            row += u',';
            if (def.field == Field::Translation)
                row += book.isTranslation() ? u'1' : u'0';
            else
                appendCell(row, book[def.field]);
        }
        row += u"\r\n";
        out += row.toUtf8();
    }
};

} // namespace

std::unique_ptr<BookWriter> csvWriter()
{
    return std::make_unique<CsvWriter>();
}

QByteArray exportCsv(std::span<const BookRecord> books)
{
    return CsvWriter().write(books);
}

ExchangeFormat csvFlavourOf(QByteArrayView bytes)
{
    const QString text = decodeText(bytes.first(std::min<qsizetype>(bytes.size(), 64 * 1024)));
    const qsizetype end = text.indexOf(u'\n');
    const QString header = end < 0 ? text : text.first(end);
    const auto has = [&](const char16_t* column) {
        return header.contains(QStringView(column), Qt::CaseInsensitive);
    };
    if (has(u"Author l-f") && has(u"Exclusive Shelf"))
        return ExchangeFormat::Goodreads;
    if (has(u"Primary Author") && (has(u"Sort Character") || has(u"Book Id")))
        return ExchangeFormat::LibraryThing;
    return ExchangeFormat::Csv;
}

ImportRecords importCsv(QByteArrayView bytes, ExchangeFormat flavour)
{
    if (flavour == ExchangeFormat::Csv)
        flavour = csvFlavourOf(bytes);
    qsizetype unclosedAt = 0;
    const std::vector<Row> rows = parseRows(decodeText(bytes).toUtf8(), unclosedAt);
    qsizetype first = 0;
    while (first < qsizetype(rows.size()) && isAllEmpty(rows[size_t(first)].cells))
        ++first;
    if (first == qsizetype(rows.size()))
        throw ImportError(QStringLiteral("The file holds no header row."));
    const Row& header = rows[size_t(first)];
    const Columns columns(header.cells);
    const auto own = fieldColumns(columns);
    if (flavour == ExchangeFormat::Csv &&
        std::none_of(own.begin(), own.end(), [](const auto& i) { return i.has_value(); }))
        throw ImportError(QStringLiteral("No column of the header row (line %1) names a book "
                                         "field: \"%2\".")
                              .arg(header.line)
                              .arg(header.cells.join(QStringLiteral("\", \""))));

    ImportRecords records;
    for (size_t r = size_t(first) + 1; r < rows.size(); ++r) {
        const Row& row = rows[r];
        if (isAllEmpty(row.cells))
            continue;
        ImportRecord record;
        record.location = QStringLiteral("line %1").arg(row.line);
        if (flavour == ExchangeFormat::Goodreads) {
            record.book = goodreadsBook(columns, row);
        } else if (flavour == ExchangeFormat::LibraryThing) {
            record.book = libraryThingBook(columns, row);
        } else {
            for (int f = 0; f < FieldCount; ++f) {
                const std::optional<qsizetype> i = own[size_t(f)];
                if (!i || *i >= row.cells.size())
                    continue;
                const QString value = cellValue(row.cells[*i]);
                if (Field(f) == Field::Translation)
                    record.book.setTranslation(translationCell(trimBlanks(value).toString()));
                else
                    record.book[Field(f)] = value;
            }
        }
        qsizetype filled = row.cells.size();
        while (filled > 0 && trimBlanks(row.cells[filled - 1]).isEmpty())
            --filled;
        if (unclosedAt == row.line && r + 1 == rows.size())
            record.rejection = QStringLiteral("A quoted cell is not closed before the end of the "
                                              "file.");
        else if (filled > header.cells.size())
            record.rejection = QStringLiteral("The row has %1 cells, the header row %2.")
                                   .arg(filled)
                                   .arg(header.cells.size());
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace quillery
