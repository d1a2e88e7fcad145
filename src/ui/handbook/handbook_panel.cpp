#include "ui/handbook/handbook_panel.h"

#include "core/book/notebook.h"
#include "ui/handbook/checkup_view.h"
#include "ui/handbook/milestone_view.h"
#include "ui/widgets/panel_host.h"

#include <QTabWidget>
#include <QVBoxLayout>

HandbookPanel::HandbookPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraTecho"));
    setAccessibleName(QStringLiteral("手帳"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabTecho"));
    m_tabs->setAccessibleName(QStringLiteral("手帳"));
    m_checkups = new CheckupView(host, m_tabs);
    m_milestones = new MilestoneView(host, m_tabs);
    m_tabs->addTab(m_checkups, QStringLiteral("健診"));
    m_tabs->addTab(m_milestones, QStringLiteral("できたよ"));
    layout->addWidget(m_tabs, 1);
    hide();
}

void HandbookPanel::open()
{
    m_host.panelHide();
    Notebook &nb = m_host.notebook();
    nb.readTable(NotebookTable::Checkups);
    nb.readTable(NotebookTable::Milestones);
    m_checkups->open();
    m_milestones->open();
    show();
    m_tabs->currentWidget()->setFocus(Qt::OtherFocusReason);
}
