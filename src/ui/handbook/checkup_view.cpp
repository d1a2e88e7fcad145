#include "ui/handbook/checkup_view.h"

#include "ui/widgets/panel_host.h"

CheckupView::CheckupView(PanelHost &host, QWidget *parent) : QWidget(parent), m_host(host) {}

void CheckupView::open() {}
