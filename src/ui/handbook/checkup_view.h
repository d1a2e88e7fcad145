#pragma once

#include <QWidget>

class PanelHost;

// 健診: the routine check-ups and the free ones the parent adds, each with its measures, the
// doctor's remarks and the parent's note.
class CheckupView : public QWidget
{
    Q_OBJECT
public:
    CheckupView(PanelHost &host, QWidget *parent = nullptr);

    // The handbook panel was opened: the list as the Notebook holds it.
    void open();

private:
    PanelHost &m_host;
};
