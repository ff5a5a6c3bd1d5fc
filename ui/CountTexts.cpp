#include "ui/CountTexts.h"

#include "ui/Translation.h"

#include <QCoreApplication>

#include <climits>

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

// A text whose translation has a form for each plural of the language, chosen by `count`; the
// English source text is shown as it stands.
QString pluralText(const char* english, qsizetype count)
{
    return QCoreApplication::translate("CountTexts", english, nullptr,
                                       int(qMin<qsizetype>(count, INT_MAX)));
}

} // namespace

QString bookCountLine(qsizetype count)
{
    return pluralText(QT_TRANSLATE_N_NOOP("CountTexts", "%1 book(s) in this catalogue."), count)
        .arg(number(count));
}

QString shownBooksLine(qsizetype shown, qsizetype total)
{
    return pluralText(QT_TRANSLATE_N_NOOP("CountTexts", "%1 of %2 book(s) shown."), total)
        .arg(number(shown), number(total));
}

QString undecodableNamesLine(int count)
{
    return pluralText(
               QT_TRANSLATE_N_NOOP("CountTexts",
                                   "%1 book file(s) left out: their names are not valid UTF-8."),
               count)
        .arg(number(count));
}

QString booksUpgradedLine(int count)
{
    return pluralText(QT_TRANSLATE_N_NOOP("CountTexts", "%1 books upgraded."), count)
        .arg(number(count));
}

QString shelfLeftOutLine(const QStringList& leftOut)
{
    return pluralText(QT_TRANSLATE_N_NOOP(
                          "CountTexts", "%1 book file(s) left out of the shelf: they are links to "
                                        "files outside the catalogue folder or to nothing: %2."),
                      leftOut.size())
        .arg(number(leftOut.size()), leftOut.join(QStringLiteral(", ")));
}

QString importSummaryLine(int imported, int duplicates, int rejected)
{
    return text(QT_TRANSLATE_NOOP("CountTexts",
                                  "%1 books imported, %2 duplicates skipped, %3 records rejected."))
        .arg(number(imported), number(duplicates), number(rejected));
}

} // namespace quillery::ui
