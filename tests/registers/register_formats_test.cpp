// The register files and the computations behind the schedule, gift and anniversary lists:
// what is read from a line, what is written back, remaining days and their colours, the
// orders of the lists.
#include "common/cp932.h"
#include "registers/anniversary_store.h"
#include "registers/register_file.h"
#include "registers/register_logic.h"
#include "registers/remaining_days.h"
#include "test_notebook.h"

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
    void appendKeepsLastLine_data();
    void appendKeepsLastLine();
    void unstorableFields_data();
    void unstorableFields();
    void remainingDaysAndColours_data();
    void remainingDaysAndColours();
    void scheduleOrder();
    void giftOrderKeepsEqualDatesInFileOrder();
    void dateLists();
    void pictureKeys_data();
    void pictureKeys();
    void anniversaryAdd_data();
    void anniversaryAdd();
    void anniversaryReadCapacity_data();
    void anniversaryReadCapacity();
};

void RegisterFormatsTest::readLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fields");
    QTest::addColumn<Records>("records");
    QTest::addColumn<bool>("whole");

    QTest::newRow("schedule line") << QStringLiteral("\"2026/12/06\",\"予防接種\"\r\n") << 2
                                   << Records{{QStringLiteral("2026/12/06"), QStringLiteral("予防接種")}} << true;
    QTest::newRow("comma inside quotes") << QStringLiteral("\"2026/12/06\",\"公園, 図書館\"\r\n") << 2
                                         << Records{{QStringLiteral("2026/12/06"), QStringLiteral("公園, 図書館")}}
                                         << true;
    QTest::newRow("leading blank kept inside quotes")
        << QStringLiteral("\"2026/12/06\",\"  散歩\"\r\n") << 2
        << Records{{QStringLiteral("2026/12/06"), QStringLiteral("  散歩")}} << true;
    QTest::newRow("received, marked and new")
        << QStringLiteral("\"1995/02/16\",\"ベビー服\",\"○\"\r\n\"1995/02/20\",\"おくるみ\",\"\"\r\n") << 3
        << Records{{QStringLiteral("1995/02/16"), QStringLiteral("ベビー服"), QStringLiteral("○")},
                   {QStringLiteral("1995/02/20"), QStringLiteral("おくるみ"), QString()}}
        << true;
    QTest::newRow("no CR LF after the last line, blank lines")
        << QStringLiteral("\"a\",\"b\"\r\n\r\n  \r\n\"c\",\"d\"") << 2
        << Records{{QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("c"), QStringLiteral("d")}} << true;
    // What follows a closing quote is lost to the reader: the file is not read whole.
    QTest::newRow("double quote inside a field")
        << QStringLiteral("\"2026/12/06\",\"5\"の靴\"\r\n") << 2
        << Records{{QStringLiteral("2026/12/06"), QStringLiteral("5")}} << false;
    QTest::newRow("a field more than the register has")
        << QStringLiteral("\"1995/03/20\",\"タオル\",\"○\"\r\n") << 2
        << Records{{QStringLiteral("1995/03/20"), QStringLiteral("タオル")}} << false;
    QTest::newRow("received gift without its mark field")
        << QStringLiteral("\"1995/03/20\",\"タオル\"\r\n") << 3
        << Records{{QStringLiteral("1995/03/20"), QStringLiteral("タオル"), QString()}} << false;
    QTest::newRow("unquoted fields") << QStringLiteral("2026/12/06,散歩\r\n") << 2
                                     << Records{{QStringLiteral("2026/12/06"), QStringLiteral("散歩")}} << false;
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
    if (whole && text.endsWith(QStringLiteral("\r\n")) && !text.contains(QStringLiteral("\r\n\r\n")))
        QCOMPARE(registerFileText(read.records), text);
}

void RegisterFormatsTest::unreadableBytesSurviveRewrite()
{
    const QByteArray bytes = testDataBytes(QStringLiteral("register_read/頂きもの.txt"));
    const RegisterRead read = parseRegister(bytes, 3);
    QCOMPARE(read.records.size(), 3);
    QVERIFY(read.whole);
    QCOMPARE(read.records[2][1], QStringLiteral("おくるみ, 大判"));
    // Rewritten, the file differs only by the blank line and the CR LF it lacked.
    QByteArray expected = bytes;
    expected.replace("\r\n\r\n", "\r\n");
    expected += "\r\n";
    const cp932::Encoded encoded = cp932::encode(registerFileText(read.records));
    QVERIFY(encoded.ok);
    QCOMPARE(encoded.bytes, expected);
}

void RegisterFormatsTest::appendKeepsLastLine_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<QString>("appended");
    const QString line = QStringLiteral("\"2026/12/07\",\"あした\"\r\n");
    QTest::newRow("empty file") << QByteArray() << line;
    QTest::newRow("last line ended") << QByteArray("\"a\",\"b\"\r\n") << line;
    QTest::newRow("last line open") << QByteArray("\"a\",\"b\"") << QStringLiteral("\r\n") + line;
}

void RegisterFormatsTest::appendKeepsLastLine()
{
    QFETCH(QByteArray, existing);
    QFETCH(QString, appended);
    QCOMPARE(registerAppendText(existing, {QStringLiteral("2026/12/07"), QStringLiteral("あした")}), appended);
}

void RegisterFormatsTest::unstorableFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("messagePart"); // "" = storable
    QTest::newRow("comma") << QStringLiteral("公園, 図書館") << QString();
    QTest::newRow("CP932 specials") << QStringLiteral("①～㌍") << QString();
    QTest::newRow("full-width quotes") << QStringLiteral("”くま”のぬいぐるみ") << QString();
    QTest::newRow("double quote") << QStringLiteral("5\"の靴") << QStringLiteral("ダブルクォーテーション");
    QTest::newRow("line break") << QStringLiteral("一行目\n二行目") << QStringLiteral("改行");
    QTest::newRow("outside CP932") << QStringLiteral("𠮷野家") << cp932::unencodableMessage(QStringLiteral("𠮷"));
}

void RegisterFormatsTest::unstorableFields()
{
    QFETCH(QString, field);
    QFETCH(QString, messagePart);
    const QString message = unstorableFieldMessage(field);
    if (messagePart.isEmpty())
        QCOMPARE(message, QString());
    else
        QVERIFY2(message.contains(messagePart), qPrintable(message));
}

void RegisterFormatsTest::remainingDaysAndColours_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<std::optional<int>>("days");
    QTest::addColumn<QColor>("colour");
    const QColor red(255, 192, 192), green(192, 255, 192), yellow(255, 255, 192), white(255, 255, 255);
    QTest::newRow("today") << QStringLiteral("2026/12/06") << std::optional<int>(0) << green;
    QTest::newRow("tomorrow") << QStringLiteral("2026/12/07") << std::optional<int>(1) << yellow;
    QTest::newRow("three days") << QStringLiteral("2026/12/09") << std::optional<int>(3) << yellow;
    QTest::newRow("four days") << QStringLiteral("2026/12/10") << std::optional<int>(4) << white;
    QTest::newRow("yesterday") << QStringLiteral("2026/12/05") << std::optional<int>(-1) << red;
    QTest::newRow("next year") << QStringLiteral("2027/01/01") << std::optional<int>(26) << white;
    QTest::newRow("typed without zeros") << QStringLiteral("2026/12/8") << std::optional<int>(2) << yellow;
    QTest::newRow("month and day") << QStringLiteral("12/1") << std::optional<int>(-5) << red;
    QTest::newRow("not a date") << QStringLiteral("いつか") << std::optional<int>() << QColor();
    QTest::newRow("no such day") << QStringLiteral("2026/02/30") << std::optional<int>() << QColor();
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

void RegisterFormatsTest::scheduleOrder()
{
    // Most overdue first, entries without a date last; equal days keep their order.
    const QList<std::optional<int>> days{3, std::nullopt, -1, 3, 0, std::nullopt, -5};
    QCOMPARE(orderByRemaining(days), (QList<int>{6, 2, 4, 0, 3, 1, 5}));
}

void RegisterFormatsTest::giftOrderKeepsEqualDatesInFileOrder()
{
    const QStringList dates{QStringLiteral("1995/03/01"), QStringLiteral("1995/02/20"), QStringLiteral("1995/03/01"),
                            QStringLiteral("1995/02/20"), QStringLiteral("1995/02/03")};
    QCOMPARE(orderByText(dates), (QList<int>{4, 1, 3, 0, 2}));
}

void RegisterFormatsTest::dateLists()
{
    QCOMPARE(consecutiveDates(QDate(2026, 12, 30), 3),
             (QStringList{QStringLiteral("2026/12/30"), QStringLiteral("2026/12/31"), QStringLiteral("2027/01/01")}));
    QCOMPARE(consecutiveDates(QDate(2028, 2, 28), 2),
             (QStringList{QStringLiteral("2028/02/28"), QStringLiteral("2028/02/29")}));
}

void RegisterFormatsTest::pictureKeys_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::newRow("plain") << QStringLiteral("ベビー服") << QStringLiteral("ベビー服");
    QTest::newRow("with blanks and comma") << QStringLiteral("絵本 3冊, 図鑑") << QStringLiteral("絵本 3冊, 図鑑");
    QTest::newRow("slash") << QStringLiteral("上/下") << QString();
    QTest::newRow("backslash") << QStringLiteral("..\\日記") << QString();
    QTest::newRow("question mark") << QStringLiteral("何？?") << QString();
    QTest::newRow("drive colon") << QStringLiteral("C:服") << QString();
    QTest::newRow("parent folder") << QStringLiteral("..") << QString();
    QTest::newRow("blank") << QStringLiteral("  ") << QString();
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
    const QString a = QStringLiteral("2025/11/20 発表会"), b = QStringLiteral("2026/05/05 こどもの日");
    const QString c = QStringLiteral("2026/03/01 ひな祭り");
    QTest::newRow("between two") << QStringList{a, b} << c << QStringList{a, c, b};
    QTest::newRow("after the last, appended") << QStringList{a, c} << b << QStringList{a, c, b};
    QTest::newRow("first entry") << QStringList{} << c << QStringList{c};
    QTest::newRow("date alone") << QStringList{a, b} << QStringLiteral("2026/03/01")
                                << QStringList{a, QStringLiteral("2026/03/01"), b};
    // An unsorted list is left alone when the new entry does not sort before the last one.
    QTest::newRow("no sort unless needed") << QStringList{b, a} << QStringLiteral("2026/12/24 クリスマス")
                                           << QStringList{b, a, QStringLiteral("2026/12/24 クリスマス")};
    // The key is the first 10 characters as text: 2026/3/1 sorts after 2026/12/01.
    QTest::newRow("no leading zeros: text order")
        << QStringList{QStringLiteral("2026/02/15 x"), QStringLiteral("2026/10/10 y")}
        << QStringLiteral("2026/3/1 ひな祭り")
        << QStringList{QStringLiteral("2026/02/15 x"), QStringLiteral("2026/10/10 y"), QStringLiteral("2026/3/1 ひな祭り")};
    QTest::newRow("text order sorts the other way")
        << QStringList{QStringLiteral("2026/3/1 ひな祭り")} << QStringLiteral("2026/12/01 z")
        << QStringList{QStringLiteral("2026/12/01 z"), QStringLiteral("2026/3/1 ひな祭り")};
    // The exchange sort moves an earlier entry past its equal: B ends up before A.
    QTest::newRow("equal keys as the exchange sort leaves them")
        << QStringList{QStringLiteral("2026/05/05 A"), QStringLiteral("2026/05/05 B"), QStringLiteral("2026/06/01 C")}
        << QStringLiteral("2026/01/01 D")
        << QStringList{QStringLiteral("2026/01/01 D"), QStringLiteral("2026/05/05 B"), QStringLiteral("2026/05/05 A"),
                       QStringLiteral("2026/06/01 C")};
}

void RegisterFormatsTest::anniversaryAdd()
{
    QFETCH(QStringList, list);
    QFETCH(QString, entry);
    QFETCH(QStringList, expected);
    addAnniversary(list, entry);
    QCOMPARE(list, expected);
}

void RegisterFormatsTest::anniversaryReadCapacity_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("whole");
    auto lines = [](int n) {
        QByteArray b;
        for (int i = 0; i < n; ++i)
            b += "2000/01/01 x\r\n";
        return b;
    };
    QTest::newRow("empty") << QByteArray() << 0 << true;
    QTest::newRow("blank lines are entries") << QByteArray("a\r\n\r\nb") << 3 << true;
    QTest::newRow("full") << lines(KinenCapacity) << KinenCapacity << true;
    QTest::newRow("one more than the list holds") << lines(KinenCapacity + 1) << KinenCapacity << false;
}

void RegisterFormatsTest::anniversaryReadCapacity()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QFETCH(bool, whole);
    const AnniversaryRead read = parseAnniversaries(bytes);
    QCOMPARE(read.entries.size(), count);
    QCOMPARE(read.whole, whole);
}

QTEST_GUILESS_MAIN(RegisterFormatsTest)
#include "register_formats_test.moc"
