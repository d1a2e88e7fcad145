#pragma once

#include "core/book/notebook_tables.h"
#include "core/registers/vaccinations.h"

#include <QFrame>

class PanelHost;
class QComboBox;
class QLineEdit;
class QPushButton;
class RegisterGrid;

// The schedule panel fraYotei: planned events with the days left, coloured as they come near.
class SchedulePanel : public QFrame
{
    Q_OBJECT
public:
    SchedulePanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();
    RegisterGrid *msgYotei() const;
    // The grid's headers and widths, no rows.
    void setupGrid();

    // readSchedule: the Notebook's schedule read from 予定.txt; the grid shows it coloured and
    // in order of remaining days.
    void readSchedule();
    int yoteiCount() const;

    // 予防接種の予定: the window of standard vaccination dates (refused without a birth date).
    void openVaccinations();

private:
    // The grid follows the Notebook's schedule.
    void showChange(const NotebookChange &change);
    void addDoses(const QList<vaccinations::Planned> &doses);
    void add();
    bool hasEntry(const QString &date, const QString &description) const;
    void deleteChosen();
    void deleteAll();
    // Returns where each row went (0-based).
    QList<int> sort();

    PanelHost &m_host;
    RegisterGrid *m_scheduleGrid = nullptr;
    QComboBox *m_scheduleDateBox = nullptr;
    QLineEdit *m_scheduleTextEdit = nullptr;
    QPushButton *m_saveScheduleButton = nullptr;
    QPushButton *m_deleteEntryButton = nullptr;
    QPushButton *m_clearAllButton = nullptr;
    int m_lastAdded = 0; // the grid row where the last record added went
};
