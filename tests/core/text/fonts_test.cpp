// The Windows font names of notebooks and layouts reach an installed Japanese font.
#include "core/text/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

class FontsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installJapaneseFonts(); }
    void windowsNamesReachJapaneseFonts_data();
    void windowsNamesReachJapaneseFonts();
};

void FontsTest::windowsNamesReachJapaneseFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("gothic") << QStringLiteral("ＭＳ ゴシック");
    QTest::newRow("proportional gothic") << QStringLiteral("ＭＳ Ｐゴシック");
    QTest::newRow("mincho") << QStringLiteral("ＭＳ 明朝");
}

void FontsTest::windowsNamesReachJapaneseFonts()
{
    QFETCH(QString, name);
    QFont font(name, 12);
    const QString family = QFontInfo(font).family();
    QVERIFY2(family.startsWith(QLatin1String("IPA")), qPrintable(family));
    // Every character of a Japanese sentence has a glyph in it.
    QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("ももちゃんの育児手帖、離乳食"))
        QVERIFY(metrics.inFont(c));
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
