#include "registers/photo_panel.h"

#include "common/panel_host.h"

#include <QLabel>
#include <QVBoxLayout>

PhotoPanel::PhotoPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraPhoto"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("写真館"), this));
    layout->addStretch();
}

void PhotoPanel::open()
{
    m_host.panelHide();
    show();
}
