// Another computer changes a file between this program's read and its save: the save keeps
// both sides' records, a record both changed keeps this side's version and the other in the
// dated copy the note names, and the program's own writes are never taken for outside changes.
#include "core/profile/profile_files.h"
#include "core/registers/register_files.h"
#include "test_notebook.h"

#include <QtTest>

#include <functional>

namespace {

struct OutsideRow {
    const char *tag;
    QString file;
    std::function<void(Notebook &)> read;                // what the screens read first
    std::function<QString(const QString &)> outside;     // the other computer's version
    std::function<WriteResult(Notebook &)> act;          // this computer's save
    QStringList present;                                 // in the file afterwards
    QStringList absent;
    QString note;                                        // in the status line ("" for none)
    int copies = 0;                                      // dated copies beside the file
};

QString day(const QString &date, const QString &text) { return diaryRecordText(date, 0, 0, text); }

QString replaced(QString text, const QString &from, const QString &to) { return text.replace(from, to); }

// The recipe record of the file whose name line is that name, cut out.
QString withoutRecipe(const QString &text, const QString &name)
{
    const QString stars = QStringLiteral("*******************************\r\n");
    const qsizetype at = text.indexOf(stars + QStringLiteral("【料理名　】") + name + QStringLiteral("\r\n"));
    const qsizetype next = text.indexOf(stars, at + 1);
    return text.left(at) + (next < 0 ? QString() : text.mid(next));
}

Recipe recipeNamed(const QString &name)
{
    Recipe r;
    r.name = name;
    r.stage = QStringLiteral("ゴックン期");
    r.ingredients = QStringLiteral("にんじん");
    r.cookCount = QStringLiteral("0");
    return r;
}

QList<OutsideRow> outsideRows()
{
    const auto readDiary = [](Notebook &nb) { nb.readDiary(); };
    const auto readRecipes = [](Notebook &nb) { nb.loadRecipes(); };
    const auto changeFirstDay = [](const QString &text) {
        return [text](Notebook &nb) { return nb.changeDay(1, 50, 3012, text); };
    };
    const QString firstText = QStringLiteral("午前10時23分、ももちゃん誕生。");
    const auto readCaptions = [](Notebook &nb) { nb.files.read(albumCaptionsFileName()); };
    const auto writeCaption = [](int album, const QString &caption) {
        return [album, caption](Notebook &nb) {
            QStringList lines = QString::fromUtf8(QByteArray("誕生の頃,はじめての夏,お出かけ,お誕生日")).split(u',');
            lines[album] = caption;
            return nb.files.rewrite(albumCaptionsFileName(), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        };
    };
    return {
        {"diary: a day added and another changed over there, one changed here", diaryFileName(), readDiary,
         [=](const QString &t) {
             return replaced(t, firstText, QStringLiteral("あちらで書いた。")) + day("2026/12/10", "あちらの新しい日");
         },
         [](Notebook &nb) { return nb.changeDay(2, 55, 4000, QStringLiteral("こちらで書いた。")); },
         {"あちらで書いた。", "あちらの新しい日", "こちらで書いた。"}, {}, "日記 2日分", 0},
        {"diary: both changed the same day", diaryFileName(), readDiary,
         [=](const QString &t) { return replaced(t, firstText, QStringLiteral("あちらの一日目。")); },
         changeFirstDay(QStringLiteral("こちらの一日目。")), {"こちらの一日目。"}, {"あちらの一日目。"},
         "日記 の 1995/02/15 は両方のパソコンで変更されていました。", 1},
        {"diary: a day added on each side", diaryFileName(), readDiary,
         [](const QString &t) { return t + day("2026/12/11", "あちらの日"); },
         [](Notebook &nb) { return nb.addDay(QStringLiteral("2026/12/10"), 0, 0, QStringLiteral("こちらの日")); },
         {"こちらの日", "あちらの日"}, {}, "日記 1日分", 0},
        {"recipes: one deleted over there, one added here", recipeFileName(), readRecipes,
         [](const QString &t) { return withoutRecipe(t, QStringLiteral("かぼちゃのペースト")); },
         [](Notebook &nb) { return nb.saveRecipe(0, recipeNamed(QStringLiteral("こちらのおかゆ"))); },
         {"こちらのおかゆ"}, {"【料理名　】かぼちゃのペースト"}, "レシピ 1件", 0},
        {"recipes: both changed one recipe", recipeFileName(), readRecipes,
         [](const QString &t) {
             return replaced(t, QStringLiteral("【料理名　】十倍がゆ\r\n【月齢　　】ゴックン期"),
                             QStringLiteral("【料理名　】十倍がゆ\r\n【月齢　　】あちらの月齢"));
         },
         [](Notebook &nb) {
             Recipe r = nb.recipes.recipe(1);
             r.memo = QStringLiteral("こちらのメモ");
             return nb.saveRecipe(1, r);
         },
         {"こちらのメモ"}, {"あちらの月齢"}, "レシピ の 十倍がゆ は両方のパソコンで変更されていました。", 1},
        {"schedule: an entry added on each side", scheduleFileName(), [](Notebook &nb) {
             nb.files.read(scheduleFileName());
         },
         [](const QString &t) { return t + QStringLiteral("\"2027/01/05\",\"あちらの予定\"\r\n"); },
         [](Notebook &nb) {
             return appendRegisterRecord(nb.files, scheduleFileName(),
                                         {QStringLiteral("2027/01/06"), QStringLiteral("こちらの予定")});
         },
         {"あちらの予定", "こちらの予定"}, {}, "予定 1件", 0},
        {"profile: the nickname over there, the goal here", profileFileName(), [](Notebook &nb) {
             nb.readProfile();
         },
         [](const QString &t) { return replaced(t, QStringLiteral("ももちゃん"), QStringLiteral("もも")); },
         [](Notebook &nb) {
             nb.profile.targetPoint = 200;
             return nb.writeProfile();
         },
         {"もも\r\n", " 200 "}, {"ももちゃん", " 140 "}, "ﾌﾟﾗｲﾍﾞｰﾄ 1行", 0},
        {"profile: both changed the nickname", profileFileName(), [](Notebook &nb) { nb.readProfile(); },
         [](const QString &t) { return replaced(t, QStringLiteral("ももちゃん"), QStringLiteral("あちらの名")); },
         [](Notebook &nb) {
             nb.profile.nickname = QStringLiteral("こちらの名");
             return nb.writeProfile();
         },
         {"こちらの名"}, {"あちらの名"}, "ﾌﾟﾗｲﾍﾞｰﾄ の 1行目 は両方のパソコンで変更されていました。", 1},
        {"first foods: a food added on each side", firstFoodsFileName(),
         [](Notebook &nb) { nb.files.read(firstFoodsFileName()); },
         [](const QString &t) { return t + QStringLiteral("\"きな粉\",\"2026/12/01\",\"なし\",\"あちら\"\r\n"); },
         [](Notebook &nb) {
             return appendRegisterRecord(nb.files, firstFoodsFileName(),
                                         {QStringLiteral("豆乳"), QStringLiteral("2026/12/02"), QStringLiteral("なし"),
                                          QStringLiteral("こちら")});
         },
         {"\"きな粉\",\"2026/12/01\"", "\"豆乳\",\"2026/12/02\""}, {}, "はじめての食材 1件", 0},
        {"vaccinations: a dose marked on each side", vaccinationRecordsFileName(),
         [](Notebook &nb) { nb.readTable(NotebookTable::VaccinationRecords); },
         [](const QString &t) { return t + QStringLiteral("\"hib-1\",\"2026/08/06\",\"A1\",\"あちら\",\"\"\r\n"); },
         [](Notebook &nb) {
             return nb.markVaccination({QStringLiteral("bcg"), QStringLiteral("2026/11/06"), {}, QStringLiteral("こちら"), {}});
         },
         {"\"hib-1\",\"2026/08/06\"", "\"bcg\",\"2026/11/06\""}, {}, "予防接種の記録 1件", 0},
        {"check-ups: one added on each side", checkupsFileName(),
         [](Notebook &nb) { nb.readTable(NotebookTable::Checkups); },
         [](const QString &t) { return t + QStringLiteral("\"1か月\",\"2026/04/10\",\"\",\"\",\"\",\"\",\"\",\"あちら\"\r\n"); },
         [](Notebook &nb) {
             return nb.addCheckup({QStringLiteral("歯科健診"), QStringLiteral("2026/11/01"), {}, {}, {}, {}, {},
                                   QStringLiteral("こちら")});
         },
         {"\"1か月\",\"2026/04/10\"", "\"歯科健診\",\"2026/11/01\""}, {}, "健診 1件", 0},
        // The same first given on each computer: two lines of it, both kept.
        {"firsts: one first on each side", milestonesFileName(),
         [](Notebook &nb) { nb.readTable(NotebookTable::Milestones); },
         [](const QString &t) { return t + QStringLiteral("\"寝返り\",\"2026/05/10\",\"あちら\"\r\n"); },
         [](Notebook &nb) { return nb.addMilestone({QStringLiteral("寝返り"), QStringLiteral("2026/05/11"), {}}); },
         {"\"寝返り\",\"2026/05/10\",\"あちら\"", "\"寝返り\",\"2026/05/11\""}, {}, "できたよ 1件", 0},
        // Line n is album n's caption: captions are joined by their place, not as a set of lines.
        {"captions: album 1 over there, album 2 here", albumCaptionsFileName(), readCaptions,
         [](const QString &t) { return replaced(t, QStringLiteral("誕生の頃"), QStringLiteral("あちらの1")); },
         writeCaption(1, QStringLiteral("こちらの2")),
         {"あちらの1\r\nこちらの2\r\nお出かけ\r\nお誕生日\r\n"}, {"誕生の頃", "はじめての夏"}, "写真見出し 1行", 0},
        {"captions: album 1 on both", albumCaptionsFileName(), readCaptions,
         [](const QString &t) { return replaced(t, QStringLiteral("誕生の頃"), QStringLiteral("あちらの1")); },
         writeCaption(0, QStringLiteral("こちらの1")),
         {"こちらの1\r\nはじめての夏\r\nお出かけ\r\nお誕生日\r\n"}, {"あちらの1"},
         "写真見出し の 1行目 は両方のパソコンで変更されていました。", 1},
        {"diary: the same bytes written again over there", diaryFileName(), readDiary,
         [](const QString &t) { return t; }, changeFirstDay(QStringLiteral("こちらだけ。")), {"こちらだけ。"},
         {}, "", 0},
    };
}

int datedCopies(const TestNotebook &t, const QString &file)
{
    return int(QDir(t.dir()).entryList({file + QStringLiteral(".*.bak")}).size());
}

} // namespace

class OutsideChangeTest : public QObject
{
    Q_OBJECT
private slots:
    void saveJoinsOutsideChanges_data()
    {
        QTest::addColumn<int>("row");
        const QList<OutsideRow> rows = outsideRows();
        for (int i = 0; i < rows.size(); ++i)
            QTest::newRow(rows[i].tag) << i;
    }

    // Each file kind, changed outside between the read and the save.
    void saveJoinsOutsideChanges()
    {
        QFETCH(int, row);
        const OutsideRow r = outsideRows().at(row);
        TestNotebook t;
        Notebook &nb = t.notebook();
        r.read(nb);
        const QString theirs = r.outside(t.text(r.file));
        t.writeText(r.file, theirs);
        QSignalSpy reloaded(&nb, &Notebook::fileReloaded);
        const WriteResult written = r.act(nb);
        QVERIFY2(written.ok, qPrintable(written.error));
        const QString after = t.text(r.file);
        for (const QString &s : r.present)
            QVERIFY2(after.contains(s), qPrintable(s));
        for (const QString &s : r.absent)
            QVERIFY2(!after.contains(s), qPrintable(s));
        const QString note = nb.files.takeOutsideNote();
        if (r.note.isEmpty())
            QCOMPARE(note, QString());
        else
            QVERIFY2(note.contains(r.note), qPrintable(note));
        QCOMPARE(datedCopies(t, r.file), r.copies);
        if (r.copies == 1) {
            // The copy the note names holds the other computer's version whole.
            const QString copy = QDir(t.dir()).entryList({r.file + QStringLiteral(".*.bak")}).first();
            QVERIFY(note.contains(copy));
            QCOMPARE(t.text(copy), theirs);
        }
        // Memory catches up with the joined file once the save is through.
        QTRY_VERIFY(!r.note.isEmpty() ? reloaded.count() >= 1 : true);
        QVERIFY(nb.files.changedOutside().isEmpty());
    }

    // The program's own writes are not outside changes; another program's are, once.
    void ownWritesAreNotOutsideChanges()
    {
        TestNotebook t;
        Notebook &nb = t.notebook();
        nb.readDiary();
        nb.readProfile();
        QVERIFY(nb.changeDay(1, 50, 3012, QStringLiteral("こちら")).ok);
        QVERIFY(nb.addDay(QStringLiteral("2026/12/10"), 0, 0, QStringLiteral("追加")).ok);
        QVERIFY(nb.files.changedOutside().isEmpty());
        t.writeText(diaryFileName(), t.text(diaryFileName()) + day("2026/12/11", "あちら"));
        QCOMPARE(nb.checkOutside(), QStringList{diaryFileName()});
        QCOMPARE(nb.diary.day(nb.diary.count()).text, QStringLiteral("あちら"));
        QVERIFY(nb.checkOutside().isEmpty());
    }

    // Conflict copies by their makers' names; the program's own temporary and dated files are not.
    void conflictCopyNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("looked");
        QTest::newRow("syncthing") << "日記.sync-conflict-20261208-120000-ABCDEF7.txt" << diaryFileName()
                                   << true;
        QTest::newRow("nextcloud") << "レシピ (conflicted copy 2026-12-08 120000).txt" << recipeFileName()
                                   << true;
        QTest::newRow("dropbox") << "予定 (Taro's conflicted copy 2026-12-08).TXT" << scheduleFileName()
                                 << true;
        QTest::newRow("dropbox ja") << "ﾌﾟﾗｲﾍﾞｰﾄ (太郎 の競合コピー 2026-12-08).txt" << profileFileName()
                                    << true;
        QTest::newRow("save temp") << "日記.txt.aB3xYz" << QString() << false;
        QTest::newRow("dated copy") << "日記.txt.20261208-120000.bak" << QString() << false;
        QTest::newRow("picture") << "19950215.sync-conflict-20261208-120000-ABCDEF7.jpg" << QString() << true;
        QTest::newRow("first foods") << "はじめての食材.sync-conflict-20261208-120000-ABCDEF7.txt"
                                     << firstFoodsFileName() << true;
        // Only names that may be copies are matched at all: photos and the like are passed over.
        QTest::newRow("photo") << "Photo1_0001.jpg" << QString() << false;
        QTest::newRow("numbered") << "日記 (2).txt" << QString() << false;
        QTest::newRow("upper case") << "日記 (CONFLICTED COPY 2026-12-08).txt" << diaryFileName() << true;
    }
    void conflictCopyNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(bool, looked);
        QCOMPARE(NotebookFiles::conflictCopyOf(name), file);
        QCOMPARE(NotebookFiles::mayBeConflictCopy(name), looked);
    }

    // What the start-up's worker read is the notebook's own reading: a day the other computer
    // added after it is joined by the next save, not written over.
    void preloadedReadsJoinLikeTheNotebooksOwn()
    {
        TestNotebook t;
        Notebook &nb = t.notebook();
        nb.takePreload(Notebook::preload(t.dir(), nb.clock));
        nb.readProfile();
        nb.readDiary();
        nb.dropPreload();
        const int days = nb.diary.count();
        t.writeText(diaryFileName(), t.text(diaryFileName()) + day("2026/12/11", "あちら"));
        QVERIFY(nb.changeDay(1, 50, 3012, QStringLiteral("こちら")).ok);
        QCOMPARE(nb.diary.count(), days + 1);
        QCOMPARE(nb.diary.day(1).text, QStringLiteral("こちら"));
    }

    // A copy found at start, with no known base: what only it holds comes in, a day both hold
    // differently keeps the file's text, and the copy moves under バックアップ.
    void conflictCopyJoinedAtStart()
    {
        TestNotebook t;
        const QString diary = t.text(diaryFileName());
        const QString copyName = QStringLiteral("日記.sync-conflict-20261208-120000-ABCDEF7.txt");
        t.writeText(copyName, replaced(diary, QStringLiteral("午前10時23分"), QStringLiteral("コピーの")) +
                                  day("2026/12/12", "コピーだけの日"));
        Notebook &nb = t.notebook();
        QCOMPARE(nb.files.conflictCopies(), QStringList{copyName});
        QVERIFY(!nb.files.isOwnConflictCopy(copyName));
        QVERIFY(nb.files.joinConflictCopy(copyName).ok);
        const QString after = t.text(diaryFileName());
        QVERIFY(after.contains(QStringLiteral("コピーだけの日")));
        QVERIFY(after.contains(QStringLiteral("午前10時23分")));
        QVERIFY(!after.contains(QStringLiteral("コピーの")));
        QVERIFY(!QFileInfo::exists(t.path(copyName)));
        const QStringList moved = QDir(t.path(QStringLiteral("バックアップ")))
                                      .entryList({QStringLiteral("競合コピー-*")}, QDir::Dirs);
        QCOMPARE(moved.size(), 1);
        QVERIFY(QFileInfo::exists(t.path(QStringLiteral("バックアップ/") + moved[0] + u'/' + copyName)));
        const QString note = nb.files.takeOutsideNote();
        QVERIFY2(note.contains(QStringLiteral("日記 1日分")) && note.contains(QStringLiteral("1995/02/15")),
                 qPrintable(note));
    }

    // The copy of this computer's own save, which lost to the other's: joined from the version
    // both started with, so a recipe the other deleted stays deleted.
    void ownConflictCopyJoinedFromTheSharedVersion()
    {
        TestNotebook t;
        Notebook &nb = t.notebook();
        nb.loadRecipes();
        const QString original = t.text(recipeFileName());
        QVERIFY(nb.saveRecipe(0, recipeNamed(QStringLiteral("こちらのおかゆ"))).ok);
        // The sync tool: the other computer's version (one recipe deleted) wins, ours is the copy.
        const QString copyName = QStringLiteral("レシピ.sync-conflict-20261208-120000-ABCDEF7.txt");
        QVERIFY(QFile::rename(t.path(recipeFileName()), t.path(copyName)));
        t.writeText(recipeFileName(), withoutRecipe(original, QStringLiteral("かぼちゃのペースト")));
        QVERIFY(nb.files.isOwnConflictCopy(copyName));
        QVERIFY(nb.files.joinConflictCopy(copyName).ok);
        const QString after = t.text(recipeFileName());
        QVERIFY(after.contains(QStringLiteral("【料理名　】こちらのおかゆ")));
        QVERIFY(!after.contains(QStringLiteral("【料理名　】かぼちゃのペースト")));
        QVERIFY(nb.files.conflictCopies().isEmpty());
    }
};

QTEST_GUILESS_MAIN(OutsideChangeTest)
#include "outside_change_test.moc"
