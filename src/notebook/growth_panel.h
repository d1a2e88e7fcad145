#pragma once

#include <QFrame>

class PanelHost;


// The growth panel fraGraph: height and weight lists and chart.
class GrowthPanel : public QFrame
{
    Q_OBJECT
public:
    GrowthPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();

private:
    PanelHost &m_host;

};
