#pragma once

#include <QFrame>

class PanelHost;
class QTableWidget;

// The diary list panel fraList.
class ListPanel : public QFrame
{
    Q_OBJECT
public:
    ListPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();
    QTableWidget *msgList() const { return m_msgList; }

private:
    PanelHost &m_host;
    QTableWidget *m_msgList = nullptr;
};
