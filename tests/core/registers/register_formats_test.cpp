// The register files and the computations behind the lists: what a line gives and what is
// written back, remaining days and colours, the orders, picture names of items.
#include "core/text/cp932.h"
#include "core/notebook/anniversary_store.h"
#include "core/registers/register_files.h"
#include "core/registers/register_logic.h"
#include "core/registers/remaining_days.h"
#include "test_notebook.h"

#include <QRandomGenerator>
#include <QtTest>

using Records = QList<QStringList>;
Q_DECLARE_METATYPE(std::optional<int>)

class RegisterFormatsTest : public QObject
{
    Q_OBJECT
private slots:
    void readLines_data();
    void readLines();
    void unreadableBytesSurviveRewrite();
    void remainingDaysAndColours_data();
    void remainingDaysAndColours();
    void ordersKeepEqualKeysInFileOrder();
    void pictureKeys_data();
    void pictureKeys();
    void anniversaryAdd_data();
    void anniversaryAdd();
    void anniversaryAddMatchesTheExchangeSort();
};

void RegisterFormatsTest::readLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fields");
    QTest::addColumn<Records>("records");
    QTest::addColumn<bool>("whole"); // false: a rewrite would lose or change something
    QTest::newRow("comma inside quotes") << "\"2026/12/06\",\"公園, 図書館\"\r\n"
                                         << 2 << Records{{"2026/12/06", "公園, 図書館"}} << true;
    QTest::newRow("marked, new, blank line, no last CR LF")
        << "\"1995/02/16\",\"ベビー服\",\"○\"\r\n\r\n\"1995/02/20\",\"おくるみ\",\"\"" << 3
        << Records{{"1995/02/16", "ベビー服", "○"}, {"1995/02/20", "おくるみ", ""}} << true;
    QTest::newRow("double quote inside a field") << "\"2026/12/06\",\"5\"の靴\"\r\n"
                                                 << 2 << Records{{"2026/12/06", "5"}} << false;
    QTest::newRow("one field too many") << "\"1995/03/20\",\"タオル\",\"○\"\r\n"
                                        << 2 << Records{{"1995/03/20", "タオル"}} << false;
    QTest::newRow("mark field missing") << "\"1995/03/20\",\"タオル\"\r\n"
                                        << 3 << Records{{"1995/03/20", "タオル", ""}} << false;
    QTest::newRow("unquoted") << "2026/12/06,散歩\r\n" << 2 << Records{{"2026/12/06", "散歩"}} << false;
    QTest::newRow("unquoted with a double quote") << "2026/12/06,5\"の靴\r\n"
                                                  << 2 << Records{{"2026/12/06", "5\"の靴"}} << false;
}

void RegisterFormatsTest::readLines()
{
    QFETCH(QString, text);
    QFETCH(int, fields);
    QFETCH(Records, records);
    QFETCH(bool, whole);
    const RegisterRead read = parseRegister(cp932::encode(text).bytes, fields);
    QCOMPARE(read.records, records);
    QCOMPARE(read.whole, whole);
    // What was read is written so that it reads back the same.
    QCOMPARE(parseRegister(cp932::encode(registerFileText(records)).bytes, fields).records, records);
}

void RegisterFormatsTest::unreadableBytesSurviveRewrite()
{
    // A byte pair CP932 has no character for, a blank line, no CR LF at the end.
    const QByteArray bytes = testDataBytes(QStringLiteral("register_read/頂きもの.txt"));
    const RegisterRead read = parseRegister(bytes, 3);
    QCOMPARE(read.records.size(), 3);
    QVERIFY(read.whole);
    QByteArray expected = bytes;
    expected.replace("\r\n\r\n", "\r\n");
    QCOMPARE(cp932::encode(registerFileText(read.records)).bytes, expected + "\r\n");
    // An append never runs into a last line without its CR LF.
    TestNotebook t;
    t.writeBytes(QStringLiteral("頂きもの.txt"), bytes);
    QVERIFY(appendRegisterRecord(t.notebook().files, QStringLiteral("頂きもの.txt"), {"a", "b"}).ok);
    QCOMPARE(t.bytes(QStringLiteral("頂きもの.txt")), bytes + "\r\n\"a\",\"b\"\r\n");
}

void RegisterFormatsTest::remainingDaysAndColours_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<std::optional<int>>("days");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("today") << "2026/12/06" << std::optional<int>(0) << QColor(192, 255, 192);
    QTest::newRow("tomorrow") << "2026/12/07" << std::optional<int>(1) << QColor(255, 255, 192);
    QTest::newRow("in three days") << "2026/12/09" << std::optional<int>(3) << QColor(255, 255, 192);
    QTest::newRow("in four days") << "2026/12/10" << std::optional<int>(4) << QColor(255, 255, 255);
    QTest::newRow("yesterday") << "2026/12/05" << std::optional<int>(-1) << QColor(255, 192, 192);
    QTest::newRow("month and day") << "1/1" << std::optional<int>(-339) << QColor(255, 192, 192);
    QTest::newRow("no such day") << "2026/02/30" << std::optional<int>() << QColor();
}

void RegisterFormatsTest::remainingDaysAndColours()
{
    QFETCH(QString, date);
    QFETCH(std::optional<int>, days);
    QFETCH(QColor, colour);
    const std::optional<int> got = remainingDays(date, QDate(2026, 12, 6));
    QCOMPARE(got, days);
    if (got)
        QCOMPARE(dueColour(dueOf(*got)), colour);
}

void RegisterFormatsTest::ordersKeepEqualKeysInFileOrder()
{
    // Most overdue first, entries without a date last.
    QCOMPARE(orderByRemaining({3, std::nullopt, -1, 3, 0, std::nullopt, -5}),
             (QList<int>{6, 2, 4, 0, 3, 1, 5}));
    QCOMPARE(orderByText({u"1995/03/01", u"1995/02/20", u"1995/03/01", u"1995/02/20", u"1995/02/03"}),
             (QList<int>{4, 1, 3, 0, 2}));
}

void RegisterFormatsTest::pictureKeys_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::newRow("plain") << "絵本 3冊, 図鑑"
                           << "絵本 3冊, 図鑑";
    QTest::newRow("slash") << "上/下"
                           << "";
    QTest::newRow("backslash") << "..\\日記"
                               << "";
    QTest::newRow("question mark") << "何?"
                                   << "";
    QTest::newRow("parent folder") << ".."
                                   << "";
}

void RegisterFormatsTest::pictureKeys()
{
    QFETCH(QString, item);
    QFETCH(QString, key);
    QCOMPARE(itemPictureKey(item), key);
}

void RegisterFormatsTest::anniversaryAdd_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("between two") << QStringList{"2025/11/20 a", "2026/05/05 b"} << "2026/03/01 c"
                                 << QStringList{"2025/11/20 a", "2026/03/01 c", "2026/05/05 b"};
    // Only an entry that sorts before the last one sorts the list.
    QTest::newRow("unsorted list, later entry")
        << QStringList{"2026/05/05 b", "2025/11/20 a"} << "2026/12/24 c"
        << QStringList{"2026/05/05 b", "2025/11/20 a", "2026/12/24 c"};
    // A list out of order is put in order whole, by the exchange sort.
    QTest::newRow("unsorted list, earlier entry")
        << QStringList{"2026/05/05 b", "2025/11/20 a"} << "2024/01/01 c"
        << QStringList{"2024/01/01 c", "2025/11/20 a", "2026/05/05 b"};
    QTest::newRow("unsorted list, equal keys")
        << QStringList{"2026/05/05 A", "2026/01/01 X", "2026/05/05 B"} << "2025/01/01 D"
        << QStringList{"2025/01/01 D", "2026/01/01 X", "2026/05/05 B", "2026/05/05 A"};
    // The key is the first 10 characters as text: 2026/3/1 comes after 2026/12/01.
    QTest::newRow("no leading zeros") << QStringList{"2026/3/1 ひな祭り"} << "2026/12/01 z"
                                      << QStringList{"2026/12/01 z", "2026/3/1 ひな祭り"};
    // The exchange sort carries an entry past its equal: B ends up before A.
    QTest::newRow("equal keys") << QStringList{"2026/05/05 A", "2026/05/05 B", "2026/06/01 C"}
                                << "2026/01/01 D"
                                << QStringList{"2026/01/01 D", "2026/05/05 B", "2026/05/05 A",
                                               "2026/06/01 C"};
}

void RegisterFormatsTest::anniversaryAdd()
{
    QFETCH(QStringList, list);
    QFETCH(QString, entry);
    QFETCH(QStringList, expected);
    addAnniversary(list, entry);
    QCOMPARE(list, expected);
}

// Lists in order and out of order, with many equal keys: the order is the exchange sort's.
void RegisterFormatsTest::anniversaryAddMatchesTheExchangeSort()
{
    QRandomGenerator random(29);
    for (int round = 0; round < 300; ++round) {
        QStringList list;
        for (int i = random.bounded(12); i > 0; --i)
            list << QStringLiteral("2026/0%1/01 %2").arg(random.bounded(1, 5)).arg(i);
        if (round % 2)
            std::stable_sort(list.begin(), list.end(), [](const QString &a, const QString &b) { return a.left(10) < b.left(10); });
        const QString entry = QStringLiteral("2026/0%1/01 new").arg(random.bounded(1, 5));
        QStringList expected = list + QStringList{entry};
        if (!list.isEmpty() && entry.left(10) < list.last().left(10))
            for (qsizetype i = 0; i + 1 < expected.size(); ++i)
                for (qsizetype j = i + 1; j < expected.size(); ++j)
                    if (expected[i].left(10) > expected[j].left(10))
                        expected.swapItemsAt(i, j);
        addAnniversary(list, entry);
        QCOMPARE(list, expected);
    }
}

QTEST_GUILESS_MAIN(RegisterFormatsTest)
#include "register_formats_test.moc"
