// できたよ: what a parent types checked, the child's age on a day at the month ends, the order
// of the list, and できたよ.txt's bytes as the Notebook writes them.
#include "core/book/notebook.h"
#include "core/registers/milestones.h"
#include "core/text/dates.h"
#include "test_notebook.h"

#include <QtTest>

using milestones::Entry;

class MilestonesTest : public QObject
{
    Q_OBJECT
private slots:
    // Born 2025/06/10, today 2026/12/06; stored empty when refused, refusal a part of the message.
    void check_data()
    {
        QTest::addColumn<QStringList>("typed"); // what, date, note
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("trimmed") << QStringList{u" 寝返り "_qs, u"２０２５年１１月２日"_qs, u" 右 "_qs}
                                 << QStringList{u"寝返り"_qs, u"2025/11/02"_qs, u"右"_qs} << QString();
        QTest::newRow("no words") << QStringList{u"　 "_qs, u"2026/1/1"_qs, {}} << QStringList()
                                  << u"できたことを入れてください。"_qs;
        QTest::newRow("not a date") << QStringList{u"a"_qs, u"2026/2/30"_qs, {}} << QStringList()
                                    << u"日付を 2026/05/12 のように入力してください。"_qs;
        QTest::newRow("before birth") << QStringList{u"a"_qs, u"2025/6/9"_qs, {}} << QStringList()
                                      << u"日付（2025/06/09）が生年月日より前の日付です。"_qs;
        QTest::newRow("after today") << QStringList{u"a"_qs, u"2026/12/7"_qs, {}} << QStringList()
                                     << u"日付（2026/12/07）が今日より後の日付です。"_qs;
        QTest::newRow("not CP932") << QStringList{u"a"_qs, u"2026/1/1"_qs, u"😀"_qs} << QStringList()
                                   << u"（U+1F600）"_qs;
    }

    void check()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, stored);
        QFETCH(QString, refusal);
        const milestones::Checked got =
            milestones::check({typed[0], typed[1], typed[2]}, QDate(2025, 6, 10), QDate(2026, 12, 6));
        QCOMPARE(got.entry ? got.entry->fields() : QStringList(), stored);
        QVERIFY2(refusal.isEmpty() ? got.refusal.isEmpty() : got.refusal.contains(refusal),
                 qPrintable(got.refusal));
    }

    void age_data()
    {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QDate>("on");
        QTest::addColumn<QString>("age");
        QTest::newRow("birth day") << QDate(2026, 1, 31) << QDate(2026, 1, 31) << u"生後0か月0日"_qs;
        QTest::newRow("31st: Feb 28") << QDate(2026, 1, 31) << QDate(2026, 2, 28) << u"生後1か月0日"_qs;
        QTest::newRow("31st: Mar 1") << QDate(2026, 1, 31) << QDate(2026, 3, 1) << u"生後1か月1日"_qs;
        QTest::newRow("1st birthday") << QDate(2025, 6, 10) << QDate(2026, 6, 10) << u"1歳0か月0日"_qs;
        QTest::newRow("leap day: Feb 28") << QDate(2024, 2, 29) << QDate(2025, 2, 28) << u"1歳0か月0日"_qs;
        QTest::newRow("before birth") << QDate(2026, 1, 31) << QDate(2026, 1, 30) << QString();
    }

    void age()
    {
        QFETCH(QDate, birth);
        QFETCH(QDate, on);
        QFETCH(QString, age);
        QCOMPARE(ageText(birth, on), age);
    }

    // The routine firsts in their order, one given on two computers on two rows by date, then the
    // parent's own by date, one whose date cannot be read last.
    void listed()
    {
        const QList<Entry> entries{{u"拍手"_qs, u"2026/0x/01"_qs, {}},
                                   {u"寝返り"_qs, u"2025/11/04"_qs, {}},
                                   {u"にっこり"_qs, u"2025/07/01"_qs, {}},
                                   {u"寝返り"_qs, u"2025/11/02"_qs, {}}};
        QList<int> got;
        for (const milestones::Row &r : milestones::listed(entries))
            got.append(r.index);
        QCOMPARE(got, (QList<int>{-1, 3, 1, -1, -1, -1, -1, -1, -1, 2, 0}));
    }

    void fileBytes()
    {
        TestNotebook t;
        t.notebook().readTable(NotebookTable::Milestones);
        QVERIFY(t.notebook().addMilestone({u"はじめてのことば"_qs, u"1996/01/02"_qs, u"ママ～"_qs}).ok);
        QCOMPARE(
            t.bytes(u"できたよ.txt"_qs),
            QByteArray("\"\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xcc\x82\xb1\x82\xc6\x82\xce\",\"1996/01/02\","
                       "\"\x83}\x83}\x81`\"\r\n"));
    }
};

QTEST_MAIN(MilestonesTest)
#include "milestones_test.moc"
