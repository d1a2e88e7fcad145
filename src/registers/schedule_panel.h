#pragma once

#include <QFrame>

class PanelHost;
class QTableWidget;

// The schedule panel fraYotei.
class SchedulePanel : public QFrame
{
    Q_OBJECT
public:
    SchedulePanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();
    QTableWidget *msgYotei() const { return m_msgYotei; }

private:
    PanelHost &m_host;
    QTableWidget *m_msgYotei = nullptr;
};
