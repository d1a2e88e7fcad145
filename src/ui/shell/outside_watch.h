#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class Dialogs;
class Notebook;
class QFileSystemWatcher;
class QTimer;

// Watches the notebook folder for what another computer (through a sync tool) changes while
// the notebook is open: a changed file is read again within a moment and the screens show it;
// a sync tool's conflict copy is offered to be joined into its file. What came in is said in
// one line, never a box per file; the program's own writes change nothing here.
class OutsideWatch : public QObject
{
    Q_OBJECT
public:
    OutsideWatch(Notebook &notebook, Dialogs &dialogs, QObject *parent = nullptr);

    // Looks now: changed files read again, conflict copies offered. At start every copy is
    // offered; later only those this computer's own saves lost, which it can join knowing both
    // sides (the other computer's copies are its to join).
    void check(bool atStart = false);

signals:
    // A line for the status bar: what came from elsewhere and where copies went.
    void noted(const QString &note);

private:
    void watchFiles();
    void offerCopies(bool atStart);
    void sayNote();

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
    QSet<QString> m_offered; // copies asked about once this run
    QSet<QString> m_mentioned; // the other computer's copies told of once this run
    QStringList m_copyNotes;
    QString m_said; // the note in view, and when it was said
    QElapsedTimer m_lastSaid;
};
