#pragma once

#include "core/registers/vaccinations.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QRadioButton;
class QVBoxLayout;

// 予防接種の予定: the routine vaccinations (then the optional ones) with their standard
// dates from the birth date, their routine period (対象期間) and where each stands today, each
// with a check box; OK hands the checked doses over. A dose whose date has passed starts
// unchecked (one still allowed is marked so, with its last day); one already in the schedule
// (same date and text) is shown as entered and cannot be checked.
class VaccinationWindow : public QDialog
{
    Q_OBJECT
public:
    struct Setup {
        QDate birth;
        QDate today;
        bool girl = false;
        std::function<bool(const QString &date, const QString &text)> entered;
    };
    VaccinationWindow(const Setup &setup, QWidget *parent = nullptr);

    // The checked doses, as the schedule stores them.
    QList<vaccinations::Planned> checked() const;

signals:
    // OK: the checked doses are to be added to the schedule.
    void dosesChosen(const QList<vaccinations::Planned> &doses);

private:
    void fill();

    Setup m_setup;
    QRadioButton *m_rotaOne = nullptr;
    QRadioButton *m_rotaFive = nullptr;
    QRadioButton *m_hpvTwo = nullptr;
    QRadioButton *m_hpvThree = nullptr;
    QLabel *m_leftOut = nullptr;
    QVBoxLayout *m_routine = nullptr;
    QVBoxLayout *m_optional = nullptr;
    QList<std::pair<QCheckBox *, vaccinations::Planned>> m_rows;
};
