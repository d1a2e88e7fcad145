#include "core/recipe_tools/recipe_graphs.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Yellow, green, cyan, magenta, red, blue, then the pale ones; the swatch and the chart part
// in rows 8 and 10.
const QList<QColor> &swatchColours()
{
    static const QList<QColor> c = {QColor::fromRgb(0xFFFF00), QColor::fromRgb(0x00FF00),
                                    QColor::fromRgb(0x00FFFF), QColor::fromRgb(0xFF00FF),
                                    QColor::fromRgb(0xFF0000), QColor::fromRgb(0x0000FF),
                                    QColor::fromRgb(0xFFFFC0), QColor::fromRgb(0xC0FFC0),
                                    QColor::fromRgb(0xC0FFFF), QColor::fromRgb(0xFFC0FF)};
    return c;
}

const QList<QColor> &chartColours()
{
    static const QList<QColor> c = {QColor::fromRgb(0xFFFF00), QColor::fromRgb(0x00FF00),
                                    QColor::fromRgb(0x00FFFF), QColor::fromRgb(0xFF00FF),
                                    QColor::fromRgb(0xFF0000), QColor::fromRgb(0x0000FF),
                                    QColor::fromRgb(0xFFFFC0), QColor::fromRgb(0xB4FFB4),
                                    QColor::fromRgb(0xC0FFFF), QColor::fromRgb(0xFF80FF)};
    return c;
}

QList<GraphRow> classRows(const QStringList &captions)
{
    QList<GraphRow> rows;
    for (int i = 0; i < captions.size(); ++i)
        rows.append({captions[i], swatchColours()[i], chartColours()[i]});
    return rows;
}

QList<GraphRow> faceRows()
{
    const QColor blue = QColor::fromRgb(0x0000FF), yellow = QColor::fromRgb(0xFFFF00),
                 red = QColor::fromRgb(0xFF0000);
    return {{QStringLiteral("優"), blue, blue},
            {QStringLiteral("良"), yellow, yellow},
            {QStringLiteral("不"), red, red}};
}

} // namespace

QList<GraphPanelRows> classificationPanels()
{
    return {
        {QStringLiteral("月齢"), QStringLiteral("月齢別"), GraphKind::Stage,
         classRows({QStringLiteral("ゴックン期"), QStringLiteral("モグモグ期"), QStringLiteral("カミカミ期"),
                    QStringLiteral("パクパク期")})},
        {QStringLiteral("種類"), QStringLiteral("種類別"), GraphKind::Kind,
         classRows({QStringLiteral("ご飯もの"), QStringLiteral("めん・パン"), QStringLiteral("汁・スープ"),
                    QStringLiteral("肉"), QStringLiteral("野菜"), QStringLiteral("魚介"),
                    QStringLiteral("たまご"), QStringLiteral("豆類"), QStringLiteral("デザート"),
                    QStringLiteral("その他")})},
        {QStringLiteral("調理方法"), QStringLiteral("調理方法別"), GraphKind::Method,
         classRows({QStringLiteral("焼く"), QStringLiteral("炒める"), QStringLiteral("煮る"),
                    QStringLiteral("茹でる"), QStringLiteral("蒸す"), QStringLiteral("揚げる"),
                    QStringLiteral("冷・生"), QStringLiteral("電子レンジ"), QStringLiteral("その他")})},
    };
}

QList<GraphPanelRows> evaluationPanels()
{
    const QColor green = QColor::fromRgb(0x00FF00), red = QColor::fromRgb(0xFF0000);
    return {
        {QStringLiteral("調理実績"),
         QStringLiteral("調理実績"),
         GraphKind::Record,
         {{QStringLiteral("調理済み"), green, green}, {QStringLiteral("未調理"), red, red}}},
        {QStringLiteral("自己評価"), QStringLiteral("自己評価"), GraphKind::SelfEvaluation, faceRows()},
        {QStringLiteral("三者評価"), QStringLiteral("子供評価"), GraphKind::ChildEvaluation, faceRows()},
    };
}

CountAxis countAxis(int largest)
{
    const qint64 top = std::max(1, largest);
    for (qint64 magnitude = 1;; magnitude *= 10)
        for (qint64 f : {1, 2, 5}) {
            const qint64 step = f * magnitude;
            const qint64 steps = (top + step - 1) / step;
            if (steps <= 5)
                return {int(std::min<qint64>(steps * step, std::numeric_limits<int>::max())), int(step)};
        }
}

QString countText(int count) { return QString::number(count); }

QString shareText(float share)
{
    const double tenths = std::round(double(share) * 1000.0);
    return QString::number(tenths / 10.0, 'f', 1) + u'%';
}

QString levelText(float levelPercent)
{
    return QStringLiteral("Level  ") + QString::number(std::round(double(levelPercent)), 'f', 0);
}

QString searchHelpText()
{
    return QStringLiteral("様々な条件を指定してレシピを検索することができます。\r\n"
                          "\r\n"
                          "例えば…\r\n"
                          "\r\n"
                          "     ・指定した材料を使っているレシピに絞り込むことができます。\r\n"
                          "     ・和食だけ…とか焼き物だけ…のように絞り込むことができます。　\r\n"
                          "　　　　　　　　　　　：　\r\n"
                          "…のように１１項目をキーワードに検索することができます。\r\n"
                          "\r\n"
                          "料理名をクリックするとそのレシピのページが開きます。\r\n"
                          "\r\n"
                          "※フォームを隠すでは料理名選択時にリスト画面が閉じます。\r\n"
                          "  「残す」にするとメイン画面とリスト画面が見れます。\r\n");
}

QString classificationHelpText()
{
    return QStringLiteral("『月齢』,『種類』,『調理方法』でレシピを分類しグラフ表示します。\r\n"
                          "\r\n"
                          "登録しているレシピのバランスを視覚的に知ることができます。\r\n"
                          "\r\n"
                          "円グラフと棒グラフに表示形態を変えることができます。\r\n"
                          "\r\n"
                          "『印刷』ボタンを押すと表示されている状態で印刷します。");
}

QString evaluationHelpText()
{
    return QStringLiteral("『調理実績』,『自己評価』,『子供評価』を分析しグラフ表示します。\r\n"
                          "\r\n"
                          "レシピ登録しただけじゃなくて実際に調理した件数や\r\n"
                          "自分としての満足度、子供の評判などを視覚的に知ることができます。\r\n"
                          "\r\n"
                          "円グラフと棒グラフに表示形態を変えることができます。\r\n"
                          "\r\n"
                          "『印刷』ボタンを押すと表示されている状態で印刷します。");
}

QString printHelpText()
{
    return QStringLiteral("登録したレシピを３つの形態で印刷することができます。\r\n"
                          "\r\n"
                          "＜その１＞　テキストベースの画像付きレシピ集が作れます。\r\n"
                          "＜その２＞　ポポラの画面そのままのレシピ集が作れます。\r\n"
                          "＜その３＞　オリジナルメニューで楽しさアップ！\r\n"
                          "\r\n");
}
