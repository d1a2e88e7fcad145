#pragma once

#include "core/care/care_log.h"

#include <QDateTime>
#include <QFrame>
#include <QHash>
#include <QPointer>

#include <optional>

struct NotebookChange;
class PanelHost;
class CareChartsWindow;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;

// The care log panel fraKiroku (記録): a big button a kind records it now, the running
// timers, the time since the last feed and nappy, and the shown day's entries with their
// totals, which can be changed or deleted.
class CarePanel : public QFrame
{
    Q_OBJECT
public:
    CarePanel(PanelHost &screen, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();
    // The log read from its file (at the screen's load): the status line's times follow it.
    void readCareLog();
    // "授乳から 2時間35分　おむつから 1時間10分", as the panel and the status line show it.
    QString sinceLastText() const { return m_sinceLastText; }

signals:
    // The time since the last feed and nappy changed (each minute, or with the log).
    void sinceLastChanged(const QString &text);

private:
    struct KindButton {
        care::Kind kind;
        QString caption;
        QString description; // the tooltip before its key
        int key;
    };
    static const QList<KindButton> &kindButtons();
    QWidget *buildButtons();
    QWidget *buildInputs();
    QWidget *buildDay();
    QWidget *buildNow();
    void connectEntryCommands();
    void addKeys(const KindButton &k, QPushButton *button);

    // A kind's button: a moment recorded, a timer started, switched or stopped.
    void record(care::Kind kind);
    void recordMoment(care::Kind kind);
    void startOrSwitchFeed(care::Kind side);
    void toggleSleep();
    void stopFeed();
    // The running entry ended now; false (told) when its check or write refused.
    bool stopTimer(const care::Entry &running);
    std::optional<care::Entry> runningOf(bool feed) const;
    // The moment the next entry starts: the time typed (the latest such moment not after now),
    // else now; none (told) when the time is not one.
    std::optional<QDateTime> nextMoment();
    std::optional<QTime> typedTime(bool *empty);
    QString amountFor(care::Kind kind) const;
    QString noteFor(care::Kind kind, const QString &kept) const;
    // The medicine given inside its interval is asked first; true to record.
    bool doseAllowed(const care::Entry &dose);
    // The entry checked, then added or changed; false (told) when refused or not written.
    bool add(const care::Entry &entry);
    bool change(const QString &id, const std::optional<care::Entry> &now);
    void clearInputs();

    void stepTime(int minutes);
    void loadChosen();
    void saveChange();
    void deleteChosen();
    std::optional<care::Entry> chosenEntry() const;

    // What follows the log: the day's list and totals, the medicine names, the running timers.
    void showChange(const NotebookChange &change);
    void showDay();
    void showMedicineNames();
    void showNextDose();
    void tick();
    QDateTime now() const;
    void openCareCharts();

    PanelHost &m_screen;
    QPointer<CareChartsWindow> m_chartsWindow;
    QHash<int, QPushButton *> m_kindButtons; // by care::Kind
    QPushButton *m_stopFeedButton = nullptr;
    QLabel *m_timersLabel = nullptr;
    QLabel *m_sinceLastLabel = nullptr;
    QString m_sinceLastText;
    QLineEdit *m_timeEdit = nullptr;
    QLineEdit *m_amountEdit = nullptr;
    QComboBox *m_pooBox = nullptr;
    QComboBox *m_medicineBox = nullptr;
    QSpinBox *m_intervalSpin = nullptr;
    QLabel *m_nextDoseLabel = nullptr;
    QComboBox *m_dishBox = nullptr;
    QLineEdit *m_memoEdit = nullptr;
    QDateEdit *m_dayEdit = nullptr;
    QSpinBox *m_dayStartSpin = nullptr;
    QListWidget *m_dayList = nullptr;
    QLabel *m_totalsLabel = nullptr;
    QPushButton *m_loadButton = nullptr;
    QPushButton *m_saveChangeButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QTimer *m_ticker = nullptr;
    QString m_editedId; // the entry 変更 loaded into the fields
};

// One entry as the day's list reads it: "03:10–03:25 母乳（左） 15分", a running one
// "03:10– 母乳（左） 計測中 12分"; "翌" before a time past midnight of the shown day.
QString careRowText(const care::Entry &entry, QDate day, const QDateTime &now);
