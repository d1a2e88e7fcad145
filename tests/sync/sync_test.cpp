// Two computers writing one notebook at once through a real sync engine: two Syncthing
// instances on this machine share the folder between two places, the program's own save paths
// write in both, one instance is killed mid-way and started again, and in the end both places
// hold the same bytes with every record either side wrote.
#include "core/book/notebook.h"
#include "core/notebook/diary_files.h"
#include "core/recipes/recipe_files.h"
#include "core/files/clock.h"
#include "core/text/cp932.h"
#include "core/notebook/diary_store.h"
#include "core/registers/register_files.h"
#include "syncthing_pair.h"
#include "test_notebook.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QtTest>

#include <memory>

namespace {

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QFileInfo &f : QDir(from).entryInfoList(QDir::Files))
        QFile::copy(f.filePath(), to + u'/' + f.fileName());
}

// Every file of the folder (its subfolders too) whose text holds s, relative.
QStringList filesHolding(const QString &folder, const QString &s)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.contains(QStringLiteral("/.st")))
            continue;
        QFile f(path);
        if (f.open(QIODevice::ReadOnly) && cp932::decode(f.readAll()).contains(s))
            found.append(QDir(folder).relativeFilePath(path));
    }
    return found;
}

QString textOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? cp932::decode(f.readAll()) : QString();
}

Recipe recipeNamed(const QString &name)
{
    Recipe r;
    r.name = name;
    r.stage = QStringLiteral("ゴックン期");
    r.cookCount = QStringLiteral("0");
    return r;
}

care::Entry careEntry(int hour, care::Kind kind, const QString &note)
{
    care::Entry e;
    e.date = QDate(2026, 12, 8);
    e.time = QTime(hour, 0);
    e.kind = kind;
    e.amount = kind == care::Kind::Formula ? QStringLiteral("120") : QString();
    e.note = note;
    return e;
}

// One computer: the notebook open on its copy of the folder, everything read as the screens do.
struct Computer {
    Computer(const QString &dir, const QDateTime &now) : clock(now.date(), now.time()), notebook(dir, clock)
    {
        notebook.readProfile();
        notebook.readDiary();
        notebook.loadRecipes();
        notebook.files.read(scheduleFileName());
        notebook.readTable(NotebookTable::CareLog);
    }
    // What the open program does when the folder changed: changed files read again, and the
    // conflict copies of its own lost saves joined. atStart: every copy, as a program opening
    // the folder would offer.
    int catchUp(bool atStart)
    {
        notebook.folder().forgetListing();
        notebook.checkOutside();
        QCoreApplication::processEvents();
        int joined = 0;
        for (const QString &copy : notebook.files.conflictCopies())
            if (atStart || notebook.files.isOwnConflictCopy(copy)) {
                const WriteResult r = notebook.files.joinConflictCopy(copy);
                if (!r.ok)
                    qWarning("%s", qPrintable(r.error));
                ++joined;
            }
        QCoreApplication::processEvents();
        if (const QString note = notebook.files.takeOutsideNote(); !note.isEmpty())
            notes.append(note);
        return joined;
    }
    FixedClock clock;
    Notebook notebook;
    QStringList notes;
};

} // namespace

class SyncTest : public QObject
{
    Q_OBJECT
private slots:
    void twoComputersWriteAtOnce();
};

void SyncTest::twoComputersWriteAtOnce()
{
    QElapsedTimer total;
    total.start();
    QTemporaryDir base;
    const QString a = base.path() + QStringLiteral("/A/育児手帖");
    const QString b = base.path() + QStringLiteral("/B/育児手帖");
    copyFolder(sampleNotebookDir(), a);
    // A first both computers will change while they cannot see each other.
    {
        QFile seed(a + u'/' + milestonesFileName());
        QVERIFY(seed.open(QIODevice::WriteOnly));
        seed.write(cp932::encode(QStringLiteral("\"寝返り\",\"2026/05/10\",\"最初の記録\"\r\n")).bytes);
    }
    QDir().mkpath(b);
    SyncthingPair pair(base.path(), a, b);
    QString why;
    if (!pair.start(&why))
        QSKIP(qPrintable(QStringLiteral("Syncthing could not start, the two-computer test did not run: ") + why));
    QVERIFY2(pair.waitInSync(60000, &why), qPrintable(why));
    qInfo("first copy to B in sync after %lld ms", total.elapsed());

    const QDateTime now(QDate(2026, 12, 8), QTime(12, 0));
    Computer ca(a, now), cb(b, now.addSecs(7));
    Notebook &na = ca.notebook, &nb = cb.notebook;
    const int recipes = nb.recipes.count();
    const QString deleted = nb.recipes.recipe(3).name;

    // A writes; B's engine dies in the middle; B writes; B's engine comes back.
    QVERIFY(na.addDay(QStringLiteral("2026/12/10"), 0, 0, QStringLiteral("Aの十日")).ok);
    QVERIFY(na.changeDay(1, 50, 3012, QStringLiteral("Aが書いた一日目")).ok);
    QVERIFY(na.saveRecipe(0, recipeNamed(QStringLiteral("Aのおかゆ"))).ok);
    na.loadRecipes();
    QVERIFY(na.saveRecipe(0, recipeNamed(QStringLiteral("Aのスープ"))).ok);
    QVERIFY(appendRegisterRecord(na.files, scheduleFileName(), {QStringLiteral("2027/01/05"), QStringLiteral("Aの予定")}).ok);
    na.readTable(NotebookTable::FirstFoods);
    QVERIFY(na.addFirstFood({QStringLiteral("卵黄"), QStringLiteral("2026/12/09"), {}, QStringLiteral("Aが食べさせた")}).ok);
    na.profile.nickname = QStringLiteral("Aの呼び名");
    na.profile.targetPoint = 150;
    QVERIFY(na.writeProfile().ok);
    QVERIFY(na.addCareEntry(careEntry(9, care::Kind::Formula, QStringLiteral("Aの授乳"))).ok);
    // The handbook's records: the same dose marked on both computers, a check-up and a first on each.
    for (Notebook *n : {&na, &nb})
        for (NotebookTable t : {NotebookTable::VaccinationRecords, NotebookTable::Checkups, NotebookTable::Milestones})
            n->readTable(t);
    QVERIFY(na.markVaccination({QStringLiteral("hib-1"), QStringLiteral("2026/12/07"), QStringLiteral("A-LOT"), {}, {}}).ok);
    QVERIFY(na.addCheckup({QStringLiteral("1か月"), QStringLiteral("2026/12/01"), {}, QStringLiteral("4100"), {}, {}, {}, QStringLiteral("Aの健診")}).ok);
    const milestones::Entry first{QStringLiteral("寝返り"), QStringLiteral("2026/05/10"), QStringLiteral("最初の記録")};
    QVERIFY(na.changeMilestone(first, milestones::Entry{first.what, first.date, QStringLiteral("Aが直した")}).ok);
    pair.kill(1);
    QVERIFY(nb.addDay(QStringLiteral("2026/12/11"), 0, 0, QStringLiteral("Bの十一日")).ok);
    QVERIFY(nb.changeDay(1, 50, 3012, QStringLiteral("Bが書いた一日目")).ok);
    QVERIFY(nb.deleteRecipe(3).ok);
    QVERIFY(appendRegisterRecord(nb.files, scheduleFileName(), {QStringLiteral("2027/01/06"), QStringLiteral("Bの予定")}).ok);
    nb.readTable(NotebookTable::FirstFoods);
    QVERIFY(nb.addFirstFood({QStringLiteral("にんじん"), QStringLiteral("2026/12/09"), {}, QStringLiteral("Bが食べさせた")}).ok);
    nb.profile.nickname = QStringLiteral("Bの呼び名");
    nb.profile.targetPoint = 160;
    QVERIFY(nb.writeProfile().ok);
    QVERIFY(nb.addCareEntry(careEntry(10, care::Kind::Pee, QStringLiteral("Bのおむつ"))).ok);
    QVERIFY(nb.markVaccination({QStringLiteral("hib-1"), QStringLiteral("2026/12/07"), QStringLiteral("B-LOT"), {}, {}}).ok);
    QVERIFY(nb.addCheckup({QStringLiteral("かかりつけ"), QStringLiteral("2026/12/03"), {}, {}, {}, {}, {}, QStringLiteral("Bの健診")}).ok);
    QVERIFY(nb.changeMilestone(first, milestones::Entry{first.what, QStringLiteral("2026/05/11"), QStringLiteral("Bが直した")}).ok);
    QVERIFY2(pair.restart(1, &why), qPrintable(why));

    // Both programs catch up until nothing is left to join and both places hold the same.
    bool settled = false;
    for (int round = 0; round < 8 && !settled; ++round) {
        QVERIFY2(pair.waitInSync(60000, &why), qPrintable(why));
        // After a few rounds, copies nobody claimed are joined as at the next start.
        const bool atStart = round >= 3;
        const int joined = ca.catchUp(atStart) + cb.catchUp(false);
        settled = joined == 0 && na.files.conflictCopies().isEmpty();
    }
    QVERIFY2(settled, "conflict copies were left unjoined");
    QVERIFY2(pair.waitInSync(60000, &why), qPrintable(why));
    qInfo("both computers' writes joined and in sync after %lld ms in all", total.elapsed());
    const QStringList notes = ca.notes + cb.notes;
    qInfo("notes: %s", qPrintable(notes.join(QStringLiteral(" / "))));

    // The same bytes in both places (Syncthing's own markers aside).
    QCOMPARE(SyncthingPair::names(a), SyncthingPair::names(b));
    for (const QString &name : SyncthingPair::names(a))
        if (QFileInfo(a + u'/' + name).isFile())
            QVERIFY2(textOf(a + u'/' + name) == textOf(b + u'/' + name), qPrintable(name));

    const QString diary = textOf(a + u'/' + diaryFileName());
    QVERIFY(diary.contains(QStringLiteral("Aの十日")));
    QVERIFY(diary.contains(QStringLiteral("Bの十一日")));
    const QString recipesText = textOf(a + u'/' + recipeFileName());
    QVERIFY(recipesText.contains(QStringLiteral("】Aのおかゆ\r\n")));
    QVERIFY(recipesText.contains(QStringLiteral("】Aのスープ\r\n")));
    QVERIFY2(!recipesText.contains(QStringLiteral("】") + deleted + QStringLiteral("\r\n")), qPrintable(deleted));
    na.loadRecipes();
    QCOMPARE(na.recipes.count(), recipes + 1);
    const QString schedule = textOf(a + u'/' + scheduleFileName());
    QVERIFY(schedule.contains(QStringLiteral("Aの予定")) && schedule.contains(QStringLiteral("Bの予定")));
    const QString firstFoods = textOf(a + u'/' + firstFoodsFileName());
    QVERIFY2(firstFoods.contains(QStringLiteral("Aが食べさせた")) && firstFoods.contains(QStringLiteral("Bが食べさせた")),
             qPrintable(firstFoods));
    const QString careLog = textOf(a + u'/' + care::fileName());
    QVERIFY2(careLog.contains(QStringLiteral("Aの授乳")) && careLog.contains(QStringLiteral("Bのおむつ")),
             qPrintable(careLog));
    // Nothing either computer wrote into the handbook's files is lost: the first both changed
    // keeps both changes, and the line they both changed is gone.
    for (const auto &[file, texts] : {std::pair{vaccinationRecordsFileName(), QStringList{QStringLiteral("A-LOT"), QStringLiteral("B-LOT")}},
                                      std::pair{checkupsFileName(), QStringList{QStringLiteral("Aの健診"), QStringLiteral("Bの健診")}},
                                      std::pair{milestonesFileName(), QStringList{QStringLiteral("Aが直した"), QStringLiteral("Bが直した")}}}) {
        const QString text = textOf(a + u'/' + file);
        for (const QString &t : texts)
            QVERIFY2(text.contains(t), qPrintable(file + QStringLiteral(": ") + text));
    }
    QVERIFY(!textOf(a + u'/' + milestonesFileName()).contains(QStringLiteral("最初の記録")));
    QVERIFY(SyncthingPair::names(a).filter(QStringLiteral("sync-conflict")).filter(QRegularExpression(QStringLiteral("^[^/]*$"))).isEmpty());

    // Of the two first-day texts and nicknames, one is in the file and the other in a copy a
    // note named.
    for (const auto &pairOfTexts : {std::pair{QStringLiteral("Aが書いた一日目"), QStringLiteral("Bが書いた一日目")},
                                    std::pair{QStringLiteral("Aの呼び名"), QStringLiteral("Bの呼び名")}}) {
        const QString file = pairOfTexts.first.contains(QStringLiteral("日目")) ? diaryFileName() : profileFileName();
        const QString inFile = textOf(a + u'/' + file);
        QVERIFY2(inFile.contains(pairOfTexts.first) != inFile.contains(pairOfTexts.second), qPrintable(file));
        const QString other = inFile.contains(pairOfTexts.first) ? pairOfTexts.second : pairOfTexts.first;
        bool named = false;
        for (const QString &holder : filesHolding(a, other))
            if (holder != file && notes.join(u' ').contains(QFileInfo(holder).fileName()))
                named = true;
        QVERIFY2(named, qPrintable(other + QStringLiteral(" is in no copy a note names")));
    }

    // How long a change from the other computer takes to reach this one's memory.
    QElapsedTimer shown;
    shown.start();
    QVERIFY(na.addDay(QStringLiteral("2026/12/12"), 0, 0, QStringLiteral("Aの十二日")).ok);
    QTRY_VERIFY_WITH_TIMEOUT((nb.checkOutside(), nb.diary.find(QStringLiteral("2026/12/12")) > 0), 30000);
    qInfo("a day written on A was in B's day table after %lld ms", shown.elapsed());
}

QTEST_GUILESS_MAIN(SyncTest)
#include "sync_test.moc"
