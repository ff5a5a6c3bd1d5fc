#include "settings/UnicodeNames.h"

#include "base/TextCodec.h"

#include <QFile>
#include <QHash>

// The table lives in the core library's resources; a static library needs them pulled in by name.
static void initUnicodeNameResource()
{
    Q_INIT_RESOURCE(ucnames);
}

namespace quillery {

namespace {

// Parses the "XXXX=NAME" lines. The key is the text before the first "=" and is compared ignoring
// case; the first line for a key wins.
QHash<int, QString> readTable()
{
    initUnicodeNameResource();
    QFile file(QStringLiteral(":/data/UCNAMES"));
    QHash<int, QString> names;
    if (!file.open(QIODevice::ReadOnly))
        return names;
    const QString text = QString::fromLatin1(file.readAll());
    for (const QStringView line : splitLines(text)) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq != 4)
            continue; // keys of other lengths match no formed key
        bool ok = false;
        const int code = line.first(eq).toInt(&ok, 16);
        if (ok && !line.first(eq).startsWith(u'+') && !line.first(eq).startsWith(u'-') &&
            !names.contains(code))
            names.insert(code, line.sliced(eq + 1).toString());
    }
    return names;
}

} // namespace

QString UnicodeCharName(int code)
{
    static const QHash<int, QString> table = readTable();
    if (code < 0 || code > 0xFFFF)
        return {};
    return table.value(code);
}

} // namespace quillery
