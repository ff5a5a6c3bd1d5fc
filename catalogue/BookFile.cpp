#include "catalogue/BookFile.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/ProgramVersion.h"
#include "base/TextCodec.h"
#include "base/WorkerPool.h"
#include "catalogue/Catalogue.h"
#include "catalogue/IniFile.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <vector>

namespace quillery {

namespace {

bool isBlankByte(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

QByteArrayView trimBytes(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankByte(text[begin]))
        ++begin;
    while (end > begin && isBlankByte(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool equalsAsciiNoCase(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

std::optional<bool> scanVersion10(QByteArrayView bytes, bool complete)
{
    // The dialect's look-up, on single bytes and stopping early: the first "File information"
    // section is the only one searched, and its first "Program version" entry the only one read.
    // Version 1.0 files are single-byte text; one that starts with a UTF-16 mark is none, even
    // when its bytes happen to spell the key (the upgrade would read it as UTF-16).
    const ByteOrderMark bom = detectBom(bytes);
    if (bom == ByteOrderMark::Utf16LE || bom == ByteOrderMark::Utf16BE)
        return false;
    while (bytes.startsWith("\xEF\xBB\xBF")) // one mark, or a doubled one as the reader skips
        bytes = bytes.sliced(3);
    if (!complete) {
        // Only whole lines of a prefix can decide.
        qsizetype last = bytes.size();
        while (last > 0 && bytes[last - 1] != '\n' && bytes[last - 1] != '\r')
            --last;
        bytes = bytes.first(last);
    }
    bool inTarget = false;
    bool seenTarget = false;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArrayView line = trimBytes(bytes.sliced(start, end - start));
        start = end + 1;
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n')
            ++start;
        if (line.isEmpty() || line[0] == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            if (inTarget)
                return false;
            if (!seenTarget &&
                equalsAsciiNoCase(trimBytes(line.sliced(1, line.size() - 2)), "File information")) {
                inTarget = true;
                seenTarget = true;
            }
            continue;
        }
        if (!inTarget)
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0 && equalsAsciiNoCase(trimBytes(line.first(eq)), "Program version"))
            return trimBytes(line.sliced(eq + 1)).startsWith("1.0");
    }
    if (complete)
        return false;
    return std::nullopt;
}

bool isVersion10Text(QByteArrayView bytes)
{
    return *scanVersion10(bytes, true);
}

bool IsVersion10File(const QString& path)
{
    // A file that cannot be read (a folder named like a book, one without read permission) is no
    // version 1.0 file that an upgrade could convert; reading it elsewhere reports the error.
    try {
        return isVersion10Text(readWholeFile(path));
    } catch (const FileError&) {
        return false;
    }
}

namespace {

// The line the version test reads: the first "Program version" entry of the first "File
// information" section, both names trimmed and compared ignoring case; -1 when there is none.
qsizetype versionTestLine(const QList<QStringView>& lines)
{
    bool inTarget = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = trimBlanks(lines[i]);
        if (line.isEmpty() || line[0] == u';')
            continue;
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            if (inTarget)
                return -1;
            inTarget = trimBlanks(line.sliced(1, line.size() - 2))
                           .compare(QStringView(SectionFileInformation), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (inTarget && eq >= 0 &&
            trimBlanks(line.first(eq))
                    .compare(QStringView(KeyProgramVersion), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

namespace {

// A book that is a symbolic link is saved through it only when the link leads to a file of the
// catalogue: a save must never write somewhere else, nor create a file where a link points to
// nothing.
void refuseLinkLeavingTheCatalogue(const QString& path)
{
    switch (linkTarget(path, QFileInfo(path).absolutePath())) {
    case LinkTarget::Outside:
        throw FileError(FileError::Kind::Create, path,
                        QStringLiteral("The book is a symbolic link to a file outside the "
                                       "catalogue folder"));
    case LinkTarget::Dangling:
        throw FileError(FileError::Kind::Create, path,
                        QStringLiteral("The book is a symbolic link that points to nothing"));
    case LinkTarget::NotALink:
    case LinkTarget::Inside:
        break;
    }
}

} // namespace

bool UpgradeBookFile(const QString& path, const QString& version)
{
    const QByteArray bytes = readWholeFile(path);
    QString text;
    const ByteOrderMark bom = detectBom(bytes);
    if (bom == ByteOrderMark::None)
        text = decodeLegacy(bytes);
    else
        text = decodeText(bytes);
    const QList<QStringView> lines = splitLines(text);

    const QStringView key(KeyProgramVersion);
    qsizetype versionLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq >= 0 && lines[i].first(eq).compare(key, Qt::CaseInsensitive) == 0) {
            versionLine = i;
            break;
        }
    }
    if (versionLine >= 0 &&
        !lines[versionLine].sliced(lines[versionLine].indexOf(u'=') + 1).startsWith(u"1.0"))
        versionLine = -1;
    // The line found above need not be the one the version test reads (the test trims the key
    // and looks only in the first "File information" section). A file the test calls version
    // 1.0 gets that line changed too, so it is not offered for upgrading again and again.
    const qsizetype testLine = isVersion10Text(bytes) ? versionTestLine(lines) : -1;
    if (versionLine < 0 && testLine < 0)
        return false;

    QString out;
    out.reserve(text.size() + lines.size() + 16);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == versionLine || i == testLine) {
            out += key;
            out += u'=';
            out += version;
        } else {
            out += lines[i];
        }
        out += u"\r\n";
    }
    refuseLinkLeavingTheCatalogue(path);
    writeWholeFile(path, utf8Bom() + out.toUtf8());
    return true;
}

bool UpgradeBookFile(const QString& path)
{
    return UpgradeBookFile(path, programVersionString());
}

QString bookIdFromPath(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

namespace {

// The stored fields of one section, with their keys as views measured once.
struct SectionKeys {
    QStringView section;
    std::vector<std::pair<QStringView, Field>> keys;
};

const std::array<SectionKeys, 3>& sectionKeys()
{
    static const std::array<SectionKeys, 3> table = [] {
        std::array<SectionKeys, 3> t = {SectionKeys{QStringView(SectionCataloguing), {}},
                                        SectionKeys{QStringView(SectionAdditional), {}},
                                        SectionKeys{QStringView(SectionLanguage), {}}};
        for (const FieldDef& def : FieldTable::rows()) {
            for (SectionKeys& s : t) {
                if (s.section == QStringView(def.section))
                    s.keys.emplace_back(QStringView(def.key), def.field);
            }
        }
        return t;
    }();
    return table;
}

} // namespace

namespace {

// Empties a text without giving up its allocation, so the next book's value can take it.
void emptyKeepingCapacity(QString& text)
{
    if (!text.isEmpty())
        text.resize(0);
}

// Reads the stored fields straight from the parsed lines, copying only the values it keeps.
class BookFieldReader final : public IniVisitor {
public:
    explicit BookFieldReader(BookRecord& into) : record(into)
    {
        for (QString& value : record.values)
            emptyKeepingCapacity(value);
    }

    BookRecord& record;

    void section(QStringView name) override
    {
        m_current = nullptr;
        for (size_t i = 0; i < sectionKeys().size(); ++i) {
            const SectionKeys& keys = sectionKeys()[i];
            if (name.size() == keys.section.size() &&
                name.compare(keys.section, Qt::CaseInsensitive) == 0) {
                // Only the first section of a name is ever searched.
                if (!m_sectionSeen[i]) {
                    m_sectionSeen[i] = true;
                    m_current = &keys;
                    m_nextKey = 0;
                }
                return;
            }
        }
    }

    void entry(QStringView key, QStringView value) override
    {
        if (!m_current)
            return;
        for (const auto& [name, field] : m_current->keys) {
            if (key.size() != name.size() || key.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            const int index = static_cast<int>(field);
            if (m_seen[index])
                return;
            m_seen[index] = true;
            if (field == Field::Translation) {
                bool nonZero = false;
                record.setTranslation(parseIniWholeNumber(value, nonZero) && nonZero);
            } else {
                // Into the string the field held for the book before, when it is not shared.
                QString& text = record[field];
                if (value.isEmpty()) {
                    emptyKeepingCapacity(text);
                } else {
                    text.resize(value.size());
                    std::copy(value.begin(), value.end(), text.data());
                }
            }
            return;
        }
    }

    void keyless(QStringView) override {}

private:
    const SectionKeys* m_current = nullptr;
    size_t m_nextKey = 0;
    std::array<bool, 3> m_sectionSeen{};
    std::array<bool, FieldCount> m_seen{};
};

} // namespace

namespace {

bool isAsciiBytes(QByteArrayView text)
{
    unsigned char any = 0;
    for (const char c : text)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

bool startsWithBom(QByteArrayView text)
{
    return text.size() >= 3 && text[0] == '\xEF' && text[1] == '\xBB' && text[2] == '\xBF';
}

// Reads the fields of a book's bytes as the general reader (decodeText, then scanIni and
// BookFieldReader) reads them, without decoding the whole file: only the values kept are decoded.
// It reads valid UTF-8 whose section names and keys are ASCII where they are compared, without
// continuation lines; on anything else it returns false, and the general reader reads the file.
// The ASCII syntax of the dialect is the same in UTF-8 bytes (no byte of a longer sequence is
// below 0x80), and U+0000 to U+0020 are the bytes 0x00 to 0x20.
class Utf8FieldReader {
public:
    explicit Utf8FieldReader(BookRecord& record) : m_record(record) {}

    bool read(QByteArrayView bytes)
    {
        if (detectBom(bytes) == ByteOrderMark::Utf16LE ||
            detectBom(bytes) == ByteOrderMark::Utf16BE)
            return false;
        while (startsWithBom(bytes))
            bytes = bytes.sliced(3);
        if (!isValidUtf8(bytes))
            return false;
        const char* const data = bytes.data();
        const qsizetype n = bytes.size();
        qsizetype start = 0;
        while (start < n) {
            // The next line feed, and a carriage return before it if any.
            const void* lf = std::memchr(data + start, '\n', size_t(n - start));
            const qsizetype lineFeed = lf ? static_cast<const char*>(lf) - data : n;
            const void* cr = std::memchr(data + start, '\r', size_t(lineFeed - start));
            const qsizetype end = cr ? static_cast<const char*>(cr) - data : lineFeed;
            if (!line(QByteArrayView(data + start, end - start)))
                return false;
            if (end == n)
                break;
            start = end + 1;
            if (data[end] == '\r' && start < n && data[start] == '\n')
                ++start;
        }
        if (!release())
            return false;
        // The fields the book does not give are emptied; the others were written over.
        for (size_t i = 0; i < m_seen.size(); ++i) {
            if (!m_seen[i])
                emptyKeepingCapacity(m_record.values[i]);
        }
        return true;
    }

private:
    static QByteArrayView trimmed(QByteArrayView text)
    {
        qsizetype begin = 0;
        qsizetype end = text.size();
        while (begin < end && isBlankByte(text[begin]))
            ++begin;
        while (end > begin && isBlankByte(text[end - 1]))
            --end;
        return text.sliced(begin, end - begin);
    }

    // A line as the reader sees it: byte-order marks at its start pass as blanks.
    static QByteArrayView trimmedLine(QByteArrayView raw)
    {
        qsizetype begin = 0;
        for (;;) {
            if (begin < raw.size() && isBlankByte(raw[begin]))
                ++begin;
            else if (startsWithBom(raw.sliced(begin)))
                begin += 3;
            else
                break;
        }
        return trimmed(raw.sliced(begin));
    }

    bool line(QByteArrayView raw)
    {
        const QByteArrayView text = trimmedLine(raw);
        if (m_held && text.size() >= 2 && text[0] == '\\' &&
            (text[1] == 'r' || text[1] == 'n' || text[1] == 'u') && !text.contains('='))
            return false; // a continuation line: the general reader joins it
        if (!release())
            return false;
        if (text.isEmpty() || text[0] == ';')
            return true;
        if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            m_inSection = true;
            return section(trimmed(text.sliced(1, text.size() - 2)));
        }
        if (!m_inSection)
            return true;
        const qsizetype eq = text.indexOf('=');
        if (eq < 0)
            return true;
        m_held = true;
        m_key = trimmed(text.first(eq));
        m_value = trimmed(text.sliced(eq + 1));
        return true;
    }

    bool section(QByteArrayView name)
    {
        m_current = nullptr;
        if (!isAsciiBytes(name))
            return false; // folding might match a name of ours
        for (size_t i = 0; i < sectionKeys().size(); ++i) {
            const SectionKeys& keys = sectionKeys()[i];
            if (name.size() == keys.section.size() && equalsAsciiNoCase(name, keys.section)) {
                if (!m_sectionSeen[i]) {
                    m_sectionSeen[i] = true;
                    m_current = &keys;
                    m_nextKey = 0;
                }
                return true;
            }
        }
        return true;
    }

    bool release()
    {
        if (!m_held)
            return true;
        m_held = false;
        if (!m_current)
            return true;
        if (!isAsciiBytes(m_key))
            return false;
        // Books are written in the order of the table, so the search starts after the key
        // found last and mostly ends at once.
        const auto& keys = m_current->keys;
        for (size_t k = 0; k < keys.size(); ++k) {
            const size_t at = (m_nextKey + k) % keys.size();
            const auto& [name, field] = keys[at];
            if (m_key.size() != name.size() || !equalsAsciiNoCase(m_key, name))
                continue;
            m_nextKey = at + 1;
            const int index = static_cast<int>(field);
            if (m_seen[index])
                return true;
            m_seen[index] = true;
            QString& text = m_record[field];
            if (m_value.isEmpty()) {
                emptyKeepingCapacity(text);
            } else if (isAsciiBytes(m_value)) {
                text.resize(m_value.size());
                char16_t* const out = reinterpret_cast<char16_t*>(text.data());
                for (qsizetype i = 0; i < m_value.size(); ++i)
                    out[i] = char16_t(static_cast<unsigned char>(m_value[i]));
            } else {
                // Decoded into the string the field held before; a mark inside stays text.
                QStringDecoder decoder(QStringConverter::Utf8,
                                       QStringConverter::Flag::ConvertInitialBom |
                                           QStringConverter::Flag::Stateless);
                text.resize(m_value.size());
                QChar* const begin = text.data();
                text.resize(decoder.appendToBuffer(begin, m_value) - begin);
            }
            if (field == Field::Translation) {
                bool nonZero = false;
                m_record.setTranslation(parseIniWholeNumber(text, nonZero) && nonZero);
            }
            return true;
        }
        return true;
    }

    static bool equalsAsciiNoCase(QByteArrayView a, QStringView b)
    {
        // Keys are mostly written as the table spells them.
        qsizetype same = 0;
        while (same < a.size() &&
               char16_t(static_cast<unsigned char>(a[same])) == b[same].unicode())
            ++same;
        if (same == a.size())
            return true;
        for (qsizetype i = same; i < a.size(); ++i) {
            char16_t x = char16_t(static_cast<unsigned char>(a[i]));
            char16_t y = b[i].unicode();
            if (x >= u'A' && x <= u'Z')
                x = char16_t(x - u'A' + u'a');
            if (y >= u'A' && y <= u'Z')
                y = char16_t(y - u'A' + u'a');
            if (x != y)
                return false;
        }
        return true;
    }

    BookRecord& m_record;
    bool m_inSection = false;
    bool m_held = false;
    QByteArrayView m_key;
    QByteArrayView m_value;
    const SectionKeys* m_current = nullptr;
    size_t m_nextKey = 0;
    std::array<bool, 3> m_sectionSeen{};
    std::array<bool, FieldCount> m_seen{};
};

} // namespace

BookRecord bookRecordFromBytes(QByteArrayView bytes)
{
    BookRecord record;
    BookFieldReader reader(record);
    scanIni(decodeText(bytes), reader);
    return record;
}

BookReader::BookReader(const FolderReader& folder) : m_folder(folder) {}

const BookRecord& BookReader::read(const QString& name)
{
    m_fileName.resize(0);
    m_fileName += name;
    m_fileName += QStringView(BookExtension);
    if (m_folder.read(m_fileName, m_bytes)) {
        if (!Utf8FieldReader(m_record).read(m_bytes)) {
            decodeTextInto(m_bytes, m_text);
            BookFieldReader reader(m_record);
            scanIni(m_text, reader);
        }
    } else {
        for (QString& value : m_record.values)
            emptyKeepingCapacity(value);
    }
    m_record[Field::ID] = name;
    return m_record;
}

BookRecord ReadBookRecord(const QString& path)
{
    // A book that does not exist (any more) reads as an empty book, as a missing file reads
    // everywhere in the dialect.
    BookRecord record;
    if (const std::optional<QByteArray> bytes = readWholeFileIfExists(path))
        record = bookRecordFromBytes(*bytes);
    record[Field::ID] = bookIdFromPath(path);
    return record;
}

std::vector<BookRecord> readBookRecords(const QString& directory, const QStringList& names,
                                        bool skipUnreadable)
{
    std::vector<BookRecord> records(size_t(names.size()));
    std::vector<char> read(size_t(names.size()), 0);
    const FolderReader folder(withTrailingSeparator(directory));
    WorkerPool::shared().forEachRun(names.size(), [&](qsizetype begin, qsizetype end) {
        BookReader reader(folder);
        for (qsizetype i = begin; i < end; ++i) {
            try {
                records[size_t(i)] = reader.read(names[i]);
                read[size_t(i)] = 1;
            } catch (const FileError&) {
                if (!skipUnreadable)
                    throw;
            }
        }
    });
    if (!skipUnreadable)
        return records;
    std::vector<BookRecord> kept;
    kept.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        if (read[i])
            kept.push_back(std::move(records[i]));
    }
    return kept;
}

QString lastWrittenText(const QDateTime& when, const QLocale& locale)
{
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0)) {
        text += u' ';
        text += locale.toString(when.time(), QLocale::LongFormat);
    }
    return text;
}

namespace {

// Writes a save's keys into a book file's text: the file information, then every field.
void writeBookKeys(IniFile& ini, const BookRecord& record, const QDateTime& when,
                   const QString& version)
{
    ini.writeString(SectionFileInformation, KeyCreatedBy, QString::fromUtf16(CreatedByValue));
    ini.writeString(SectionFileInformation, KeyProgramVersion, version);
    ini.writeString(SectionFileInformation, KeyLastWritten, lastWrittenText(when));
    for (const FieldDef* def : FieldTable::fileOrder()) {
        if (def->field == Field::Translation)
            ini.writeBool(def->section, def->key, record.isTranslation());
        else
            ini.writeString(def->section, def->key, record[def->field]);
    }
}

} // namespace

void writeBookFile(const QString& path, const BookRecord& record, const QDateTime& when,
                   const QString& version)
{
    refuseLinkLeavingTheCatalogue(path);
    IniFile ini = IniFile::load(path);
    writeBookKeys(ini, record, when, version);
    ini.save(path);
}

QByteArray newBookFileBytes(const BookRecord& record, const QDateTime& when, const QString& version)
{
    IniFile ini;
    writeBookKeys(ini, record, when, version);
    return ini.toBytes();
}

void writeBookFile(const QString& path, const BookRecord& record)
{
    writeBookFile(path, record, QDateTime::currentDateTime(), programVersionString());
}

} // namespace quillery
