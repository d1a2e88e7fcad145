// 日記.txt: reading into the day table, both ways of writing, the date order.
#include "core/common/cp932.h"
#include "core/notebook/diary_store.h"
#include "generators.h"
#include "test_notebook.h"

#include <QtTest>

class DiaryStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void goldenFiles_data();
    void goldenFiles();
    void readsRecordsExactly();
    void appendedRecordLayout();
    void textsSurviveWriteAndRead_data();
    void textsSurviveWriteAndRead();
    void capacity();
    void sortByDateText();
    void notebookKeepsCopyOfFileNotReadWhole();
};

void DiaryStoreTest::goldenFiles_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("whole");
    QTest::newRow("basic") << "basic" << 3 << true;
    QTest::newRow("apostrophes") << "apostrophes" << 1 << true;
    QTest::newRow("truncated") << "truncated" << 1 << false;
    QTest::newRow("out of range") << "out_of_range" << 1 << true;
    QTest::newRow("lf only") << "lf_only" << 1 << true;
    QTest::newRow("invalid bytes") << "invalid_bytes" << 1 << true;
    QTest::newRow("trailing blank lines") << "trailing_blank" << 1 << true;
}

void DiaryStoreTest::goldenFiles()
{
    QFETCH(QString, folder);
    QFETCH(int, days);
    QFETCH(bool, whole);
    const DiaryParse parsed = parseDiary(testDataBytes(QStringLiteral("diary/%1/input.txt").arg(folder)));
    QCOMPARE(parsed.days.size(), days);
    QCOMPARE(parsed.whole, whole);
    const cp932::Encoded written = cp932::encode(diaryFileText(parsed.days));
    QVERIFY(written.ok);
    QCOMPARE(written.bytes, testDataBytes(QStringLiteral("diary/%1/expected.txt").arg(folder)));
}

void DiaryStoreTest::readsRecordsExactly()
{
    const DiaryParse parsed = parseDiary(testDataBytes(QStringLiteral("diary/basic/input.txt")));
    QCOMPARE(parsed.days[0].date, QStringLiteral("1995/02/15"));
    QCOMPARE(parsed.days[0].height, qint16(50)); // 50.5: halves to even
    QCOMPARE(parsed.days[0].text, QString());
    QCOMPARE(parsed.days[1].text, QStringLiteral("a\r\nb\r\nc"));
    QCOMPARE(parsed.days[2].height, qint16(52)); // 51.5
    QCOMPARE(parsed.days[2].text, QStringLiteral("最後が空行\r\n"));

    const DiaryParse one = parseDiary(testDataBytes(QStringLiteral("diary/apostrophes/input.txt")));
    QCOMPARE(one.days[0].text, QStringLiteral("'\r\nふつう\r\n''\r\nit's"));
    QCOMPARE(parseDiary(QByteArray()).days.size(), 0);
}

void DiaryStoreTest::appendedRecordLayout()
{
    // The appended record keeps the typed fraction; a day without text has six lines.
    QCOMPARE(diaryRecordText(QStringLiteral("2026/12/06"), 50.5, 3000, QString()),
             QStringLiteral(
                 "*******************************\r\n【日付】2026/12/06\r\n【身長】50.5\r\n【体重】3000\r\n"
                 "【日記】\r\n'\r\n"));
    QCOMPARE(
        diaryRecordText(QStringLiteral("2026/12/06"), 0, -3, QStringLiteral("a\r\nb")),
        QStringLiteral("*******************************\r\n【日付】2026/12/06\r\n【身長】0\r\n【体重】-3\r\n"
                       "【日記】\r\na\r\nb\r\n'\r\n"));
}

void DiaryStoreTest::textsSurviveWriteAndRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("one line") << QStringLiteral("ねがえり");
    QTest::newRow("ends with a line break") << QStringLiteral("a\r\n");
    QTest::newRow("only a line break") << QStringLiteral("\r\n");
    QTest::newRow("blank lines inside") << QStringLiteral("a\r\n\r\n\r\nb");
    QTest::newRow("single apostrophe line") << QStringLiteral("前\r\n'\r\n後");
    QTest::newRow("apostrophe last") << QStringLiteral("前\r\n'");
    QTest::newRow("apostrophes only") << QStringLiteral("''\r\n'''");
    QTest::newRow("asterisks and labels")
        << QStringLiteral("*******************************\r\n【日付】2000/01/01");
    QTest::newRow("windows characters") << QStringLiteral("①㌍～髙");
}

void DiaryStoreTest::textsSurviveWriteAndRead()
{
    QFETCH(QString, text);
    DiaryDay a{QStringLiteral("2026/12/01"), 60, 6000, text};
    DiaryDay b{QStringLiteral("2026/12/02"), 0, 0, QStringLiteral("next")};
    for (const QString &file : {diaryFileText({a, b}), diaryRecordText(a.date, 60, 6000, text) +
                                                           diaryRecordText(b.date, 0, 0, b.text)}) {
        const DiaryParse parsed = parseDiary(cp932::encode(file).bytes);
        QVERIFY(parsed.whole);
        QCOMPARE(parsed.days.size(), 2);
        QCOMPARE(parsed.days[0].text, text);
        QCOMPARE(parsed.days[1].date, b.date);
    }
}

void DiaryStoreTest::capacity()
{
    const DiaryParse full = parseDiary(generators::diaryFile(DiaryCapacity));
    QCOMPARE(full.days.size(), DiaryCapacity);
    QVERIFY(full.whole);
    const DiaryParse over = parseDiary(generators::diaryFile(DiaryCapacity + 5));
    QCOMPARE(over.days.size(), DiaryCapacity);
    QVERIFY(!over.whole);
}

void DiaryStoreTest::sortByDateText()
{
    QList<DiaryDay> days = {{QStringLiteral("2026/12/03"), 0, 0, QStringLiteral("c")},
                            {QStringLiteral("2026/12/01"), 0, 0, QStringLiteral("a")},
                            {QStringLiteral("2026/12/02"), 0, 0, QStringLiteral("b")}};
    sortDiary(days);
    QCOMPARE(days[0].text + days[1].text + days[2].text, QStringLiteral("abc"));
}

void DiaryStoreTest::notebookKeepsCopyOfFileNotReadWhole()
{
    TestNotebook t;
    const QByteArray original = testDataBytes(QStringLiteral("diary/truncated/input.txt"));
    t.writeBytes(QStringLiteral("日記.txt"), original);
    Notebook &nb = t.notebook();
    QVERIFY(nb.readDiary().firstNotWhole);
    QVERIFY(!nb.readDiary().firstNotWhole); // told once
    QCOMPARE(nb.diary.count(), 1);

    // Appending after a cut record would swallow the new day: the complete days are written
    // first, with the original kept aside.
    const WriteResult r = nb.appendDay(QStringLiteral("2026/12/05"), 0, 0, QStringLiteral("新しい日"));
    QVERIFY(r.ok);
    QCOMPARE(r.backupName, QStringLiteral("日記.txt.20261206-093000.bak")); // named by the clock
    QCOMPARE(t.bytes(r.backupName), original);
    nb.readDiary();
    QCOMPARE(nb.diary.count(), 2);
    QCOMPARE(nb.diary.day(2).text, QStringLiteral("新しい日"));
    // Only one copy, before the first rewrite.
    QVERIFY(nb.writeDiary().backupName.isEmpty());
}

QTEST_GUILESS_MAIN(DiaryStoreTest)
#include "diary_store_test.moc"
