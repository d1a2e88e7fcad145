// Check-ups: what a typed check-up becomes or why it is refused, the list's rows, 健診.txt's
// bytes as the Notebook writes them, and the WHO head-circumference table.
#include "core/book/notebook.h"
#include "core/notebook/growth_reference.h"
#include "test_notebook.h"

#include <QtTest>

using checkups::Entry;

class CheckupsTest : public QObject
{
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void listRows();
    void periods();
    void fileBytes();
    void headReference();
};

namespace {

const QDate Birth(2026, 3, 5);
const QDate Today(2026, 12, 6);

Entry typed(const QStringList &f)
{
    return {f.value(0), f.value(1), f.value(2), f.value(3), f.value(4), f.value(5), f.value(6), f.value(7)};
}

} // namespace

void CheckupsTest::check_data()
{
    QTest::addColumn<QStringList>("typed");  // kind, date, height, weight, head, chest, remarks, note
    QTest::addColumn<QStringList>("stored"); // empty when refused
    QTest::addColumn<QString>("refusal");    // a part of the refusal
    const QStringList none;
    QTest::newRow("all measures, as the input method types them")
        << QStringList{u" 3〜4か月 "_qs, u"２０２６/７/１０"_qs,
                       u"６１．４"_qs,   u"６，２５０"_qs,
                       u"40.5cm"_qs,     u"41"_qs,
                       u" 異常なし "_qs, u"泣いた"_qs}
        << QStringList{u"3～4か月"_qs, u"2026/07/10"_qs, u"61.4"_qs,     u"6250"_qs,
                       u"40.5"_qs,     u"41.0"_qs,       u"異常なし"_qs, u"泣いた"_qs}
        << QString();
    QTest::newRow("no measure at all")
        << QStringList{u"歯科健診"_qs, u"R8.11.1"_qs}
        << QStringList{u"歯科健診"_qs, u"2026/11/01"_qs, {}, {}, {}, {}, {}, {}} << QString();
    QTest::newRow("heights at the edges, grams with g")
        << QStringList{u"1か月"_qs, u"2026/04/06"_qs, u"30.0"_qs, u"6250g"_qs, u"20"_qs, u"70.0"_qs}
        << QStringList{u"1か月"_qs, u"2026/04/06"_qs, u"30.0"_qs, u"6250"_qs, u"20.0"_qs, u"70.0"_qs, {}, {}}
        << QString();
    QTest::newRow("130.0 is the tallest")
        << QStringList{u"3歳"_qs, u"2026/12/06"_qs, u"130.0"_qs}
        << QStringList{u"3歳"_qs, u"2026/12/06"_qs, u"130.0"_qs, {}, {}, {}, {}, {}} << QString();
    QTest::newRow("no kind") << QStringList{u"  "_qs, u"2026/07/10"_qs} << none
                             << u"健診の名前を入れてください。"_qs;
    QTest::newRow("not a date") << QStringList{u"1歳"_qs, u"2026/2/30"_qs} << none
                                << u"2026/06/10 のように"_qs;
    QTest::newRow("after today") << QStringList{u"1歳"_qs, u"2026/12/07"_qs} << none
                                 << u"健診の日付（2026/12/07）が今日より後"_qs;
    QTest::newRow("before birth") << QStringList{u"1か月"_qs, u"2026/03/04"_qs} << none
                                  << u"生年月日より前"_qs;
    QTest::newRow("height 29.9") << QStringList{u"1か月"_qs, u"2026/04/06"_qs, u"29.9"_qs} << none
                                 << u"身長は 30.0 から 130.0 まで"_qs;
    QTest::newRow("head 71") << QStringList{u"1か月"_qs, u"2026/04/06"_qs, {}, {}, u"71"_qs} << none
                             << u"頭囲は 20.0 から 70.0 まで"_qs;
    QTest::newRow("weight in kg") << QStringList{u"1か月"_qs, u"2026/04/06"_qs, {}, u"6.25"_qs} << none
                                  << u"体重は 500 から 30000 まで"_qs;
    QTest::newRow("weight misgrouped")
        << QStringList{u"1か月"_qs, u"2026/04/06"_qs, {}, u"62,50"_qs} << none << u"体重"_qs;
    QTest::newRow("remarks with a quote")
        << QStringList{u"1か月"_qs, u"2026/04/06"_qs, {}, {}, {}, {}, u"\"良好\""_qs} << none
        << u"医師の所見"_qs;
    QTest::newRow("note with a character the file cannot hold")
        << QStringList{u"1か月"_qs, u"2026/04/06"_qs, {}, {}, {}, {}, {}, u"😀"_qs} << none << u"メモ"_qs;
}

void CheckupsTest::check()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, stored);
    QFETCH(QString, refusal);
    const checkups::Checked c = checkups::check(::typed(typed), Birth, Today);
    if (stored.isEmpty()) {
        QVERIFY(!c.entry);
        QVERIFY2(c.refusal.contains(refusal), qPrintable(c.refusal));
    } else {
        QVERIFY2(c.entry, qPrintable(c.refusal));
        QCOMPARE(c.entry->fields(), stored);
    }
}

// Routine check-ups in their order, a kind recorded twice on two rows, the free ones by date.
void CheckupsTest::listRows()
{
    const QList<Entry> entries{typed({u"歯科健診"_qs, u"2026/11/01"_qs}),
                               typed({u"1か月"_qs, u"2026/04/20"_qs}),
                               typed({u"3～4か月"_qs, u"2026/07/10"_qs}),
                               typed({u"視力"_qs, u"2026/10/01"_qs}), typed({u"1か月"_qs, u"2026/04/10"_qs})};
    QStringList got;
    for (const checkups::ListRow &r : checkups::listRows(entries))
        got.append(QStringLiteral("%1:%2").arg(r.kind).arg(r.entry));
    QCOMPARE(got, (QStringList{u"1か月:4"_qs, u"1か月:1"_qs, u"3〜4か月:2"_qs, u"6〜7か月:-1"_qs,
                               u"9〜10か月:-1"_qs, u"1歳:-1"_qs, u"1歳6か月:-1"_qs, u"3歳:-1"_qs,
                               u"視力:3"_qs, u"歯科健診:0"_qs}));
}

void CheckupsTest::periods()
{
    const auto first = checkups::periodOf(checkups::routine().first(), Birth);
    QCOMPARE(first, std::pair(QDate(2026, 4, 5), QDate(2026, 6, 4)));
    const auto last = checkups::periodOf(checkups::routine().last(), QDate(2024, 1, 31));
    QCOMPARE(last, std::pair(QDate(2027, 1, 31), QDate(2028, 1, 30)));
}

void CheckupsTest::fileBytes()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readTable(NotebookTable::Checkups);
    QSignalSpy changed(&nb, &Notebook::changed);
    for (const QStringList &f :
         {QStringList{u"3〜4か月"_qs, u"2026/7/10"_qs, u"６１．４"_qs, u"6,250g"_qs, u"40.5"_qs, u"41"_qs,
                      u"異常なし"_qs},
          QStringList{u"歯科健診"_qs, u"R8.11.1"_qs, {}, {}, {}, {}, {}, u"はじめての歯医者"_qs}}) {
        const checkups::Checked c = checkups::check(typed(f), Birth, Today);
        QVERIFY(c.entry);
        QVERIFY(nb.addCheckup(*c.entry).ok);
    }
    QCOMPARE(t.bytes(u"健診.txt"_qs),
             QByteArray("\"3\x81`4\x82\xa9\x8c\x8e\",\"2026/07/10\",\"61.4\",\"6250\",\"40.5\",\"41.0\","
                        "\"\x88\xd9\x8f\xed\x82\xc8\x82\xb5\",\"\"\r\n"
                        "\"\x8e\x95\x89\xc8\x8c\x92\x90"
                        "f\",\"2026/11/01\",\"\",\"\",\"\",\"\",\"\","
                        "\"\x82\xcd\x82\xb6\x82\xdf\x82\xc4\x82\xcc\x8e\x95\x88\xe3\x8e\xd2\"\r\n"));
    QCOMPARE(changed.size(), 2);
    // Read back, the Notebook's copy is the same, so a change finds its line.
    const QList<Entry> held = nb.checkups;
    nb.readTable(NotebookTable::Checkups);
    QCOMPARE(nb.checkups, held);
}

// The boys' median head at birth and at one year, as the JSON gives it (L = 1).
void CheckupsTest::headReference()
{
    const std::optional<Lms> birth = referenceLms(GrowthMeasure::Head, Sex::Boy, 0);
    const std::optional<Lms> year = referenceLms(GrowthMeasure::Head, Sex::Boy, 12 * DaysPerMonth);
    QVERIFY(birth && year);
    QCOMPARE(birth->m, 34.4618);
    QCOMPARE(year->m, 46.0661);
    QCOMPARE(year->l, 1.0);
}

QTEST_MAIN(CheckupsTest)
#include "checkups_test.moc"
