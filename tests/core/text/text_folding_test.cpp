// The search that does not tell widths and kana apart: what each form folds to, and what it
// still tells apart.
#include "core/text/text_folding.h"

#include <QtTest>

class TextFoldingTest : public QObject
{
    Q_OBJECT
private slots:
    void folds_data();
    void folds();
    void containsText_data();
    void containsText();
};

void TextFoldingTest::folds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("half-width katakana, voiced") << u"ﾊﾞｱﾊﾞ"_qs << u"ばあば"_qs;
    QTest::newRow("half-width katakana, semi-voiced") << u"ﾊﾟﾊﾟ"_qs << u"ぱぱ"_qs;
    QTest::newRow("half-width ヴ and ド") << u"ｳﾞｨﾄﾞ"_qs << u"ゔぃど"_qs;
    QTest::newRow("a mark that joins nothing") << u"ｱﾞﾟ"_qs << u"あ゛゜"_qs;
    QTest::newRow("full-width katakana") << u"ニンジンスープ"_qs << u"にんじんすーぷ"_qs;
    QTest::newRow("long mark, small kana") << u"ｷｬﾍﾞﾂｰｯ"_qs << u"きゃべつーっ"_qs;
    QTest::newRow("hiragana stays") << u"ばあば"_qs << u"ばあば"_qs;
    QTest::newRow("full-width letters and digits") << u"ＡＢＣ１２３！"_qs << u"ABC123!"_qs;
    QTest::newRow("ideographic space") << u"公園　で"_qs << u"公園 で"_qs;
    QTest::newRow("half-width signs") << u"｢ﾐﾙｸ｣､｡･"_qs << u"「みるく」、。・"_qs;
    QTest::newRow("iteration marks") << u"ヽヾ"_qs << u"ゝゞ"_qs;
    QTest::newRow("case stays") << u"Ａｂc"_qs << u"Abc"_qs;
    QTest::newRow("kanji and others stay") << u"公園①㌍〜"_qs << u"公園①㌍〜"_qs;
}

void TextFoldingTest::folds()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(foldedForSearch(text), folded);
}

void TextFoldingTest::containsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("folded");
    QTest::newRow("パパ by ﾊﾟﾊﾟ") << u"パパとお散歩"_qs << u"ﾊﾟﾊﾟ"_qs << false << true;
    QTest::newRow("ばあば by バアバ") << u"ばあばの家へ"_qs << u"バアバ"_qs << false << true;
    QTest::newRow("ＡＢＣ by ABC") << u"ＡＢＣのつみき"_qs << u"ABC"_qs << false << true;
    QTest::newRow("abc not by ABC") << u"abc と書いた"_qs << u"ABC"_qs << false << false;
    QTest::newRow("the same text") << u"公園へ"_qs << u"公園"_qs << true << true;
    QTest::newRow("voiced is not plain") << u"パパ"_qs << u"ﾊﾊ"_qs << false << false;
}

void TextFoldingTest::containsText()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(bool, exact);
    QFETCH(bool, folded);
    QCOMPARE(::containsText(text, key, false), exact);
    QCOMPARE(::containsText(text, key, true), folded);
}

QTEST_GUILESS_MAIN(TextFoldingTest)
#include "text_folding_test.moc"
