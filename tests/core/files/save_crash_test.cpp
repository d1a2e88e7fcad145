// Kills a program that rewrites and appends to a notebook file at random moments: the file
// must then be byte for byte what the last step done or the step under way leaves, and the
// folder may hold nothing else but the temporary files of an interrupted rewrite. A kill may
// stop an append's one write between two pages of the file (the system allows that): the
// file then keeps every byte it had and a first part of the record under way, which its
// reader reports as a file not read whole.
#include "core/backup/notebook_zip.h"
#include "core/backup/stale_temporaries.h"
#include "core/files/notebook_folder.h"
#include "save_crash_steps.h"

#include <QDateTime>
#include <QMap>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class SaveCrashTest : public QObject
{
    Q_OBJECT
private slots:
    void killedAtRandomMoments();
    void newNotebookKilledAtRandomMoments();
    void restoreOverNotebookKilledAtRandomMoments();

private:
    // One kill; returns the number of leftover temporary files, or -1 after a failure.
    int killOnce(QRandomGenerator &random, int trial);
    int m_stepsDone = 0;
    int m_newerLeft = 0;
    int m_appendsCut = 0;
};

int SaveCrashTest::killOnce(QRandomGenerator &random, int trial)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(save_crash::fileName());
    QFile start(path);
    if (!start.open(QIODevice::WriteOnly) || start.write(save_crash::contents(0)) < 0)
        return -1;
    start.close();

    QProcess child;
    child.start(QStringLiteral(SAVE_CRASH_CHILD), {dir.path()});
    if (!child.waitForStarted() || !child.waitForReadyRead(10000)) {
        qWarning() << "trial" << trial << "the child did not start:" << child.readAllStandardError();
        return -1;
    }
    QThread::usleep(random.bounded(20000));
    child.kill();
    child.waitForFinished();
    const QList<QByteArray> steps = child.readAllStandardOutput().trimmed().split('\n');
    const int done = steps.last().toInt();
    m_stepsDone += done;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray left = file.readAll();
    const QByteArray before = save_crash::contents(done), after = save_crash::contents(done + 1);
    if (left == after) {
        ++m_newerLeft;
    } else if (!save_crash::isRewrite(done + 1) && left.size() > before.size() && after.startsWith(left)) {
        ++m_appendsCut;
    } else if (left != before) {
        qWarning() << "trial" << trial << "after step" << done << "the file holds" << left.size()
                   << "bytes, neither" << save_crash::contents(done).size() << "nor"
                   << save_crash::contents(done + 1).size();
        return -1;
    }
    static const QRegularExpression temporary(
        QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(save_crash::fileName())));
    int leftovers = 0;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name == save_crash::fileName())
            continue;
        if (!temporary.match(name).hasMatch()) {
            qWarning() << "trial" << trial << "left" << name;
            return -1;
        }
        ++leftovers;
    }
    return leftovers;
}

void SaveCrashTest::killedAtRandomMoments()
{
    const int trials = qEnvironmentVariableIsSet("TECHO_CRASH_TRIALS")
                           ? qEnvironmentVariableIntValue("TECHO_CRASH_TRIALS")
                           : 100;
    QRandomGenerator random{quint32(QDateTime::currentMSecsSinceEpoch())};
    int withLeftovers = 0;
    for (int trial = 1; trial <= trials; ++trial) {
        const int leftovers = killOnce(random, trial);
        QVERIFY2(leftovers >= 0, "the file is not what a step leaves, or the folder holds another file");
        withLeftovers += leftovers > 0;
    }
    qInfo("%d kills after %d steps in all: the file as the step under way left it %d times, with a first "
          "part of the record under way %d times, as the last step done left it the other times; "
          "temporary files left by %d kills",
          trials, m_stepsDone, m_newerLeft, m_appendsCut, withLeftovers);
}

// A new notebook replaces its files together: killed at any moment, the next start leaves
// them all as one step left them (the one done or the one under way), never a mix, and
// nothing else in the folder.
void SaveCrashTest::newNotebookKilledAtRandomMoments()
{
    const int trials = qEnvironmentVariableIsSet("TECHO_CRASH_TRIALS")
                           ? qEnvironmentVariableIntValue("TECHO_CRASH_TRIALS")
                           : 100;
    QRandomGenerator random{quint32(QDateTime::currentMSecsSinceEpoch())};
    int newer = 0, completed = 0, steps = 0;
    const QStringList names = save_crash::togetherNames();
    for (int trial = 1; trial <= trials; ++trial) {
        QTemporaryDir dir;
        for (int k = 0; k < 3; ++k) {
            QFile f(dir.filePath(names[k]));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(save_crash::together(0, k)) > 0);
        }
        QProcess child;
        child.start(QStringLiteral(SAVE_CRASH_CHILD), {dir.path(), QStringLiteral("together")});
        QVERIFY(child.waitForStarted() && child.waitForReadyRead(10000));
        QThread::usleep(random.bounded(20000));
        child.kill();
        child.waitForFinished();
        const int done = child.readAllStandardOutput().trimmed().split('\n').last().toInt();
        steps += done;
        // What the next start does.
        completed += NotebookFolder::finishReplace(dir.path());
        NotebookFolder(dir.path()).removeLeftovers();
        QByteArray first;
        QFile f0(dir.filePath(names[0]));
        QVERIFY(f0.open(QIODevice::ReadOnly));
        first = f0.readAll();
        const int step = first == save_crash::together(done + 1, 0) ? done + 1 : done;
        newer += step > done;
        for (int k = 0; k < 3; ++k) {
            QFile f(dir.filePath(names[k]));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY2(f.readAll() == save_crash::together(step, k),
                     qPrintable(QStringLiteral("trial %1: %2 is not of step %3").arg(trial).arg(names[k]).arg(step)));
        }
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &n : names)
            left.removeAll(n);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
    }
    qInfo("%d kills of a new notebook after %d steps in all: the files of the step under way %d times "
          "(%d completed at the next start), of the last step done the other times; never a mix",
          trials, steps, newer, completed);
}

namespace {

// The notebook's files at its top (hidden ones too) with their bytes.
QMap<QString, QByteArray> filesIn(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile f(dir + u'/' + name);
        files.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable"));
    }
    return files;
}

QMap<QString, QByteArray> restoreSet(int step)
{
    QMap<QString, QByteArray> files;
    const QStringList names = save_crash::restoreNames();
    for (int k = 0; k < names.size(); ++k)
        files.insert(names[k], save_crash::restoreBytes(step, k));
    return files;
}

void writeSet(const QString &dir, const QMap<QString, QByteArray> &files)
{
    QDir().mkpath(dir);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QFile f(dir + u'/' + it.key());
        if (!f.open(QIODevice::WriteOnly) || f.write(it.value()) != it.value().size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
    }
}

} // namespace

// Restoring a zip over the open notebook, killed at any moment: the next start carries out the
// restore when its journal was written, else removes what was unpacked; the notebook is then
// whole, all of one zip's files, and each kept copy under バックアップ all of the other's.
void SaveCrashTest::restoreOverNotebookKilledAtRandomMoments()
{
    const int trials = qEnvironmentVariableIsSet("TECHO_CRASH_TRIALS")
                           ? qEnvironmentVariableIntValue("TECHO_CRASH_TRIALS")
                           : 200;
    QRandomGenerator random{quint32(QDateTime::currentMSecsSinceEpoch())};
    QTemporaryDir zips;
    for (int step : {1, 2}) {
        const QString from = zips.filePath(QString::number(step));
        writeSet(from, restoreSet(step));
        QVERIFY(notebook_zip::writeBackup(from, zips.filePath(QStringLiteral("%1.zip").arg(step)), false).ok);
    }
    int steps = 0, completed = 0, undone = 0, between = 0, newer = 0;
    for (int trial = 1; trial <= trials; ++trial) {
        QTemporaryDir dir;
        writeSet(dir.path(), restoreSet(0));
        QProcess child;
        child.start(QStringLiteral(SAVE_CRASH_CHILD),
                    {dir.path(), QStringLiteral("restore"), zips.filePath(QStringLiteral("1.zip")),
                     zips.filePath(QStringLiteral("2.zip"))});
        QVERIFY(child.waitForStarted() && child.waitForReadyRead(10000));
        if (trial % 2) {
            QThread::usleep(random.bounded(60000));
        } else {
            // Unpacking takes nearly all the time: every other kill is aimed at the moves, the
            // moment the journal appears.
            const QString journal = dir.filePath(notebook_zip::restoreJournalName());
            for (int wait = 0; wait < 100000 && !QFileInfo::exists(journal); ++wait)
                QThread::usleep(20);
            QThread::usleep(random.bounded(1500));
        }
        child.kill();
        child.waitForFinished();
        const int done = child.readAllStandardOutput().trimmed().split('\n').last().toInt();
        steps += done;
        // What the next start does.
        const notebook_zip::Recovery r = notebook_zip::finishRestore(dir.path());
        QVERIFY2(r.what != notebook_zip::Recovery::Failed, qPrintable(QString::number(trial)));
        completed += r.what == notebook_zip::Recovery::Completed;
        undone += r.what == notebook_zip::Recovery::Undone;
        between += r.what == notebook_zip::Recovery::None;
        NotebookFolder(dir.path()).removeLeftovers();
        temporaries::removeBesideNotebook(dir.path());

        const QMap<QString, QByteArray> top = filesIn(dir.path());
        const int step = top == restoreSet(done + 1) ? done + 1 : done;
        newer += step > done;
        QVERIFY2(top == restoreSet(step), qPrintable(QStringLiteral("trial %1: the notebook's files are not all of one "
                                                                    "zip after step %2: %3")
                                                         .arg(trial)
                                                         .arg(done)
                                                         .arg(QStringList(top.keys()).join(u' '))));
        // Undone means nothing had been replaced; the step under way may also have ended unreported.
        QVERIFY(step == done || r.what != notebook_zip::Recovery::Undone);
        const QStringList kept = QDir(dir.filePath(QStringLiteral("バックアップ"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(kept.size(), step);
        for (int k = 1; k <= step; ++k) {
            // The copies are taken in order: the k-th holds what step k found.
            QStringList sorted = kept;
            std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
                return std::pair(a.section(u'-', 0, 1), a.section(u'-', 2).toInt()) <
                       std::pair(b.section(u'-', 0, 1), b.section(u'-', 2).toInt());
            });
            QVERIFY2(filesIn(dir.filePath(QStringLiteral("バックアップ/") + sorted[k - 1])) == restoreSet(k - 1),
                     qPrintable(QStringLiteral("trial %1: kept copy %2 is not whole").arg(trial).arg(sorted[k - 1])));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(),
                 restoreSet(0).size() + (step > 0 ? 1 : 0));
    }
    qInfo("%d kills of a restore over the notebook after %d restores in all: %d completed at the next start, "
          "%d undone at the next start (nothing replaced yet), %d between two restores; the files of the "
          "restore under way %d times; never a folder without its notebook, never a mix",
          trials, steps, completed, undone, between, newer);
}

QTEST_GUILESS_MAIN(SaveCrashTest)
#include "save_crash_test.moc"
