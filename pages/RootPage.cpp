#include "RootPage.h"

#include "PageLayout.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace krv {

RootPage::RootPage(QObject* parent) : QObject(parent)
{
    const PageFrame page = MakePage(QStringLiteral("Panel10"), QStringLiteral("Label30"));
    m_panel = page.panel;
    m_label30 = page.header;

    m_actionName = new QLabel(m_panel);
    m_actionName->setObjectName(QStringLiteral("ActionName"));
    m_actionName->setWordWrap(true);
    QFont bold = m_actionName->font();
    bold.setBold(true);
    m_actionName->setFont(bold);
    m_actionName->setMinimumHeight(m_actionName->fontMetrics().lineSpacing() * 2);

    m_progress = new QProgressBar(m_panel);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    m_clearSaveArea = new QCheckBox(QString::fromUtf8("При программировании очистить память режимов"), m_panel);
    m_clearSaveArea->setObjectName(QStringLiteral("CheckBoxClearSaveArea"));

    m_tmpLabel = new QLabel(m_panel);
    m_tmpLabel->setObjectName(QStringLiteral("TMPLabel"));
    m_tmpLabel->hide();

    page.body->addWidget(m_clearSaveArea);
    page.body->addWidget(m_actionName);
    page.body->addWidget(m_progress);
    page.body->addStretch(1);
}

void RootPage::Prepare()
{
    m_actionName->clear();
}

} // namespace krv
