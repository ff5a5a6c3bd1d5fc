#pragma once

#include <QByteArray>
#include <QString>

#include <iosfwd>

namespace quillery::test {

// A string from UTF-8 text: the tests' literals hold any character as it is.
inline QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The path of a file under tests/data.
QString dataPath(const QString& name);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

// Shows control characters, so a failed comparison of file bytes is readable.
std::string visible(const QByteArray& bytes);

} // namespace quillery::test

// Lets GoogleTest print QString values in failure messages.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
QT_END_NAMESPACE
