#pragma once

#include <QFrame>

class PanelHost;
class QTableWidget;

// The gift panel fraItadaki: gifts given and received.
class GiftPanel : public QFrame
{
    Q_OBJECT
public:
    GiftPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();
    QTableWidget *msgItadaki() const { return m_msgItadaki; }
    QTableWidget *msgAgeru() const { return m_msgAgeru; }

private:
    PanelHost &m_host;
    QTableWidget *m_msgItadaki = nullptr;
    QTableWidget *m_msgAgeru = nullptr;
};
