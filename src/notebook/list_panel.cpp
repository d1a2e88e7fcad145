#include "notebook/list_panel.h"

#include "common/ui_util.h"
#include "notebook/panel_host.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

ListPanel::ListPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraList"));
    auto *layout = new QVBoxLayout(this);
    m_msgList = new QTableWidget(this);
    nameControl(m_msgList, QStringLiteral("msgList"), QStringLiteral("育児日記の一覧"));
    layout->addWidget(makeLabel(QStringLiteral("育児日記の一覧"), m_msgList, this));
    layout->addWidget(m_msgList);
}

void ListPanel::open()
{
    m_host.panelHide();
    show();
}
