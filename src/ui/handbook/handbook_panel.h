#pragma once

#include <QFrame>

class CheckupView;
class MilestoneView;
class PanelHost;
class QComboBox;
class QTabWidget;

// The handbook panel fraTecho (手帳): the check-ups and the firsts, each on its tab, and the
// page copied into the 母子健康手帳.
class HandbookPanel : public QFrame
{
    Q_OBJECT
public:
    HandbookPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();

    CheckupView *checkups() const { return m_checkups; }
    MilestoneView *milestones() const { return m_milestones; }

private:
    QWidget *buildCopyRow();
    // 母子手帳に書き写す: the chosen age's page printed.
    void printCopy();
    // The cursor in the shown tab's first field.
    void showTab();

    PanelHost &m_host;
    QComboBox *m_copyAge = nullptr;
    QTabWidget *m_tabs = nullptr;
    CheckupView *m_checkups = nullptr;
    MilestoneView *m_milestones = nullptr;
};
