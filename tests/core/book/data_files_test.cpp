// The table of data files is what the program does: each row's join, its creation with neutral
// contents when missing, and what a new notebook does with it; and a notebook used through its
// commands holds no file that is neither in the table nor a picture.
#include "core/book/notebook_setup.h"
#include "core/care/care_log.h"
#include "core/text/cp932.h"
#include "core/files/file_names.h"
#include "core/files/help_tour.h"
#include "core/files/record_merge.h"
#include "core/notebook/growth.h"
#include "core/profile/profile_store.h"
#include "core/registers/register_files.h"
#include "test_notebook.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

class DataFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void rowsAreWhatTheProgramDoes_data();
    void rowsAreWhatTheProgramDoes();
    void neutralContentsAreTheStoresOwn();
    void everyFileWrittenIsInTheTable();
};

using Kind = record_merge::Kind;

void DataFilesTest::rowsAreWhatTheProgramDoes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("created");
    QTest::addColumn<bool>("emptied"); // by a new notebook
    const auto row = [](const QString &name, Kind kind, bool created, bool emptied) {
        QTest::newRow(qPrintable(name)) << name << int(kind) << created << emptied;
    };
    row(QStringLiteral("日記.txt"), Kind::Dated, true, true);
    row(QStringLiteral("レシピ.txt"), Kind::Named, true, false);
    row(QStringLiteral("設定.txt"), Kind::LineSlots, true, false);
    row(QStringLiteral("グラフ.txt"), Kind::LineSlots, true, false);
    row(QStringLiteral("成長曲線.txt"), Kind::LineSlots, false, false);
    row(QStringLiteral("写真見出し.txt"), Kind::LineSlots, true, false);
    row(QStringLiteral("予定.txt"), Kind::Lines, true, true);
    row(QStringLiteral("記念日.txt"), Kind::Lines, true, true);
    row(QStringLiteral("贈りもの.txt"), Kind::Lines, true, true);
    row(QStringLiteral("頂きもの.txt"), Kind::Lines, true, true);
    row(QStringLiteral("参考資料.txt"), Kind::Lines, true, true);
    row(QStringLiteral("はじめての食材.txt"), Kind::Lines, false, true);
    row(QStringLiteral("予防接種の記録.txt"), Kind::Lines, false, true);
    row(QStringLiteral("健診.txt"), Kind::Lines, false, true);
    row(QStringLiteral("できたよ.txt"), Kind::Lines, false, true);
    row(QStringLiteral("身長体重.txt"), Kind::Derived, false, true);
    row(QStringLiteral("お世話記録.txt"), Kind::Keyed, false, true);
}

// Each file checked by what the program does with it, not by reading its row back.
void DataFilesTest::rowsAreWhatTheProgramDoes()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(bool, created);
    QFETCH(bool, emptied);
    QVERIFY(dataFileNames().contains(name));
    QCOMPARE(int(record_merge::kindOf(name)), kind);
    QCOMPARE(int(record_merge::kindOf(name.toUpper())), kind);

    QTemporaryDir empty;
    notebook_setup::createMissingFiles(NotebookFolder(empty.path()), sampleNotebookDir());
    QCOMPARE(QFileInfo::exists(empty.filePath(name)), created);

    TestNotebook t;
    t.writeText(name, QStringLiteral("\"2026/12/08\",\"あるもの\"\r\n"));
    QVERIFY(t.notebook().startNewNotebook(t.text(profileFileName()), QStringLiteral("2026/12/01"), 50, 3000).ok);
    if (name == diaryFileName())
        QVERIFY(!t.text(name).contains(QStringLiteral("あるもの")));
    else
        QCOMPARE(t.bytes(name).isEmpty(), emptied);
}

void DataFilesTest::neutralContentsAreTheStoresOwn()
{
    Profile neutral;
    neutral.targetPoint = 100;
    neutral.diaryPictureMode = photosShown();
    neutral.pictureMode = photosShown();
    QCOMPARE(dataFile(profileFileName())->neutral, profileText(neutral));
    QCOMPARE(dataFile(settingsFileName())->neutral, settingsFileText(1));
    QCOMPARE(dataFile(graphFileName())->neutral, graphLimitsText(defaultGraphLimits()));
    QTemporaryDir empty;
    notebook_setup::createMissingFiles(NotebookFolder(empty.path()), sampleNotebookDir());
    for (const DataFile &file : dataFiles())
        if (file.createdWhenMissing) {
            QFile f(empty.filePath(file.name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), cp932::encode(file.neutral).bytes);
        }
}

// Every command that writes a file, then the folder: data files, pictures, and the copies and
// folders the program names as such (dated copies, バックアップ).
void DataFilesTest::everyFileWrittenIsInTheTable()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readProfile();
    nb.readDiary();
    nb.loadRecipes();
    QVERIFY(nb.addDay(QStringLiteral("2026/12/01"), 70.5, 8000, QStringLiteral("きょう")).ok);
    QVERIFY(nb.changeDay(1, 49.5, 3012, QStringLiteral("うまれた")).ok);
    QVERIFY(nb.setHelpTour(false).ok);
    QVERIFY(nb.setGraphLimits(defaultGraphLimits()).ok);
    for (const QString &name : {scheduleFileName(), anniversaryFileName(), giftsGivenFileName(),
                                giftsReceivedFileName(), firstFoodsFileName(), vaccinationRecordsFileName()})
        QVERIFY(appendRegisterRecord(nb.files, name, {QStringLiteral("2026/12/08"), QStringLiteral("x")}).ok);
    QVERIFY(nb.appendReference(QStringLiteral("本")).ok);
    QVERIFY(nb.addCheckup({QStringLiteral("1か月"), QStringLiteral("2026/12/01"), {}, {}, {}, {}, {}, {}}).ok);
    QVERIFY(nb.addMilestone({QStringLiteral("寝返り"), QStringLiteral("2026/12/02"), {}}).ok);
    care::Entry feed;
    feed.date = QDate(2026, 12, 8);
    feed.time = QTime(3, 10);
    feed.kind = care::Kind::Formula;
    feed.amount = QStringLiteral("120");
    QVERIFY(nb.addCareEntry(feed).ok);
    QVERIFY(nb.saveRecipeFile().ok);
    QVERIFY(nb.writeProfile().ok);
    QVERIFY(nb.keepOtherVersion(diaryFileName(), {QStringLiteral("2026/12/01")}).ok);
    QVERIFY(nb.startNewNotebook(t.text(profileFileName()), QStringLiteral("2026/12/01"), 50, 3000).ok);
    notebook_setup::createMissingFiles(nb.folder(), sampleNotebookDir());

    static const QRegularExpression picture(QStringLiteral("\\.(jpe?g|gif|bmp)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression datedCopy(QStringLiteral("\\.\\d{8}-\\d{6}\\.bak(\\.\\d+)?$"));
    for (const QFileInfo &entry : QDir(t.dir()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString name = entry.fileName();
        if (entry.isDir()) {
            QCOMPARE(name, QStringLiteral("バックアップ"));
            continue;
        }
        const QString base = QString(name).remove(datedCopy);
        QVERIFY2(dataFile(base) || picture.match(name).hasMatch(), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(DataFilesTest)
#include "data_files_test.moc"
