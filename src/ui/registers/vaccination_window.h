#pragma once

#include "core/registers/vaccination_print.h"
#include "core/registers/vaccinations.h"

#include <QDialog>

#include <functional>

class Dialogs;
class Printer;
class QCheckBox;
class QLabel;
class QRadioButton;
class QVBoxLayout;

// 予防接種の予定: the routine vaccinations (then the optional ones) with their standard
// dates from the birth date, their routine period (対象期間) and where each stands today, each
// with a check box; OK hands the checked doses over. A dose whose date has passed starts
// unchecked (one still allowed is marked so, with its last day); one already in the schedule
// (same date and text) is shown as entered and cannot be checked. Beside each dose, its mark (済,
// 予定, 期限が近い, 期限切れ) and 接種済み, which records the dose given in 予防接種の記録.txt;
// the doses after a late one move by the table's least interval.
class VaccinationWindow : public QDialog
{
    Q_OBJECT
public:
    struct Setup {
        QDate birth;
        QDate today;
        bool girl = false;
        std::function<bool(const QString &date, const QString &text)> entered;
        Dialogs *dialogs = nullptr;
        Printer *printer = nullptr;
        QString nickname;
        // The doses given, as the Notebook holds them, and the way to record one.
        std::function<QList<vaccination_records::Entry>()> given;
        std::function<bool(const vaccination_records::Entry &)> mark;
    };
    VaccinationWindow(const Setup &setup, QWidget *parent = nullptr);

    // The checked doses, as the schedule stores them.
    QList<vaccinations::Planned> checked() const;

    // The doses and their marks again (after another computer's change).
    void refresh() { fill(); }

signals:
    // OK: the checked doses are to be added to the schedule.
    void dosesChosen(const QList<vaccinations::Planned> &doses);

private:
    void fill();
    void print();
    QWidget *doseRow(QCheckBox *box, const vaccinations::Planned &planned, QDate givenOn);
    void askGiven(const vaccinations::Planned &planned);
    bool recordGiven(const vaccinations::Planned &planned, const QStringList &typed);

    Setup m_setup;
    QRadioButton *m_rotaOne = nullptr;
    QRadioButton *m_rotaFive = nullptr;
    QRadioButton *m_hpvTwo = nullptr;
    QRadioButton *m_hpvThree = nullptr;
    QLabel *m_leftOut = nullptr;
    QVBoxLayout *m_routine = nullptr;
    QVBoxLayout *m_optional = nullptr;
    QList<std::pair<QCheckBox *, vaccinations::Planned>> m_rows;
    QList<QWidget *> m_rowWidgets;
    QList<vaccinations::Planned> m_planned; // as shown, after the doses given
};
