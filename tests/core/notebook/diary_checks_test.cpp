#include "core/notebook/diary_checks.h"

#include <QtTest>

// The checks of the diary's save, in the order the user meets them, without the page.
class DiaryChecksTest : public QObject
{
    Q_OBJECT
private slots:
    void refusalsAndDecisions_data();
    void refusalsAndDecisions();
};

namespace {

DiaryTable twoDays(int count = 2)
{
    DiaryTable t;
    for (int i = 0; i < count; ++i)
        t.days().append(DiaryDay{QDate(1995, 2, 15).addDays(i).toString(QStringLiteral("yyyy/MM/dd")), 50,
                                 3000, QString()});
    return t;
}

} // namespace

void DiaryChecksTest::refusalsAndDecisions_data()
{
    QTest::addColumn<int>("tableDays");
    QTest::addColumn<QStringList>("typed"); // date, height, weight, text
    QTest::addColumn<QString>("title");     // empty: no refusal
    QTest::addColumn<QString>("textStart");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("day");
    using F = DiaryRefusal::Field;
    const QString check = QStringLiteral("入力確認");
    QTest::newRow("not a date") << 2 << QStringList{"あした", "", "", ""} << check
                                << "その入力は日付の形式では" << int(F::None) << "" << 0;
    QTest::newRow("before day 1") << 2 << QStringList{"1995/2/14", "", "", ""} << "日付確認"
                                  << "出産日前の日付けは登録できません" << int(F::None) << "1995/02/14" << 0;
    QTest::newRow("height without weight") << 2 << QStringList{"1995/02/16", "51", "0", ""} << check
                                           << "身長入力時は必ず体重も" << int(F::Weight) << "1995/02/16" << 0;
    QTest::newRow("full table") << 1095 << QStringList{"1998/01/01", "", "", ""} << "登録上限"
                                << "登録できるのは１０９５件まで" << int(F::None) << "1998/01/01" << 0;
    QTest::newRow("past the last day")
        << 2 << QStringList{"1998/02/14", "", "", ""} << "日付確認"
        << "日記に登録できるのは出産日から１０９５日目（1998/02/13）" << int(F::None) << "1998/02/14" << 0;
    QTest::newRow("last day fits") << 2 << QStringList{"1998/02/13", "", "", ""} << ""
                                   << "" << int(F::None) << "1998/02/13" << 0;
    QTest::newRow("height too large") << 2 << QStringList{"1995/02/17", "32768", "3000", ""} << check
                                      << "身長の値が大きすぎます" << int(F::Height) << "1995/02/17" << 0;
    // Kept to the tenth, a height must still round into 16 bits for a reader that rounds.
    QTest::newRow("height's top tenth") << 2 << QStringList{"1995/02/17", "32767.4", "3000", ""} << ""
                                        << "" << int(F::None) << "1995/02/17" << 0;
    QTest::newRow("height's tenth rounded down") << 2 << QStringList{"1995/02/17", "32767.45", "3000", ""} << ""
                                              << "" << int(F::None) << "1995/02/17" << 0;
    QTest::newRow("height rounding past the top")
        << 2 << QStringList{"1995/02/17", "32767.5", "3000", ""} << check << "身長の値が大きすぎます"
        << int(F::Height) << "1995/02/17" << 0;
    QTest::newRow("weight too small") << 2 << QStringList{"1995/02/17", "", "-32769", ""} << check
                                      << "体重の値が範囲外です" << int(F::Weight) << "1995/02/17" << 0;
    // Digits typed with the input method count as digits: the value is not taken as 0.
    QTest::newRow("full-width height too large")
        << 2 << QStringList{"1995/02/17", "３２７６８", "1", ""} << check << "身長の値が大きすぎます"
        << int(F::Height) << "1995/02/17" << 0;
    QTest::newRow("full-width minus") << 2 << QStringList{"1995/02/17", "", "－３２７６９", ""} << check
                                      << "体重の値が範囲外です" << int(F::Weight) << "1995/02/17" << 0;
    // tableDays < 0: day 1 written by hand as 1995/2/15.
    QTest::newRow("before a hand-written day 1")
        << -2 << QStringList{"1995/02/14", "", "", ""} << "日付確認"
        << "出産日前の日付けは登録できません" << int(F::None) << "1995/02/14" << 0;
    QTest::newRow("text CP932 cannot hold") << 2 << QStringList{"1995/02/17", "", "", "きょうは🍼"} << check
                                            << "" << int(F::None) << "1995/02/17" << 0;
    QTest::newRow("weight with a misplaced comma") << 2 << QStringList{"1995/02/17", "50", "3,35", ""} << check
                                                   << "「体重」の数字の区切り" << int(F::Weight) << "1995/02/17" << 0;
    QTest::newRow("existing day, era typed") << 2 << QStringList{"平成7年2月16日", "50.5", "3,050", "x"} << ""
                                             << "" << int(F::None) << "1995/02/16" << 2;
    QTest::newRow("empty table takes any date") << 0 << QStringList{"2026/12/06", "", "", ""} << ""
                                                << "" << int(F::None) << "2026/12/06" << 0;
}

void DiaryChecksTest::refusalsAndDecisions()
{
    QFETCH(int, tableDays);
    QFETCH(QStringList, typed);
    QFETCH(QString, title);
    QFETCH(QString, textStart);
    QFETCH(int, focus);
    QFETCH(QString, date);
    QFETCH(int, day);
    DiaryTable table = twoDays(qAbs(tableDays));
    if (tableDays < 0)
        table.day(1).date = QStringLiteral("1995/2/15");
    const DiarySaveCheck c =
        checkDiarySave(table, {typed[0], typed[1], typed[2], typed[3]}, QDate(2026, 12, 6));
    QCOMPARE(c.date, date);
    QCOMPARE(c.refusal.has_value(), !title.isEmpty());
    if (c.refusal) {
        QCOMPARE(c.refusal->title, title);
        QVERIFY2(c.refusal->text.startsWith(textStart), qPrintable(c.refusal->text));
        QCOMPARE(int(c.refusal->focus), focus);
    } else {
        QCOMPARE(c.day, day);
    }
}

QTEST_GUILESS_MAIN(DiaryChecksTest)
#include "diary_checks_test.moc"
