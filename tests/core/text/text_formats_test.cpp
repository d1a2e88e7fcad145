// CP932 text, numbers, delimited values and quoted lines: the building blocks of every file.
#include "core/text/cp932.h"
#include "core/text/delimited.h"
#include "core/text/numbers.h"

#include <QtTest>

class TextFormatsTest : public QObject
{
    Q_OBJECT
private slots:
    void cp932_roundTripsWindowsCharacters();
    void cp932_keepsInvalidBytes_data();
    void cp932_keepsInvalidBytes();
    void cp932_refusesWhatItCannotHold_data();
    void cp932_refusesWhatItCannotHold();
    void numericValue_data();
    void numericValue();
    void typedGrouping_data();
    void typedGrouping();
    void roundingToInt16_data();
    void roundingToInt16();
    void numberAndPrintedInteger();
    void delimitedReader_data();
    void delimitedReader();
    void quotedLines();
    void lines();
};

void TextFormatsTest::cp932_roundTripsWindowsCharacters()
{
    // ① ㌍ ～ and half-width katakana are Windows characters; the wave dash U+301C is written
    // as the same byte pair as the full-width tilde.
    const QString text = QStringLiteral("①㌍～ﾌﾟﾗｲﾍﾞｰﾄ日記\\~");
    const cp932::Encoded e = cp932::encode(text);
    QVERIFY(e.ok);
    QCOMPARE(e.bytes,
             QByteArray("\x87\x40\x87\x69\x81\x60\xcc\xdf\xd7\xb2\xcd\xde\xb0\xc4\x93\xfa\x8b\x4c\\~"));
    QCOMPARE(cp932::decode(e.bytes), text);
    QCOMPARE(cp932::encode(QStringLiteral("\u301C")).bytes, QByteArray("\x81\x60"));
    // Every character a save accepts reads back as itself or as its Windows look-alike: ¥500
    // never comes back as \500.
    const QString lookAlikes = QStringLiteral("〜～−－¥￥‾￣‖∥—―¢￠£￡¬￢");
    for (int u = 0x80; u < 0xF780; ++u) {
        const QString c{QChar(char16_t(u))};
        const cp932::Encoded one = cp932::encode(c);
        if (!one.ok || (u >= 0xD800 && u <= 0xDFFF))
            continue;
        const QString back = cp932::decode(one.bytes);
        const qsizetype at = lookAlikes.indexOf(c);
        QVERIFY2(back == c || (at % 2 == 0 && back == lookAlikes.at(at + 1)), qPrintable(c + u'→' + back));
    }
    QCOMPARE(cp932::decode(cp932::encode(QStringLiteral("¥500‾")).bytes), QStringLiteral("￥500￣"));
    // A byte kept from an unreadable pair never joins the character typed after it.
    const QString kept = cp932::decode(QByteArray("\x81\x20")).left(1) + QStringLiteral("漢");
    QCOMPARE(cp932::decode(cp932::encode(kept).bytes), QStringLiteral("?漢"));
}

void TextFormatsTest::cp932_keepsInvalidBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lone high bytes") << QByteArray("a\x80\xa0\xfd\xfe\xffz");
    QTest::newRow("lead byte without trail") << QByteArray("\x93\xfa\x81");
    QTest::newRow("lead byte with bad trail") << QByteArray("\x81\x20\x81\x7f");
    QTest::newRow("mixed with text") << QByteArray("\x93\xfa\x8b\x4c\xff\x0d\x0a");
}

void TextFormatsTest::cp932_keepsInvalidBytes()
{
    QFETCH(QByteArray, bytes);
    const QString text = cp932::decode(bytes);
    const cp932::Encoded e = cp932::encode(text);
    QVERIFY(e.ok);
    QCOMPARE(e.bytes, bytes);
}

void TextFormatsTest::cp932_refusesWhatItCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bad");
    QTest::newRow("emoji") << QStringLiteral("たのしい😀日") << QStringLiteral("😀");
    QTest::newRow("tsuchiyoshi") << QStringLiteral("𠮷野家") << QStringLiteral("𠮷");
    QTest::newRow("hangul") << QStringLiteral("abc한") << QStringLiteral("한");
}

void TextFormatsTest::cp932_refusesWhatItCannotHold()
{
    QFETCH(QString, text);
    QFETCH(QString, bad);
    const cp932::Encoded e = cp932::encode(text);
    QVERIFY(!e.ok);
    QCOMPARE(e.badChar, bad);
    QCOMPARE(cp932::firstUnencodable(text), bad);
    QVERIFY(cp932::unencodableMessage(bad).contains(bad));
    QCOMPARE(cp932::firstUnencodable(QStringLiteral("ふつうの文")), QString());
    // A typed character that stands for a kept byte would read back as another (U+F7B1 as ｱ);
    // a lone surrogate is named as itself.
    QCOMPARE(cp932::firstUnencodable(QStringLiteral("ア") + QChar(0xF7B1)), QString(QChar(0xF7B1)));
    QVERIFY(cp932::unencodableMessage(QString(QChar(0xD83D))).contains(QStringLiteral("（U+D83D）")));
}

void TextFormatsTest::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("unit") << "50.5cm" << 50.5;
    QTest::newRow("comma ends") << "3,050" << 3.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("leading blanks") << "  42" << 42.0;
    QTest::newRow("sign") << "-3.25kg" << -3.25;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("no digits") << "abc" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("full-width digits are not digits") << QStringLiteral("５０") << 0.0;
    QTest::newRow("more than a double holds") << QString(400, u'9') << HUGE_VAL;
    QTest::newRow("less than a double holds") << QStringLiteral("-0.") + QString(400, u'0') + u'1' << 0.0;
}

void TextFormatsTest::numericValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::numericValue(text), value);
}

// A typed number takes grouping commas by three; any other comma is refused, not read as 3.
void TextFormatsTest::typedGrouping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value"); // -1 = refused
    QTest::newRow("grouped") << "3,350" << 3350.0;
    QTest::newRow("full-width comma") << QStringLiteral("３，３５０ｇ") << 3350.0;
    QTest::newRow("two groups and a fraction") << "-1,234,567.5" << -1234567.5;
    QTest::newRow("no comma") << "3350" << 3350.0;
    QTest::newRow("comma after the number") << "50.5cm, 3kg" << 50.5;
    QTest::newRow("short group") << "3,35" << -1.0;
    QTest::newRow("long group") << "3,3500" << -1.0;
    QTest::newRow("long head") << "3350,000" << -1.0;
    QTest::newRow("trailing comma") << "3," << -1.0;
    QTest::newRow("leading comma") << ",350" << -1.0;
}

void TextFormatsTest::typedGrouping()
{
    QFETCH(QString, typed);
    QFETCH(double, value);
    QCOMPARE(withoutGrouping(typed).has_value(), value != -1.0);
    if (value != -1.0)
        QCOMPARE(typedNumericValue(typed), value);
}

void TextFormatsTest::roundingToInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected"); // 99999 = refused
    QTest::newRow("half to even down") << 50.5 << 50;
    QTest::newRow("half to even up") << 51.5 << 52;
    QTest::newRow("negative half") << -2.5 << -2;
    QTest::newRow("top") << 32767.4 << 32767;
    QTest::newRow("bottom") << -32768.0 << -32768;
    QTest::newRow("over") << 32767.5 << 99999;
    QTest::newRow("far over") << 1e9 << 99999;
    QTest::newRow("under") << -32769.0 << 99999;
}

void TextFormatsTest::roundingToInt16()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    const auto r = toInt16(value);
    if (expected == 99999) {
        QVERIFY(!r);
        QCOMPARE(int(toInt16Clamped(value)), value > 0 ? 32767 : -32768);
    } else {
        QVERIFY(r);
        QCOMPARE(int(*r), expected);
    }
}

void TextFormatsTest::numberAndPrintedInteger()
{
    QCOMPARE(numberText(50.5), QStringLiteral("50.5"));
    QCOMPARE(numberText(3000), QStringLiteral("3000"));
    QCOMPARE(numberText(0), QStringLiteral("0"));
    QCOMPARE(numberText(-0.0), QStringLiteral("0"));
    QCOMPARE(numberText(-12.25), QStringLiteral("-12.25"));
    QCOMPARE(numberText(::numericValue(QStringLiteral("50.50"))), QStringLiteral("50.5"));
    QCOMPARE(numberText(123456789012.0), QStringLiteral("123456789012"));
    QCOMPARE(printedInteger(140), QStringLiteral(" 140 "));
    QCOMPARE(printedInteger(0), QStringLiteral(" 0 "));
    QCOMPARE(printedInteger(-3), QStringLiteral("-3 "));
}

void TextFormatsTest::delimitedReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("lines") << "ももちゃん\r\n1995/02/15\r\n" << QStringList{"ももちゃん", "1995/02/15"};
    QTest::newRow("comma splits a line") << "もも,ちゃん\r\nx\r\n" << QStringList{"もも", "ちゃん", "x"};
    QTest::newRow("quoted keeps comma") << "\"2026/12/06\",\"a, b\"\r\n" << QStringList{"2026/12/06", "a, b"};
    QTest::newRow("rest after quote skipped") << "\"ab\"cd,ef\r\n" << QStringList{"ab", "ef"};
    QTest::newRow("blanks trimmed") << "  140  \r\n\t x y \r\n" << QStringList{"140", "x y"};
    QTest::newRow("empty line is a value") << "a\r\n\r\nb\r\n" << QStringList{"a", "", "b"};
    QTest::newRow("lf only") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("no final line end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("number bare") << "\"ヘルプツアー\",1\r\n" << QStringList{"ヘルプツアー", "1"};
    QTest::newRow("unclosed quote") << "\"abc" << QStringList{"abc"};
}

void TextFormatsTest::delimitedReader()
{
    QFETCH(QString, text);
    QFETCH(QStringList, values);
    DelimitedReader r(text);
    QStringList got;
    while (!r.atEnd())
        got.append(r.readText());
    QCOMPARE(got, values);
    QCOMPARE(r.readText(), QString()); // past the end: empty, no failure
}

void TextFormatsTest::quotedLines()
{
    QCOMPARE(quotedLine({{QStringLiteral("1995/02/15"), true},
                         {QStringLiteral("50"), false},
                         {QStringLiteral("3000"), false}}),
             QStringLiteral("\"1995/02/15\",50,3000"));
    QCOMPARE(quotedLine({{QStringLiteral("a,b"), true}}), QStringLiteral("\"a,b\""));
}

void TextFormatsTest::lines()
{
    QCOMPARE(splitLines(QStringLiteral("a\r\nb\r\n")), (QStringList{"a", "b"}));
    QCOMPARE(splitLines(QStringLiteral("a\r\n\r\n")), (QStringList{"a", ""}));
    QCOMPARE(splitLines(QString()), QStringList());
    QCOMPARE(splitLines(QStringLiteral("a\nb\rc")), (QStringList{"a", "b", "c"}));
}

QTEST_GUILESS_MAIN(TextFormatsTest)
#include "text_formats_test.moc"
