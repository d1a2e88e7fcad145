#include "ui/handbook/milestone_view.h"

#include "ui/widgets/panel_host.h"

MilestoneView::MilestoneView(PanelHost &host, QWidget *parent) : QWidget(parent), m_host(host) {}

void MilestoneView::open() {}
