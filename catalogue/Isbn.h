#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace quillery {

// One ISBN of an ISBN field, as typed and as read.
struct IsbnEntry {
    // The ISBN as it stands in the field, trimmed ("ISBN 0-306-40615-2 (pbk.)").
    QString text;
    // Where the ISBN itself (without label and qualifier: "0-306-40615-2") stands in the field.
    qsizetype start = 0;
    qsizetype length = 0;
    // Its digits, and an X at the end of an ISBN-10, without the label, blanks, hyphens and
    // qualifier ("0306406152").
    QString digits;
    // What is wrong with it ("The check digit should be 3."); empty when it is a valid ISBN.
    QString problem;
    // For a valid ISBN: the digits of its ISBN-13, and of its ISBN-10 (empty when it has none,
    // as an ISBN-13 that begins with 979).
    QString isbn13;
    QString isbn10;

    bool valid() const { return problem.isEmpty(); }
};

// The ISBNs of a field: separated by ";" or ",", each an ISBN-10 or ISBN-13 with blanks or
// hyphens anywhere, a label in front ("ISBN", "ISBN-13:") and a qualifier in parentheses after
// ("(pbk.)") allowed. Empty parts are passed over.
std::vector<IsbnEntry> parseIsbns(QStringView field);

// The check digit of the first nine digits of an ISBN-10 ('0' to '9' or 'X'), and of the first
// twelve of an ISBN-13. The digits must be ASCII digits.
QChar isbn10CheckDigit(QStringView nineDigits);
QChar isbn13CheckDigit(QStringView twelveDigits);

// The ISBN-13 of a valid ISBN-10 (978 in front, the check digit computed anew), and the ISBN-10
// of a valid ISBN-13 that begins with 978; nothing otherwise.
std::optional<QString> isbn10To13(QStringView isbn10);
std::optional<QString> isbn13To10(QStringView isbn13);

// The ranges of the International ISBN Agency: for each prefix (978, 979) the lengths of its
// registration groups, and for each group the lengths of its registrants, as ranges of digits.
class IsbnRanges {
public:
    // Reads the table: lines "PREFIX-GROUP RANGE RANGE ..." (a registration group and its
    // registrant ranges) and "PREFIX RANGE RANGE ..." (a prefix and its group ranges), where a
    // range is "FIRST-LAST" of digits of one length; "#" lines are comments. Never fails: lines it
    // does not understand are passed over.
    static IsbnRanges parse(QByteArrayView text);
    // The table compiled into the program, read on first use.
    static const IsbnRanges& instance();
    // The text compiled into the program.
    static QByteArray resourceText();

    // The ISBN-13 digits with hyphens between prefix, group, registrant, publication and check
    // digit ("978-0-306-40615-7"); nothing when the ranges do not place them (an unassigned
    // group or registrant).
    std::optional<QString> hyphenate13(QStringView isbn13) const;
    // The same for an ISBN-10 ("0-306-40615-2"), placed as its ISBN-13.
    std::optional<QString> hyphenate10(QStringView isbn10) const;

    // The date of the agency's file the table was made from, as its header gives it.
    const QString& fileDate() const { return m_fileDate; }
    bool isEmpty() const { return m_prefixes.empty(); }

private:
    struct Range {
        QString first;
        QString last;
    };
    struct Group {
        QString prefix;
        QString group;
        std::vector<Range> registrants;
    };
    struct Prefix {
        QString prefix;
        std::vector<Range> groups;
    };
    // The length of the range that holds the digits at the start of `text`; 0 when none does.
    static qsizetype matchLength(const std::vector<Range>& ranges, QStringView text);

    std::vector<Prefix> m_prefixes;
    std::vector<Group> m_groups;
    QString m_fileDate;
};

// An ISBN field with each valid ISBN hyphenated (ISBN-10 as ISBN-10, ISBN-13 as ISBN-13), or
// converted to ISBN-13 or ISBN-10 and hyphenated; everything else of the field (separators,
// labels, qualifiers, ISBNs that are not valid or have no such form) stays as typed.
enum class IsbnEdit { Hyphenate, ToIsbn13, ToIsbn10 };
QString editIsbnField(QStringView field, IsbnEdit edit);

} // namespace quillery
