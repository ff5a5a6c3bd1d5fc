#include "tools/isbn/IsbnRangesGenerator.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quillery::tools {

namespace {

// "0-5,600-649" as "0-5 600-649", each range of digits of one length.
QString rangesOf(QStringView text, int line)
{
    QStringList ranges;
    for (const QStringView range : text.split(u',', Qt::SkipEmptyParts)) {
        const QList<QStringView> ends = range.trimmed().split(u'-');
        bool digits = ends.size() == 2 && !ends[0].isEmpty() && ends[0].size() == ends[1].size();
        for (const QStringView end : ends) {
            for (const QChar c : end)
                digits = digits && c >= u'0' && c <= u'9';
        }
        if (!digits)
            throw IsbnRangesError("line " + std::to_string(line) +
                                  ": not a range of digits: " + range.toString().toStdString());
        ranges.append(range.trimmed().toString());
    }
    return ranges.join(u' ');
}

} // namespace

QByteArray generateIsbnRanges(const QByteArray& isbnDat)
{
    // The file: "#" comment lines (the source, its serial and date), a prefix at the start of a
    // line, its group ranges on lines indented by one blank, and each group as an indented line
    // "GROUP agency=..." followed by its registrant ranges on lines indented by two blanks.
    QStringList out;
    QString fileDate;
    QString prefix;
    QString current; // the line being collected: "978 ..." or "978-0 ..."
    const auto flush = [&] {
        if (!current.isEmpty())
            out.append(current);
        current.clear();
    };
    int number = 0;
    for (const QByteArray& raw : isbnDat.split('\n')) {
        ++number;
        const QString line = QString::fromUtf8(raw).remove(u'\r');
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'#')) {
            if (line.startsWith(u"# file date "))
                fileDate = line.sliced(12).trimmed();
            continue;
        }
        qsizetype blanks = 0;
        while (blanks < line.size() && line[blanks] == u' ')
            ++blanks;
        const QString text = line.sliced(blanks).trimmed();
        if (blanks == 0) {
            flush();
            prefix = text;
            current = prefix;
        } else if (blanks == 1 && text.contains(u' ')) {
            // A registration group: "0 agency=..."; its ranges follow.
            flush();
            current = prefix + u'-' + text.first(text.indexOf(u' '));
        } else {
            if (current.isEmpty())
                throw IsbnRangesError("line " + std::to_string(number) +
                                      ": ranges before a prefix");
            const QString ranges = rangesOf(text, number);
            if (!ranges.isEmpty())
                current += u' ' + ranges;
        }
    }
    flush();
    if (out.isEmpty() || fileDate.isEmpty())
        throw IsbnRangesError("no ranges, or no file date, in the file");
    QString text =
        QStringLiteral("# ISBN ranges of the International ISBN Agency, from python3-stdnum's "
                       "stdnum/isbn.dat\n# file date ") +
        fileDate + u'\n';
    for (const QString& line : out)
        text += line + u'\n';
    return text.toUtf8();
}

QString stdnumIsbnDat()
{
    return QStringLiteral("/usr/lib/python3/dist-packages/stdnum/isbn.dat");
}

} // namespace quillery::tools
