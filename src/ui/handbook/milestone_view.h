#pragma once

#include <QWidget>

class PanelHost;

// できたよ: the child's firsts with their days and the child's age on each.
class MilestoneView : public QWidget
{
    Q_OBJECT
public:
    MilestoneView(PanelHost &host, QWidget *parent = nullptr);

    // The handbook panel was opened: the list as the Notebook holds it.
    void open();

private:
    PanelHost &m_host;
};
