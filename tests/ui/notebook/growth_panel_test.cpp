// The growth panel: lists and two-axis chart as of the last "グラフ" click, the one-day
// message, the export to 身長体重.txt, and the four axis-limit boxes behind a double-click.
#include "core/files/dialogs.h"
#include "core/notebook/diary_store.h"
#include "core/text/cp932.h"
#include "loaded_screen.h"
#include "ui/notebook/growth_bands.h"
#include "ui/notebook/growth_panel.h"

#include <QAccessible>
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

namespace {

const QString GraphTour = QStringLiteral(
    "育児日記で入力している身長、体重データを使ってリストとグラフを表示します。\r\n\r\n"
    "身長と体重については入力していない部分も前後のデータを自動的に結んで表示しています。\r\n\r\n"
    "身長・体重リスト　データ保存ボタンを押すとテキストデータに保存します。\r\n"
    "このデータはエクセルなどの表計算ソフトなどで読み込むことが可能です。\r\n\r\n"
    "Ｙ軸の上限下限を変更するときはグラフをダブルクリックしてください。");

QStringList items(const QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

// The child's lines: 0 weight, 1 height (the chart also holds the reference bands and points).
QLineSeries *series(QChart *chart, int n)
{
    const QString name = n == 0 ? QStringLiteral("体重 (g)") : QStringLiteral("身長 (cm)");
    for (QAbstractSeries *s : chart->series())
        if (s->name() == name)
            return qobject_cast<QLineSeries *>(s);
    return nullptr;
}

// The vertical axis a series is drawn against.
QValueAxis *valueAxisOf(QChart *chart, QLineSeries *s)
{
    const QList<QAbstractAxis *> axes = chart->axes(Qt::Vertical, s);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(axes.first());
}

QByteArray oneDayDiary()
{
    return cp932::encode(diaryFileText({{QStringLiteral("2024/05/01"), 50, 3000, QStringLiteral("誕生")}}))
        .bytes;
}

} // namespace

class GrowthPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void showsListsAndChart();
    void oneDayShowsMessageAndNoChart();
    void emptyDiaryShowsNothing();
    void newDayInGapShowsAtNextClick();
    void exportWritesTheSeries();
    void exportFailureIsReported();
    void limits_data();
    void limits();
    void limitOutOfRangeKeepsValue();
    void referenceBands();
};

void GrowthPanelTest::showsListsAndChart()
{
    LoadedScreen s;
    expectHelpTour(s.dialogs, GraphTour);
    s.click(QStringLiteral("cmdGraph"));
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.find<QWidget>(QStringLiteral("fraGraph"))->isVisible());
    QVERIFY(!s.find<QWidget>(QStringLiteral("fraDiary"))->isVisible());

    // 1995/02/15 (3012 g) to 1995/02/20 (2950 g): a straight line; heights stay at 50.
    const QStringList weights = items(s.find<QListWidget>(QStringLiteral("lstTaijyu")));
    const QStringList heights = items(s.find<QListWidget>(QStringLiteral("lstShin")));
    QCOMPARE(weights.size(), 698);
    QCOMPARE(weights.mid(0, 6),
             (QStringList{u"1995/02/15 _ 3012g"_qs, u"1995/02/16 _ 3000g"_qs, u"1995/02/17 _ 2987g"_qs,
                          u"1995/02/18 _ 2975g"_qs, u"1995/02/19 _ 2962g"_qs, u"1995/02/20 _ 2950g"_qs}));
    QCOMPARE(weights.last(), u"1997/01/12 _ 11400g"_qs);
    QCOMPARE(heights.size(), 698);
    QCOMPARE(heights.first(), u"1995/02/15 _ 50cm"_qs);
    QCOMPARE(heights.last(), u"1997/01/12 _ 85cm"_qs);

    auto *view = s.find<QChartView>(QStringLiteral("chrTaijyu"));
    QCOMPARE(view->accessibleName(), u"身長・体重グラフ"_qs);
    QChart *chart = view->chart();
    QLineSeries *weight = series(chart, 0), *height = series(chart, 1);
    QCOMPARE(weight->name(), u"体重 (g)"_qs);
    QCOMPARE(height->name(), u"身長 (cm)"_qs);
    QCOMPARE(weight->count(), 698);
    QCOMPARE(weight->at(1).y(), 3000.0);
    QCOMPARE(weight->at(679).y(), 11271.0); // 1996/12/25, between 11200 and 11400
    QCOMPARE(height->at(697).y(), 85.0);
    QVERIFY(chart->legend()->isVisible());

    // Weight on the primary (left) axis, height on the secondary (right), limits of グラフ.txt.
    QValueAxis *weightAxis = valueAxisOf(chart, weight), *heightAxis = valueAxisOf(chart, height);
    QVERIFY(weightAxis && heightAxis);
    QCOMPARE(weightAxis->alignment(), Qt::AlignLeft);
    QCOMPARE(heightAxis->alignment(), Qt::AlignRight);
    QCOMPARE(weightAxis->min(), 2000.0);
    QCOMPARE(weightAxis->max(), 14000.0);
    QCOMPARE(heightAxis->min(), 40.0);
    QCOMPARE(heightAxis->max(), 100.0);
    QVERIFY(weightAxis->titleText().contains(u"(g)"_qs));
    QVERIFY(heightAxis->titleText().contains(u"(cm)"_qs));
    auto *days = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
    QVERIFY(days);
    QCOMPARE(days->categoriesLabels().first(), u"0か月"_qs);
    QVERIFY(days->categoriesLabels().contains(u"1歳"_qs));
}

void GrowthPanelTest::oneDayShowsMessageAndNoChart()
{
    LoadedScreen s(oneDayDiary());
    s.setHelpTour(false);
    s.dialogs.expect(programTitle(), QStringLiteral("身長・体重グラフは２日目から表示されます"),
                     Dialogs::Icon::None, Dialogs::Buttons::Ok, Dialogs::Answer::Ok);
    s.click(QStringLiteral("cmdGraph"));
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.find<QWidget>(QStringLiteral("fraGraph"))->isVisible());
    QChart *chart = s.find<QChartView>(QStringLiteral("chrTaijyu"))->chart();
    QCOMPARE(series(chart, 0)->count(), 0);
    QCOMPARE(series(chart, 1)->count(), 0);
    QCOMPARE(items(s.find<QListWidget>(QStringLiteral("lstTaijyu"))), QStringList{u"2024/05/01 _ 3000g"_qs});
    QCOMPARE(items(s.find<QListWidget>(QStringLiteral("lstShin"))), QStringList{u"2024/05/01 _ 50cm"_qs});
}

void GrowthPanelTest::emptyDiaryShowsNothing()
{
    LoadedScreen s(QByteArray(""));
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdGraph"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.find<QListWidget>(QStringLiteral("lstTaijyu"))->count(), 0);
    QCOMPARE(series(s.find<QChartView>(QStringLiteral("chrTaijyu"))->chart(), 0)->count(), 0);
}

void GrowthPanelTest::newDayInGapShowsAtNextClick()
{
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdGraph"));
    auto *weights = s.find<QListWidget>(QStringLiteral("lstTaijyu"));

    // A weight on 1995/02/18, inside the gap between 02/15 and 02/20.
    s.find<QComboBox>(QStringLiteral("cboDay"))->setEditText(QStringLiteral("1995/02/18"));
    s.find<QLineEdit>(QStringLiteral("txtShincyo"))->setText(QStringLiteral("50"));
    s.find<QLineEdit>(QStringLiteral("txtTaijyu"))->setText(QStringLiteral("3100"));
    s.find<QPlainTextEdit>(QStringLiteral("txtDiary"))->setPlainText(QStringLiteral("よく飲みました。"));
    s.dialogs.expect(QStringLiteral("新規登録確認"), QStringLiteral("新しい日付です。日記に追加します。"),
                     Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
    s.dialogs.expectInformation(QStringLiteral("書き込み終了"), QStringLiteral("日記に書き込みました。"));
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);

    // The lists keep what the last click showed ...
    QCOMPARE(weights->item(1)->text(), u"1995/02/16 _ 3000g"_qs);
    s.click(QStringLiteral("cmdGraph"));
    // ... and the next click draws both sides of the new day anew.
    QCOMPARE(items(weights).mid(0, 6),
             (QStringList{u"1995/02/15 _ 3012g"_qs, u"1995/02/16 _ 3041g"_qs, u"1995/02/17 _ 3071g"_qs,
                          u"1995/02/18 _ 3100g"_qs, u"1995/02/19 _ 3025g"_qs, u"1995/02/20 _ 2950g"_qs}));
}

void GrowthPanelTest::exportWritesTheSeries()
{
    LoadedScreen s(testDataBytes(QStringLiteral("growth_export/日記.txt")));
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdGraph"));
    s.dialogs.expectInformation(QStringLiteral("保存終了"), QStringLiteral("身長体重.txtに保存しました。"));
    s.click(QStringLiteral("cmdSTHozon"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.files.bytes(QStringLiteral("身長体重.txt")),
             testDataBytes(QStringLiteral("growth_export/身長体重.txt")));
}

void GrowthPanelTest::exportFailureIsReported()
{
    LoadedScreen s;
    s.setHelpTour(false);
    // Something that cannot be written where the file goes.
    QVERIFY(QFile::remove(s.files.path(QStringLiteral("身長体重.txt"))));
    QVERIFY(QDir(s.files.dir()).mkdir(QStringLiteral("身長体重.txt")));
    s.notebook().folder().forgetListing();
    s.dialogs.expectWarning(QStringLiteral("書き込みエラー"));
    s.click(QStringLiteral("cmdSTHozon"));
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(!s.dialogs.titles().contains(QStringLiteral("保存終了")));
}

void GrowthPanelTest::limits_data()
{
    QTest::addColumn<QStringList>("answers"); // HeightMin, HeightMax, WeightMin, WeightMax; "" is Cancel
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<double>>("axes"); // weight min, max, height min, max as drawn

    QTest::newRow("cancel first, then three")
        << QStringList{u""_qs, u"110"_qs, u"2500.5"_qs, u"15000"_qs}
        << QByteArray(" 40 \r\n 110 \r\n 2500 \r\n 15000 \r\n") << QList<double>{2500, 15000, 40, 110};
    QTest::newRow("all cancelled") << QStringList{u""_qs, u""_qs, u""_qs, u""_qs}
                                   << QByteArray(" 40 \r\n 100 \r\n 2000 \r\n 14000 \r\n")
                                   << QList<double>{2000, 14000, 40, 100};
    QTest::newRow("numeric values") << QStringList{u" 45cm"_qs, u"abc"_qs, u"-5"_qs, u"1.2e4"_qs}
                                    << QByteArray(" 45 \r\n 0 \r\n-5 \r\n 1 \r\n")
                                    << QList<double>{-5, 1, 0, 45};
    // Not compared with each other; the chart draws the range between them.
    QTest::newRow("minimum above maximum")
        << QStringList{u"100"_qs, u"40"_qs, u""_qs, u""_qs}
        << QByteArray(" 100 \r\n 40 \r\n 2000 \r\n 14000 \r\n") << QList<double>{2000, 14000, 40, 100};
}

void GrowthPanelTest::limits()
{
    QFETCH(QStringList, answers);
    QFETCH(QByteArray, file);
    QFETCH(QList<double>, axes);
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdGraph"));
    const QStringList titles{u"身長下限値"_qs, u"身長上限値"_qs, u"体重下限値"_qs, u"体重上限値"_qs};
    for (int i = 0; i < 4; ++i)
        s.dialogs.expectInput(titles[i], answers[i]);

    // The parent's double-click on the chart.
    auto *view = s.find<QChartView>(QStringLiteral("chrTaijyu"));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->viewport()->rect().center());
    VERIFY_DIALOGS(s.dialogs);

    const QList<ScriptedDialogs::Input> &inputs = s.dialogs.inputs();
    QCOMPARE(inputs.size(), 4);
    QCOMPARE(inputs[0].prompt, u"身長の下限値を入力してください"_qs);
    QCOMPARE(inputs[1].prompt, u"身長の上限値を入力してください"_qs);
    QCOMPARE(inputs[2].prompt, u"体重の下限値を入力してください"_qs);
    QCOMPARE(inputs[3].prompt, u"体重の上限値を入力してください"_qs);
    QCOMPARE(inputs[0].preset, u"40"_qs);
    QCOMPARE(inputs[3].preset, u"14000"_qs);

    QCOMPARE(s.files.bytes(QStringLiteral("グラフ.txt")), file);
    QChart *chart = view->chart();
    QValueAxis *weightAxis = valueAxisOf(chart, series(chart, 0)),
               *heightAxis = valueAxisOf(chart, series(chart, 1));
    QCOMPARE((QList<double>{weightAxis->min(), weightAxis->max(), heightAxis->min(), heightAxis->max()}),
             axes);
}

void GrowthPanelTest::limitOutOfRangeKeepsValue()
{
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdGraph"));
    s.dialogs.expectInput(u"身長下限値"_qs, u"45"_qs);
    s.dialogs.expectInput(u"身長上限値"_qs, u"40000"_qs);
    s.dialogs.expectWarning(u"入力確認"_qs);
    s.dialogs.expectInput(u"体重下限値"_qs, u"-32769"_qs);
    s.dialogs.expectWarning(u"入力確認"_qs);
    s.dialogs.expectInput(u"体重上限値"_qs, u"32767"_qs);
    // Enter on the chart asks as a double-click does.
    auto *view = s.find<QChartView>(QStringLiteral("chrTaijyu"));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.files.bytes(QStringLiteral("グラフ.txt")),
             QByteArray(" 45 \r\n 100 \r\n 2000 \r\n 32767 \r\n"));
    QVERIFY(s.dialogs.shown().at(0).text.contains(u"100"_qs));
}

// Nothing chosen at first: a hint, no bands. 女の子 chosen through the accessibility toggle
// draws both bands of the handbook's curves behind the lines and the standing text, and is kept
// in 成長曲線.txt; Down in the curves' box turns them into the WHO's, credited, and Up back; the
// check box hides the bands; the file's choice comes back at the next opening.
void GrowthPanelTest::referenceBands()
{
    LoadedScreen s;
    s.setHelpTour(false);
    s.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.screen));
    s.click(QStringLiteral("cmdGraph"));
    const GrowthBands &bands = *s.screen.findChild<GrowthPanel *>()->bands();
    auto *standing = s.find<QLabel>(QStringLiteral("lblStanding"));
    QVERIFY(!bands.weight().band->isVisible());
    QVERIFY(s.find<QLabel>(QStringLiteral("lblHint"))->isVisibleTo(&s.screen));
    QCOMPARE(standing->text(), QString());
    int measuredWeights = 0;
    for (const DiaryDay &d : s.notebook().diary.days())
        measuredWeights += d.weight != 0;
    QCOMPARE(bands.weight().measured->count(), measuredWeights);

    const auto toggle = [&s](const QString &name) {
        QAccessible::queryAccessibleInterface(s.find<QWidget>(name))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
    };
    toggle(QStringLiteral("optGirl"));
    QCOMPARE(s.files.text(growthChartFileName()), QStringLiteral("女の子\r\n標準曲線表示\r\n"));
    QVERIFY(bands.weight().band->isVisible() && bands.height().band->isVisible());
    QCOMPARE(bands.weight().p3->count(), s.notebook().growth.count);
    // Every square of the legend says what it stands for.
    QStringList legend;
    for (QLegendMarker *m : s.find<QChartView>(QStringLiteral("chrTaijyu"))->chart()->legend()->markers())
        if (m->isVisible())
            legend.append(m->label());
    QVERIFY2(!legend.contains(QString()), qPrintable(legend.join(u'|')));
    QVERIFY(legend.contains(QStringLiteral("体重 3〜97%（令和5年調査）")));
    QVERIFY(standing->text().startsWith(QStringLiteral("体重 ")));
    QVERIFY(standing->text().contains(QStringLiteral("パーセンタイル")));
    QCOMPARE(QAccessible::queryAccessibleInterface(standing)->text(QAccessible::Name), standing->text());
    QCOMPARE(standing->accessibleDescription(), QStringLiteral("成長の目安"));
    auto *chart = s.find<QChartView>(QStringLiteral("chrTaijyu"));
    QVERIFY(chart->accessibleDescription().contains(
        QStringLiteral("令和5年乳幼児身体発育調査の3〜97パーセンタイル")));
    QCOMPARE(s.find<QLabel>(QStringLiteral("lblSource"))->text(),
             QStringLiteral("「令和5年乳幼児身体発育調査」（こども家庭庁）をもとに作成"));

    const auto chooseCurves = [&s](Qt::Key key) {
        s.find<QComboBox>(QStringLiteral("cboReference"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key);
    };
    chooseCurves(Qt::Key_Down);
    QCOMPARE(s.files.text(growthChartFileName()),
             QStringLiteral("女の子\r\n標準曲線表示\r\nWHO成長曲線\r\n"));
    legend.clear();
    for (QLegendMarker *m : chart->chart()->legend()->markers())
        if (m->isVisible())
            legend.append(m->label());
    QVERIFY(legend.contains(QStringLiteral("体重 WHO 3〜97%")));
    QVERIFY(chart->accessibleDescription().contains(QStringLiteral("WHO 3〜97パーセンタイル")));
    QCOMPARE(s.find<QLabel>(QStringLiteral("lblSource"))->text(),
             QStringLiteral("出典: WHO Child Growth Standards (2006)"));
    QCOMPARE(bands.weight().p3->count(), s.notebook().growth.count);
    chooseCurves(Qt::Key_Up);
    QCOMPARE(s.files.text(growthChartFileName()), QStringLiteral("女の子\r\n標準曲線表示\r\n"));

    if (qEnvironmentVariableIsSet("TECHO_SHOTS")) {
        s.screen.resize(1280, 800);
        s.screen.grab().save(qEnvironmentVariable("TECHO_SHOTS") + QStringLiteral("/growth-girl.png"));
    }
    toggle(QStringLiteral("chkBands"));
    QCOMPARE(s.files.text(growthChartFileName()), QStringLiteral("女の子\r\n標準曲線非表示\r\n"));
    QVERIFY(!bands.weight().band->isVisible());

    s.files.writeText(growthChartFileName(), QStringLiteral("男の子\r\n標準曲線表示\r\n"));
    s.click(QStringLiteral("cmdGraph"));
    QVERIFY(s.find<QAbstractButton>(QStringLiteral("optBoy"))->isChecked());
    QVERIFY(bands.height().band->isVisible());
    QCOMPARE(s.files.text(growthChartFileName()), QStringLiteral("男の子\r\n標準曲線表示\r\n"));
}

QTEST_MAIN(GrowthPanelTest)
#include "growth_panel_test.moc"
