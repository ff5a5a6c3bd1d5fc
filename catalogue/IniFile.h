#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace quillery {

// The INI dialect of book files and the directory options file.
//
// Reading: the text is split into lines at CR LF, LF or CR and every line trimmed of U+0000 to
// U+0020, byte-order marks (U+FEFF) at its start with them. Empty lines and lines starting with
// ';' are dropped; "[name]" opens a section; a line with '=' is an entry (key and value trimmed);
// any other line inside a section is kept as it is and never found; lines before the first
// section are dropped. Sections and keys compare without regard to case and the first of a name
// wins.
//
// Writing: the UTF-8 byte-order mark, then each section as "[name]", its lines, and one empty
// line, every line ended by CR LF. Writing a key replaces its first entry in place or appends it
// to its section, so whatever the program does not write survives an update.
//
// Values with line breaks: the plain format has no way to carry them, so such a value is written
// as its first line in the plain "key=value" form, followed by continuation lines that start with
// a backslash escape and contain no '=' (a reader that knows only the plain form sees the first
// line and passes over the rest). In continuation lines "\r" and "\n" stand for the line breaks,
// "\\" for a backslash and "\uXXXX" for '=' and for blanks that trimming would otherwise remove.
// Every text therefore round-trips exactly, except that a value as a whole is trimmed.
// Receives the parsed lines of an INI text in order. The views are valid only during the call.
class IniVisitor {
public:
    virtual ~IniVisitor() = default;
    virtual void section(QStringView name) = 0;
    // An entry with its complete value (continuation lines already joined and the whole
    // trimmed). Entries before the first section are never reported.
    virtual void entry(QStringView key, QStringView value) = 0;
    // A line without '=' inside a section, trimmed.
    virtual void keyless(QStringView line) = 0;
};

// Parses text in the dialect and reports what it finds; IniFile is built on it, and readers
// that need only a few keys use it directly to avoid copying the rest.
void scanIni(QStringView text, IniVisitor& visitor);

class IniFile {
public:
    IniFile() = default;

    // Parses text that is already decoded.
    static IniFile parse(QStringView text);
    // Decodes file bytes with decodeText (a leading byte-order mark is skipped; a byte that is
    // not part of valid UTF-8 is read in the legacy code page, so that a later save keeps what the
    // user wrote).
    static IniFile fromBytes(QByteArrayView bytes);
    // Reads a file; a missing file gives an empty document. Throws FileError when an existing
    // file cannot be read.
    static IniFile load(const QString& path);

    bool hasSection(QStringView section) const;
    bool contains(QStringView section, QStringView key) const;
    QString readString(QStringView section, QStringView key, const QString& fallback = {}) const;
    // True when the value reads as a whole number other than 0 (decimal, or hexadecimal after
    // '$', "0x" or "0X"), false for any other value; the fallback only for a missing key.
    bool readBool(QStringView section, QStringView key, bool fallback) const;

    void writeString(QStringView section, QStringView key, const QString& value);
    void writeBool(QStringView section, QStringView key, bool value);

    QStringList sectionNames() const;

    // The text as written: CR LF line ends, an empty line after each section, no byte-order mark.
    QString toText() const;
    // The byte-order mark followed by toText() in UTF-8.
    QByteArray toBytes() const;
    // Writes toBytes() to the file atomically; throws FileError (Create) on failure.
    void save(const QString& path) const;

private:
    struct Line {
        bool isEntry = false;
        QString key;   // the trimmed key, or the whole trimmed line of a line without '='
        QString value; // trimmed, line breaks included
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
    };

    const Section* findSection(QStringView name) const;
    const Line* findEntry(QStringView section, QStringView key) const;
    Line& entryForWrite(QStringView section, QStringView key);

    std::vector<Section> m_sections;
};

// Parses the whole-number text of a boolean value: an optional sign, then decimal digits, or
// hexadecimal digits after '$', "0x" or "0X". Returns false when the text is not such a number;
// otherwise sets isNonZero.
bool parseIniWholeNumber(QStringView text, bool& isNonZero);

} // namespace quillery
