#include "registers/gift_panel.h"

#include "common/ui_util.h"
#include "notebook/panel_host.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

GiftPanel::GiftPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraItadaki"));
    auto *layout = new QHBoxLayout(this);
    m_msgItadaki = new QTableWidget(this);
    nameControl(m_msgItadaki, QStringLiteral("msgItadaki"), QStringLiteral("頂きもの"));
    m_msgAgeru = new QTableWidget(this);
    nameControl(m_msgAgeru, QStringLiteral("msgAgeru"), QStringLiteral("贈りもの"));
    for (QTableWidget *grid : {m_msgItadaki, m_msgAgeru}) {
        auto *column = new QVBoxLayout;
        column->addWidget(makeLabel(grid->accessibleName(), grid, this));
        column->addWidget(grid);
        layout->addLayout(column);
    }
}

void GiftPanel::open()
{
    m_host.panelHide();
    show();
}
