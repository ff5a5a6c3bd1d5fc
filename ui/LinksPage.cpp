#include "ui/LinksPage.h"

#include "ui/Translation.h"

#include "format/Legend.h"
#include "session/Session.h"
#include "ui/MemoLines.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>

namespace quillery::ui {

TLinksPage::TLinksPage(Session& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("TabSheet3"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    teDataLinks = new QPlainTextEdit(this);
    teDataLinks->setObjectName(QStringLiteral("teDataLinks"));
    teDataLinks->setFrameShape(QFrame::NoFrame);
    teDataLinks->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab goes on to the legend, as in every other memo: a template has no use for a tab.
    teDataLinks->setTabChangesFocus(true);
    connect(teDataLinks, &QPlainTextEdit::textChanged, this,
            [this] { m_session.setLinkTemplates(memoLines(teDataLinks)); });
    mFormatLegend2 = new QPlainTextEdit(this);
    mFormatLegend2->setObjectName(QStringLiteral("mFormatLegend2"));
    mFormatLegend2->setReadOnly(true);
    mFormatLegend2->setFixedWidth(226);
    mFormatLegend2->setLineWrapMode(QPlainTextEdit::NoWrap);
    mFormatLegend2->setPlainText(linkLegendLines(translatedLegend()).join(u'\n'));
    // A narrow column: the descriptions start right after the longest code.
    mFormatLegend2->setTabStopDistance(
        mFormatLegend2->fontMetrics().horizontalAdvance(QStringLiteral("%xNNNN")) + 8);
    layout->addWidget(teDataLinks, 1);
    layout->addWidget(mFormatLegend2);
}

void TLinksPage::showTemplates()
{
    // The session then holds what the memo reads back, as every later edit leaves it.
    teDataLinks->setPlainText(m_session.linkTemplates().join(u'\n'));
}

} // namespace quillery::ui
