#pragma once

#include <QWidget>

class PanelHost;
class QListWidget;
class QToolButton;

// The anniversary list beside the diary page: lstKinen and the picture button cmdKinen.
class AnniversaryBox : public QWidget
{
    Q_OBJECT
public:
    AnniversaryBox(PanelHost &host, QWidget *parent = nullptr);

    // KINEN_READ: the list from 記念日.txt.
    void KINEN_READ();

private:
    PanelHost &m_host;
    QListWidget *m_lstKinen = nullptr;
    QToolButton *m_cmdKinen = nullptr;
};
