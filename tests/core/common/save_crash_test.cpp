// Kills a program that rewrites and appends to a notebook file at random moments: the file
// must then be byte for byte what the last step done or the step under way leaves, and the
// folder may hold nothing else but the temporary files of an interrupted rewrite. A kill may
// stop an append's one write between two pages of the file (the system allows that): the
// file then keeps every byte it had and a first part of the record under way, which its
// reader reports as a file not read whole.
#include "core/common/notebook_folder.h"
#include "save_crash_steps.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
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

QTEST_GUILESS_MAIN(SaveCrashTest)
#include "save_crash_test.moc"
