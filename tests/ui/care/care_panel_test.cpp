// The care log panel through real keys: a night recorded with the clock moving, the file's
// lines and the day's totals after it, a refused amount, a change and a delete, and the
// medicine given inside its interval.
#include "core/care/care_log.h"
#include "core/notebook/diary_store.h"
#include "core/text/cp932.h"
#include "loaded_screen.h"
#include "user_actions.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString CareFile = QStringLiteral("お世話記録.txt");
QWidget *focused() { return QApplication::focusWidget(); }
void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(key), mods);
}

// The notebook screen with a diary page on 2026/12/07 and the care panel opened by its button.
struct CareScreen : LoadedScreen {
    CareScreen()
        : LoadedScreen(
              cp932::encode(diaryFileText({{QStringLiteral("2026/12/07"), 0, 0, QStringLiteral("夜")}}))
                  .bytes)
    {
        setHelpTour(false);
        files.clock().setToday(QDate(2026, 12, 7));
        at(2, 0);
        screen.show();
        if (!QTest::qWaitForWindowActive(&screen))
            qFatal("the window did not become active");
        find<QWidget>(QStringLiteral("cmdKiroku"))->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
    }
    void at(int h, int m) { files.clock().setTime(QTime(h, m)); }
    void focus(const QString &name) { find<QWidget>(name)->setFocus(Qt::TabFocusReason); }
    // Types into a field over what it holds.
    void type(const QString &field, const QString &text)
    {
        focus(field);
        press(Qt::Key_A, Qt::ControlModifier);
        typeText(focused(), text);
    }
    // The file's lines with each entry's random id as ID.
    QStringList lines() const
    {
        static const QRegularExpression id(QStringLiteral("\"d-[0-9a-f]{12}\""));
        QStringList out =
            files.text(CareFile).replace(id, QStringLiteral("ID")).split(QStringLiteral("\r\n"));
        out.removeAll(QString());
        return out;
    }
    QString label(const QString &name) const { return find<QLabel>(name)->text(); }
};

} // namespace

class CarePanelTest : public QObject
{
    Q_OBJECT
private slots:
    void aNightByKeys();
    void refusedAmountWritesNothing();
    void changeAndDelete();
    void medicineInsideItsInterval();
    void typedTime_data();
    void typedTime();
    void aPhonesEntryShows();
};

void CarePanelTest::aNightByKeys()
{
    CareScreen s;
    press(Qt::Key_1); // 02:00 left
    QTRY_COMPARE(s.label(QStringLiteral("lblTimers")), QStringLiteral("母乳（左） 計測中 0分"));
    s.at(2, 12);
    press(Qt::Key_2); // 左右切替
    s.at(2, 20);
    s.focus(QStringLiteral("cmdFeedEnd"));
    press(Qt::Key_Space);
    s.at(2, 25);
    press(Qt::Key_6);
    s.at(2, 30);
    press(Qt::Key_5);
    s.at(5, 10);
    press(Qt::Key_5);
    s.at(5, 15);
    s.type(QStringLiteral("txtRyou"), QStringLiteral("３７．８")); // as the input method gives it
    press(Qt::Key_8, Qt::AltModifier);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.lines(), (QStringList{
                            R"("2026/12/07","02:00","母乳（左）","","02:12","",ID,"","")",
                            R"("2026/12/07","02:12","母乳（右）","","02:20","",ID,"","")",
                            R"("2026/12/07","02:25","おしっこ","","","",ID,"","")",
                            R"("2026/12/07","02:30","睡眠","","05:10","",ID,"","")",
                            R"("2026/12/07","05:15","体温","37.8","","",ID,"","")",
                        }));
    // Left then right is one feed.
    const QString totals =
        QStringLiteral("授乳 1回（母乳 20分）・睡眠 夜 2時間40分・おしっこ 1回・最高体温 37.8℃");
    QCOMPARE(s.label(QStringLiteral("lblGoukei")), totals);
    auto *list = s.find<QListWidget>(QStringLiteral("lstKiroku"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("02:00–02:12 母乳（左） 12分"));
    QCOMPARE(list->item(3)->text(), QStringLiteral("02:30–05:10 睡眠 2時間40分"));
    QCOMPARE(s.label(QStringLiteral("lblTimers")), QString());
    QVERIFY(s.label(QStringLiteral("lblSinceLast")).contains(QStringLiteral("おむつから 2時間50分")));
    QCOMPARE(s.label(QStringLiteral("lblCareSince")), s.label(QStringLiteral("lblSinceLast")));
    // The diary page of that day reads the same totals.
    QCOMPARE(s.label(QStringLiteral("lblOsewa")), totals);
}

void CarePanelTest::refusedAmountWritesNothing()
{
    CareScreen s;
    s.type(QStringLiteral("txtRyou"), QStringLiteral("500"));
    s.dialogs.expectWarning(QStringLiteral("記録"));
    press(Qt::Key_3, Qt::AltModifier);
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.dialogs.shown().constFirst().text.contains(QStringLiteral("ml")));
    QVERIFY(s.notebook().careLog.isEmpty());
    QVERIFY(s.lines().isEmpty());
    QCOMPARE(s.find<QLineEdit>(QStringLiteral("txtRyou"))->text(),
             QStringLiteral("500")); // kept to be put right
}

// 変更 (Enter on the list) loads an entry, 変更を保存 writes it; 削除 asks first.
void CarePanelTest::changeAndDelete()
{
    CareScreen s;
    press(Qt::Key_6);
    press(Qt::Key_B);
    s.focus(QStringLiteral("lstKiroku"));
    press(Qt::Key_Home);
    press(Qt::Key_Return);
    QCOMPARE(focused(), s.find<QWidget>(QStringLiteral("txtJikoku")));
    typeText(focused(), QStringLiteral("1:45"));
    s.focus(QStringLiteral("cmdHenkouHozon"));
    press(Qt::Key_Space);
    QCOMPARE(s.notebook().careLog.first().time, QTime(1, 45));
    QCOMPARE(s.notebook().careLog.first().kind, care::Kind::Pee);

    s.focus(QStringLiteral("lstKiroku"));
    press(Qt::Key_End);
    s.dialogs.expect(QStringLiteral("記録"), QStringLiteral("この記録を削除しますか？"),
                     Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel,
                     Dialogs::Answer::Ok);
    press(Qt::Key_Delete);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.notebook().careLog.size(), 1);
    QCOMPARE(s.lines(), QStringList{R"("2026/12/07","01:45","おしっこ","","","",ID,"","")"});
}

void CarePanelTest::medicineInsideItsInterval()
{
    CareScreen s;
    s.at(9, 0);
    s.type(QStringLiteral("cboKusuri"), QStringLiteral("カロナール"));
    s.type(QStringLiteral("spnKankaku"), QStringLiteral("6"));
    s.type(QStringLiteral("txtRyou"), QStringLiteral("1包"));
    press(Qt::Key_9, Qt::AltModifier);
    QCOMPARE(s.lines(), QStringList{R"("2026/12/07","09:00","薬","1包","","カロナール",ID,"","6")"});
    QCOMPARE(s.label(QStringLiteral("lblNextDose")), QStringLiteral("次は 15:00 から"));

    s.at(11, 30);
    s.focus(QStringLiteral("cmdKind9"));
    s.dialogs.expect(QStringLiteral("記録"),
                     QStringLiteral("前回のカロナールから 2時間30分しかたっていません。記録しますか？"),
                     Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel,
                     Dialogs::Answer::Cancel);
    press(Qt::Key_9);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.notebook().careLog.size(), 1);
    // After the interval nothing is asked.
    s.at(15, 0);
    press(Qt::Key_9);
    QCOMPARE(s.notebook().careLog.size(), 2);
}

void CarePanelTest::typedTime_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line"); // "" when refused
    QTest::newRow("昨夜") << QTime(0, 10) << "23:50"
                          << R"("2026/12/06","23:50")";
    QTest::newRow("全角") << QTime(5, 0) << "０３：１０"
                          << R"("2026/12/07","03:10")";
    QTest::newRow("コロンなし") << QTime(5, 0) << "310"
                                << R"("2026/12/07","03:10")";
    QTest::newRow("時刻でない") << QTime(5, 0) << "25:00"
                                << "";
}

// A time typed afterwards is the latest such moment up to now; a time that is none is refused.
void CarePanelTest::typedTime()
{
    QFETCH(QTime, now);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    CareScreen s;
    s.at(now.hour(), now.minute());
    s.type(QStringLiteral("txtJikoku"), typed);
    if (line.isEmpty())
        s.dialogs.expectWarning(QStringLiteral("記録"),
                                QStringLiteral("時刻は 03:10 のように、時と分で入力してください。"));
    press(Qt::Key_6, Qt::AltModifier);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.lines().size(), line.isEmpty() ? 0 : 1);
    if (!line.isEmpty())
        QVERIFY2(s.lines().first().startsWith(line), qPrintable(s.lines().first()));
}

// A line the phone added to the file shows on the panel and in the status line by itself.
void CarePanelTest::aPhonesEntryShows()
{
    CareScreen s;
    s.files.writeText(CareFile, QStringLiteral("\"2026/12/07\",\"01:40\",\"ミルク\",\"120\",\"\",\"\","
                                               "\"p-0123456789ab\",\"スマホ\",\"\"\r\n"));
    auto *list = s.find<QListWidget>(QStringLiteral("lstKiroku"));
    QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, 5000);
    QCOMPARE(list->item(0)->text(), QStringLiteral("01:40 ミルク 120ml（スマホ）"));
    QTRY_VERIFY(s.label(QStringLiteral("lblCareSince")).contains(QStringLiteral("授乳から 0時間20分")));
}

QTEST_MAIN(CarePanelTest)
#include "care_panel_test.moc"
