// 日記.txt: reading into the day table, both ways of writing, the date order, heights kept to
// 0.1 cm through every read and rewrite.
#include "core/text/cp932.h"
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
    void heightsKeptToTheTenth_data();
    void heightsKeptToTheTenth();
    void unrelatedSavesKeepTenths();
    void birthDayKeepsItsTenth();
    void outsideDayOutOfOrder_data();
    void outsideDayOutOfOrder();
    void notebookKeepsCopyOfFileNotReadWhole();
};

void DiaryStoreTest::goldenFiles_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("inOrder");
    QTest::newRow("basic") << "basic" << 3 << true << true;
    QTest::newRow("apostrophes") << "apostrophes" << 1 << true << true;
    QTest::newRow("truncated") << "truncated" << 1 << false << true;
    QTest::newRow("out of range") << "out_of_range" << 1 << true << true;
    QTest::newRow("lf only") << "lf_only" << 1 << true << true;
    QTest::newRow("invalid bytes") << "invalid_bytes" << 1 << true << true;
    QTest::newRow("trailing blank lines") << "trailing_blank" << 1 << true << true;
    // 49.5, 78.4 and 72.5 as they stand; 49.55 and 50.45 to the even tenth, 3050.5 g to 3050.
    QTest::newRow("decimals") << "decimals" << 6 << true << true;
    // Written in date order, two days of one date in the file's order.
    QTest::newRow("out of order") << "out_of_order" << 4 << true << false;
}

void DiaryStoreTest::goldenFiles()
{
    QFETCH(QString, folder);
    QFETCH(int, days);
    QFETCH(bool, whole);
    QFETCH(bool, inOrder);
    const DiaryParse parsed = parseDiary(testDataBytes(QStringLiteral("diary/%1/input.txt").arg(folder)));
    QCOMPARE(parsed.days.size(), days);
    QCOMPARE(parsed.whole, whole);
    QCOMPARE(parsed.inOrder, inOrder);
    const cp932::Encoded written = cp932::encode(diaryFileText(parsed.days));
    QVERIFY(written.ok);
    QCOMPARE(written.bytes, testDataBytes(QStringLiteral("diary/%1/expected.txt").arg(folder)));
}

void DiaryStoreTest::readsRecordsExactly()
{
    const DiaryParse parsed = parseDiary(testDataBytes(QStringLiteral("diary/basic/input.txt")));
    QCOMPARE(parsed.days[0].date, QStringLiteral("1995/02/15"));
    QCOMPARE(parsed.days[0].height, 50.5); // kept to the tenth, not rounded to 50
    QCOMPARE(parsed.days[0].text, QString());
    QCOMPARE(parsed.days[1].text, QStringLiteral("a\r\nb\r\nc"));
    QCOMPARE(parsed.days[2].height, 51.5);
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
    // The table's own precision: 0.1 cm and the gram.
    QCOMPARE(diaryRecordText(QStringLiteral("2026/12/06"), 49.55, 3050.5, QString()),
             QStringLiteral(
                 "*******************************\r\n【日付】2026/12/06\r\n【身長】49.6\r\n【体重】3050\r\n"
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
    // Days of one date keep their order.
    days.prepend({QStringLiteral("2026/12/02"), 0, 0, QStringLiteral("B")});
    sortDiary(days);
    QCOMPARE(days[0].text + days[1].text + days[2].text + days[3].text, QStringLiteral("aBbc"));
}

void DiaryStoreTest::heightsKeptToTheTenth_data()
{
    QTest::addColumn<QString>("inFile"); // the text after 【身長】
    QTest::addColumn<double>("kept");
    QTest::addColumn<QString>("written");
    QTest::newRow("a tenth") << "78.4" << 78.4 << "78.4";
    QTest::newRow("a half") << "49.5" << 49.5 << "49.5";
    QTest::newRow("whole") << "50" << 50.0 << "50";
    QTest::newRow("trailing zero") << "50.50" << 50.5 << "50.5";
    QTest::newRow("hundredths down") << "78.44" << 78.4 << "78.4";
    QTest::newRow("hundredths up") << "78.46" << 78.5 << "78.5";
    // Halves of a tenth go to the even tenth, judged as typed (49.55 is 49.5499… in binary).
    QTest::newRow("half up to even") << "49.55" << 49.6 << "49.6";
    QTest::newRow("half down to even") << "49.65" << 49.6 << "49.6";
    QTest::newRow("half to zero") << "0.05" << 0.0 << "0";
    QTest::newRow("negative") << "-3.25" << -3.2 << "-3.2";
    QTest::newRow("unit after the number") << "50.5cm" << 50.5 << "50.5";
    QTest::newRow("past the 16-bit range") << "40000.5" << 32767.0 << "32767";
    QTest::newRow("top of the range") << "32767.4" << 32767.4 << "32767.4";
    QTest::newRow("past it by a half") << "32767.5" << 32767.0 << "32767";
    QTest::newRow("bottom of the range") << "-32768.45" << -32768.4 << "-32768.4";
}

void DiaryStoreTest::heightsKeptToTheTenth()
{
    QFETCH(QString, inFile);
    QFETCH(double, kept);
    QFETCH(QString, written);
    const QString record =
        QStringLiteral("*******************************\r\n【日付】2026/12/01\r\n【身長】") + inFile +
        QStringLiteral("\r\n【体重】3000\r\n【日記】\r\n'\r\n");
    const DiaryParse parsed = parseDiary(cp932::encode(record).bytes);
    QCOMPARE(parsed.days.size(), 1);
    QCOMPARE(parsed.days[0].height, kept);
    QCOMPARE(measureText(parsed.days[0].height), written);
    const QString rewritten = diaryFileText(parsed.days);
    QVERIFY2(rewritten.contains(QStringLiteral("【身長】") + written + QStringLiteral("\r\n")),
             qPrintable(rewritten));
    // Read again, the kept value stays what it was; appended, it is written the same.
    QCOMPARE(parseDiary(cp932::encode(rewritten).bytes).days[0].height, kept);
    QCOMPARE(diaryRecordText(QStringLiteral("2026/12/01"), kept, 3000, QString()), rewritten);
}

// A day with a tenth, typed here or come from the other computer, keeps it when another day
// is saved and the whole file is written anew.
void DiaryStoreTest::unrelatedSavesKeepTenths()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readDiary();
    QVERIFY(nb.addDay(QStringLiteral("1997/02/01"), 78.4, 10500, QStringLiteral("こちらで測った")).ok);
    t.writeText(diaryFileName(),
                t.text(diaryFileName()) + diaryRecordText(QStringLiteral("1997/02/02"), 72.5, 10600,
                                                          QStringLiteral("あちらで測った")));
    QCOMPARE(nb.checkOutside(), QStringList{diaryFileName()});
    QCOMPARE(nb.diary.day(nb.diary.count()).height, 72.5);
    QVERIFY(
        nb.changeDay(1, nb.diary.day(1).height, nb.diary.day(1).weight, QStringLiteral("一日目を書き直した"))
            .ok);
    QVERIFY(
        nb.addDay(QStringLiteral("1997/01/20"), 0, 0, QStringLiteral("間の日")).ok); // sorted in: a rewrite
    const QString file = t.text(diaryFileName());
    QVERIFY(file.contains(QStringLiteral("【日付】1997/02/01\r\n【身長】78.4\r\n【体重】10500\r\n")));
    QVERIFY(file.contains(QStringLiteral("【日付】1997/02/02\r\n【身長】72.5\r\n【体重】10600\r\n")));
    QCOMPARE(nb.diary.day(nb.diary.find(QStringLiteral("1997/02/01"))).height, 78.4);
}

// The new notebook's first day is made from the profile's birth height and weight.
void DiaryStoreTest::birthDayKeepsItsTenth()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    QVERIFY(nb.startNewNotebook(QStringLiteral("たろう\r\n"), QStringLiteral("2026/12/01"), 49.5, 3050.5).ok);
    QVERIFY(t.text(diaryFileName()).contains(QStringLiteral("【身長】49.5\r\n【体重】3050\r\n")));
    nb.readDiary();
    QCOMPARE(nb.diary.count(), 1);
    QCOMPARE(nb.diary.day(1).height, 49.5);
    QCOMPARE(nb.growth.height[1], 49.5);
}

void DiaryStoreTest::outsideDayOutOfOrder_data()
{
    QTest::addColumn<int>("save"); // 0: none, 1: a day after the last, 2: a change of day 1
    QTest::newRow("only read") << 0;
    QTest::newRow("a new last day") << 1;
    QTest::newRow("a change of another day") << 2;
}

// The other computer adds 1997/02/08 and then 1997/02/05 at the end of the file: the table is
// in date order as soon as it is read, the file is left as it is until a day is saved here,
// and that save writes it in date order.
void DiaryStoreTest::outsideDayOutOfOrder()
{
    QFETCH(int, save);
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readDiary();
    const int before = nb.diary.count();
    const QString outside = t.text(diaryFileName()) +
                            diaryRecordText(QStringLiteral("1997/02/08"), 0, 0, QStringLiteral("八日")) +
                            diaryRecordText(QStringLiteral("1997/02/05"), 0, 0, QStringLiteral("五日"));
    t.writeText(diaryFileName(), outside);
    QCOMPARE(nb.checkOutside(), QStringList{diaryFileName()});
    QCOMPARE(nb.diary.count(), before + 2);
    QCOMPARE(nb.diary.day(before + 1).date, QStringLiteral("1997/02/05"));
    QCOMPARE(nb.diary.day(before + 2).date, QStringLiteral("1997/02/08"));
    QVERIFY(nb.diary.fileOutOfOrder);
    if (save == 1)
        QVERIFY(nb.addDay(QStringLiteral("1997/02/10"), 0, 0, QStringLiteral("十日")).ok);
    else if (save == 2)
        QVERIFY(
            nb.changeDay(1, nb.diary.day(1).height, nb.diary.day(1).weight, QStringLiteral("書き直し")).ok);
    const DiaryParse file = parseDiary(t.bytes(diaryFileName()));
    if (save == 0) {
        QCOMPARE(t.text(diaryFileName()), outside);
        return;
    }
    QVERIFY(file.inOrder);
    QVERIFY(!nb.diary.fileOutOfOrder);
    QCOMPARE(file.days.size(), before + 2 + (save == 1 ? 1 : 0));
    QCOMPARE(nb.diary.day(before + 2).text, QStringLiteral("八日"));
    QVERIFY(nb.files.changedOutside().isEmpty());
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
