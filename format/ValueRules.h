#pragma once

#include <QChar>
#include <QString>

namespace quillery {

// The full title (code F): the subtitle after the separator, or in brackets after a space when the
// separator is exactly one opening bracket "(", "[", "{" or "<". An empty subtitle leaves the title
// alone. Title and subtitle are joined as stored, untrimmed.
QString fullTitle(const QString& title, const QString& subtitle, const QString& separator);

// The ISBN without its hyphen-minus characters (code I). Spaces and other dashes stay.
QString unformattedIsbn(const QString& isbn);

// What the dash form puts before a non-empty value: the dash alone, or framed by single spaces.
QString dashString(QChar dashChar, bool dashSpaced);

} // namespace quillery
