#include "PageLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace krv {

PageFrame MakePage(const QString& panelName, const QString& headerName, const QString& fixedCaption)
{
    PageFrame f;
    f.panel = new QWidget;
    f.panel->setObjectName(panelName);
    auto* outer = new QVBoxLayout(f.panel);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    f.header = new QLabel(fixedCaption, f.panel);
    f.header->setObjectName(headerName.isEmpty() ? panelName + QStringLiteral("Caption") : headerName);
    f.header->setProperty("pageHeader", true);
    f.header->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; padding: 4px 8px; background: #dde5ee;"
                                           " border-bottom: 1px solid #a8b6c6; }"));
    outer->addWidget(f.header);
    f.body = new QVBoxLayout;
    f.body->setContentsMargins(6, 4, 6, 4);
    f.body->setSpacing(4);
    outer->addLayout(f.body, 1);
    return f;
}

QGroupBox* MakeGroup(const QString& name, const QString& caption, QWidget* parent)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

QLabel* MakeCaption(const QString& name, const QString& text, bool wrap, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(wrap);
    return l;
}

QGridLayout* MakeFieldGrid(QWidget* parent)
{
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);
    return grid;
}

void AddRow(QGridLayout* grid, QLabel* caption, QWidget* control, int controlSpan)
{
    const int row = grid->rowCount();
    caption->setBuddy(control);
    grid->addWidget(caption, row, 0, Qt::AlignVCenter);
    grid->addWidget(control, row, 1, 1, controlSpan, Qt::AlignLeft | Qt::AlignVCenter);
}

void AddWide(QGridLayout* grid, QWidget* control)
{
    grid->addWidget(control, grid->rowCount(), 0, 1, -1);
}

} // namespace krv
