#pragma once

#include <QFrame>

class PanelHost;

// The photo album panel fraPhoto.
class PhotoPanel : public QFrame
{
    Q_OBJECT
public:
    PhotoPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();

private:
    PanelHost &m_host;
};
