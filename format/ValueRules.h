#pragma once
#include <QChar>
#include <QString>
namespace quillery {
QString fullTitle(const QString& title, const QString& subtitle, const QString& separator);
QString unformattedIsbn(const QString& isbn);
QString dashString(QChar dashChar, bool dashSpaced);
}
