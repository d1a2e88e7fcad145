#pragma once

#include "core/care/care_chart.h"

#include <QDialog>

#include <memory>

class Dialogs;
class Notebook;
class Printer;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// 生活リズム: the care log of a week or a month as the rhythm chart and the temperature chart,
// with their print, the page for the doctor and the export for a spreadsheet.
class CareChartsWindow : public QDialog
{
    Q_OBJECT
public:
    // Without a printer the window prints through the real one.
    CareChartsWindow(Notebook &notebook, Dialogs &dialogs, QWidget *parent = nullptr,
                     Printer *printer = nullptr);
    ~CareChartsWindow() override;

    // The rows of the days shown, first day first.
    const QList<care::RhythmRow> &shownRows() const { return m_rows; }

private:
    void showPeriod();
    void step(int direction);
    void printShown();
    void printForVisit();
    void exportCsv();
    Printer &printer();

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer *m_printer = nullptr;
    std::unique_ptr<Printer> m_ownPrinter;
    QRadioButton *m_weekOption = nullptr;
    QRadioButton *m_monthOption = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_forwardButton = nullptr;
    QLabel *m_periodLabel = nullptr;
    QWidget *m_rhythmView = nullptr;
    QWidget *m_temperatureView = nullptr;
    QLineEdit *m_csvFromEdit = nullptr;
    QLineEdit *m_csvToEdit = nullptr;
    QDate m_lastShown; // the week ends on it; the month is its month
    int m_dayStartHour = 0;
    QList<care::RhythmRow> m_rows;
};
