#include "TestSupport.h"

#include <QFile>

#include <ostream>
#include <stdexcept>

namespace quillery::test {

QString dataPath(const QString& name)
{
    return QStringLiteral(QUILLERY_TEST_DATA_DIR "/") + name;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

std::string visible(const QByteArray& bytes)
{
    std::string out;
    for (const char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n\n";
        else
            out += c;
    }
    return out;
}

} // namespace quillery::test

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"' << quillery::test::visible(bytes) << '"';
}
QT_END_NAMESPACE
