#pragma once
#include <QString>
#include <QStringView>
namespace quillery {
QString EscapeHtml(const QString& text, bool escape);
QString UrlEncode(QStringView text);
void appendUrlEncoded(QString& out, QStringView text);
}
