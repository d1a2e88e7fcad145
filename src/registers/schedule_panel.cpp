#include "registers/schedule_panel.h"

#include "common/ui_util.h"
#include "notebook/panel_host.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

SchedulePanel::SchedulePanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraYotei"));
    auto *layout = new QVBoxLayout(this);
    m_msgYotei = new QTableWidget(this);
    nameControl(m_msgYotei, QStringLiteral("msgYotei"), QStringLiteral("予定一覧"));
    layout->addWidget(makeLabel(QStringLiteral("予定一覧"), m_msgYotei, this));
    layout->addWidget(m_msgYotei);
}

void SchedulePanel::open()
{
    m_host.panelHide();
    show();
}
