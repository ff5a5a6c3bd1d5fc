#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace quillery {

// Base of every failure the core reports to the user. The message is exactly the text the
// program's error box shows; nothing upstream rewrites it.
class Error : public std::exception {
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A file that could not be read or written. Carries the path and the system's reason beside the
// composed message, so callers and tests can tell them apart.
class FileError final : public Error {
public:
    enum class Kind { Open, Create, Delete, Rename, Copy };

    FileError(Kind kind, QString path, QString reason);

    Kind kind() const noexcept { return m_kind; }
    const QString& path() const noexcept { return m_path; }
    const QString& reason() const noexcept { return m_reason; }

    // "Cannot open file "%s". %s" and friends, with the native form of the path.
    static QString compose(Kind kind, const QString& path, const QString& reason);

private:
    Kind m_kind;
    QString m_path;
    QString m_reason;
};

} // namespace quillery
