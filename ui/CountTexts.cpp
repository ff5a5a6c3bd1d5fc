#include "ui/CountTexts.h"

#include "ui/Translation.h"

#include <QCoreApplication>

namespace quillery::ui {

namespace {

QString number(qsizetype n)
{
    return uiLocale().toString(n);
}

QString text(const char* english)
{
    return QCoreApplication::translate("CountTexts", english);
}

} // namespace

QString bookCountLine(qsizetype count)
{
    return text(QT_TRANSLATE_NOOP("CountTexts", "%1 book(s) in this catalogue."))
        .arg(number(count));
}

QString shownBooksLine(qsizetype shown, qsizetype total)
{
    return text(QT_TRANSLATE_NOOP("CountTexts", "%1 of %2 book(s) shown."))
        .arg(number(shown), number(total));
}

QString undecodableNamesLine(int count)
{
    return text(QT_TRANSLATE_NOOP("CountTexts",
                                  "%1 book file(s) left out: their names are not valid UTF-8."))
        .arg(number(count));
}

QString booksUpgradedLine(int count)
{
    return text(QT_TRANSLATE_NOOP("CountTexts", "%1 books upgraded.")).arg(number(count));
}

QString shelfLeftOutLine(const QStringList& leftOut)
{
    return text(QT_TRANSLATE_NOOP("CountTexts",
                                  "%1 book file(s) left out of the shelf: they are links to files "
                                  "outside the catalogue folder or to nothing: %2."))
        .arg(number(leftOut.size()), leftOut.join(QStringLiteral(", ")));
}

QString importSummaryLine(int imported, int duplicates, int rejected)
{
    return text(QT_TRANSLATE_NOOP("CountTexts",
                                  "%1 books imported, %2 duplicates skipped, %3 records rejected."))
        .arg(number(imported), number(duplicates), number(rejected));
}

} // namespace quillery::ui
