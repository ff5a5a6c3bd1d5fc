#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace quillery::fuzz {

void setUp()
{
    static const bool done = [] {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
        return true;
    }();
    (void)done;
}

const QString& scratchDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/quillery-fuzz-XXXXXX"));
    static const QString path = []() -> QString {
        if (!dir.isValid())
            fail("cannot create the scratch folder");
        return dir.path() + u'/';
    }();
    return path;
}

void writeScratch(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fail("cannot write a scratch file");
}

QByteArray readScratch(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail("cannot read a scratch file");
    return f.readAll();
}

} // namespace quillery::fuzz
