// Typed dates as a parent writes them, and the stored yyyy/mm/dd form.
#include "core/text/dates.h"

#include <QtTest>

class DatesTest : public QObject
{
    Q_OBJECT
private slots:
    void typed_data();
    void typed();
    void stored();
};

void DatesTest::typed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // "" = not a date
    QTest::newRow("slash") << "2002/2/18"
                           << "2002/02/18";
    QTest::newRow("padded") << "2002/02/18"
                            << "2002/02/18";
    QTest::newRow("hyphen") << "2024-1-5"
                            << "2024/01/05";
    QTest::newRow("dot") << "2024.1.5"
                         << "2024/01/05";
    QTest::newRow("full-width") << QStringLiteral("２０２４／１／５") << "2024/01/05";
    QTest::newRow("full-width hyphen") << QStringLiteral("２０２４－０１－０５") << "2024/01/05";
    QTest::newRow("kanji") << QStringLiteral("2002年2月18日") << "2002/02/18";
    QTest::newRow("kanji with blanks") << QStringLiteral(" 2002年 2月 18日 ") << "2002/02/18";
    QTest::newRow("month day only") << "12/7"
                                    << "2026/12/07";
    QTest::newRow("kanji month day") << QStringLiteral("3月1日") << "2026/03/01";
    QTest::newRow("reiwa") << QStringLiteral("令和8年12月7日") << "2026/12/07";
    QTest::newRow("reiwa letter") << "R8/12/7"
                                  << "2026/12/07";
    QTest::newRow("reiwa lower letter") << "r8.12.7"
                                        << "2026/12/07";
    QTest::newRow("reiwa gannen") << QStringLiteral("令和元年5月1日") << "2019/05/01";
    QTest::newRow("heisei") << QStringLiteral("平成14年2月18日") << "2002/02/18";
    QTest::newRow("heisei letter") << "H14/2/18"
                                   << "2002/02/18";
    QTest::newRow("showa") << QStringLiteral("昭和64年1月7日") << "1989/01/07";
    QTest::newRow("showa letter") << "S60/4/1"
                                  << "1985/04/01";
    QTest::newRow("before reiwa began") << QStringLiteral("令和1年4月30日") << "";
    QTest::newRow("not in february") << "2026/2/30"
                                     << "";
    QTest::newRow("leap day") << "2024/2/29"
                              << "2024/02/29";
    QTest::newRow("no leap day") << "2023/2/29"
                                 << "";
    QTest::newRow("month 13") << "2026/13/1"
                              << "";
    QTest::newRow("mixed separators") << "2026/12-7"
                                      << "";
    QTest::newRow("two-digit year") << "02/2/18"
                                    << "";
    QTest::newRow("words") << QStringLiteral("きのう") << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("trailing junk") << "2026/12/7x"
                                   << "";
    QTest::newRow("era without year") << QStringLiteral("令和12/7") << "";
    QTest::newRow("era year past 9999") << "R8022/7/7"
                                        << "";
}

void DatesTest::typed()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const auto d = parseTypedDate(text, QDate(2026, 12, 6));
    if (expected.isEmpty()) {
        QVERIFY2(!d, qPrintable(d ? dateText(*d) : QString()));
    } else {
        QVERIFY(d);
        QCOMPARE(dateText(*d), expected);
    }
}

void DatesTest::stored()
{
    QCOMPARE(parseStoredDate(QStringLiteral("1995/02/15")), std::optional<QDate>(QDate(1995, 2, 15)));
    QVERIFY(!parseStoredDate(QStringLiteral("1995/2/15")));
    QVERIFY(!parseStoredDate(QStringLiteral("1995-02-15")));
    QVERIFY(!parseStoredDate(QStringLiteral("1995/02/30")));
    QCOMPARE(dateText(QDate(2024, 1, 5)), QStringLiteral("2024/01/05"));
    for (const QDate d : {QDate(9, 12, 31), QDate(9999, 9, 30), QDate(1995, 10, 1)})
        QCOMPARE(dateText(d), d.toString(QStringLiteral("yyyy/MM/dd")));
}

QTEST_GUILESS_MAIN(DatesTest)
#include "dates_test.moc"
