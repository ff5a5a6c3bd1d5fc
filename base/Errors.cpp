#include "base/Errors.h"

#include <QDir>

namespace quillery {

FileError::FileError(Kind kind, QString path, QString reason)
    : Error(compose(kind, path, reason)), m_kind(kind), m_path(std::move(path)),
      m_reason(std::move(reason))
{}

QString FileError::compose(Kind kind, const QString& path, const QString& reason)
{
    QString pattern;
    switch (kind) {
    case Kind::Open:
        pattern = QStringLiteral("Cannot open file \"%1\". %2");
        break;
    case Kind::Create:
        pattern = QStringLiteral("Cannot create file \"%1\". %2");
        break;
    case Kind::Delete:
        pattern = QStringLiteral("Cannot delete file \"%1\". %2");
        break;
    case Kind::Rename:
        pattern = QStringLiteral("Cannot rename file \"%1\". %2");
        break;
    case Kind::Copy:
        pattern = QStringLiteral("Cannot copy file \"%1\". %2");
        break;
    }
    return pattern.arg(QDir::toNativeSeparators(path), reason);
}

} // namespace quillery
