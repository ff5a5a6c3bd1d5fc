#pragma once

#include <QString>
#include <QStringView>

namespace quillery {

// Field text for HTML. With escape off the text comes back unchanged; with it on "&", "<" and ">"
// become "&amp;", "&lt;" and "&gt;" (in that order, so a typed entity is escaped again). Quotes
// and every other character pass as they are.
QString EscapeHtml(const QString& text, bool escape);

// A value for a double-quoted attribute: "&", "<", ">" and '"' become entity references,
// always. Text of letters, digits and hyphens comes back unchanged.
QString escapeAttribute(QStringView text);

// Field text for a URL. Unreserved characters stay, a space becomes "+", other code units up to
// U+00FF become "%XX" (two upper-case hex digits of the Latin-1 value), and every code unit above
// that becomes "%26%23<decimal>%3b", the encoded numeric character reference; a character outside
// the Basic Multilingual Plane gives one such group per surrogate. The result is pure ASCII.
QString UrlEncode(QStringView text);

// UrlEncode appended to out, without building the encoded value separately.
void appendUrlEncoded(QString& out, QStringView text);

} // namespace quillery
