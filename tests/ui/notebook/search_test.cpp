// The text search of the diary panel: Enter in txtKensaku lists matching days in date order
// as date, ideographic space and the first 25 characters; exact matching on the texts only;
// a click on a result opens its day.
#include "core/text/cp932.h"
#include "core/notebook/diary_store.h"
#include "loaded_screen.h"
#include "user_actions.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

namespace {

QStringList items(const QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

QByteArray searchDiary()
{
    const QList<DiaryDay> days{
        {u"2024/04/01"_qs, 50, 3000, u"ABCの歌を歌いました。"_qs},
        {u"2024/04/02"_qs, 0, 0, u"abc と書いた絵本。"_qs},
        {u"2024/04/03"_qs, 51, 3300, u"ＡＢＣのつみき。"_qs},
        {u"2024/04/05"_qs, 0, 0, u"短い"_qs},
        {u"2024/04/06"_qs, 0, 0, u"いちにさんしごろくしちはちきゅうじゅう、いちにさんしごろく、おわり"_qs},
        {u"2024/04/07"_qs, 0, 0, u"一行目\r\n二行目の歌"_qs},
    };
    return cp932::encode(diaryFileText(days)).bytes;
}

void search(LoadedScreen &s, const QString &text, Qt::Key key = Qt::Key_Return)
{
    auto *box = s.find<QLineEdit>(QStringLiteral("txtKensaku"));
    box->setText(text);
    QTest::keyClick(box, key);
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    void matches_data();
    void matches();
    void parkInTheSample();
    void emptyBoxKeepsResults();
    void searchLeavesThePageAlone();
    void clickOpensTheDay();
    void foldingBox_data();
    void foldingBox();
    void foldingBoxRemembered();

private:
    QTemporaryDir m_settings; // this computer's settings, for the tests alone
};

void SearchTest::matches_data()
{
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("upper case") << u"ABC"_qs << QStringList{u"2024/04/01　ABCの歌を歌いました。"_qs};
    QTest::newRow("lower case") << u"abc"_qs << QStringList{u"2024/04/02　abc と書いた絵本。"_qs};
    QTest::newRow("full width") << u"ＡＢＣ"_qs << QStringList{u"2024/04/03　ＡＢＣのつみき。"_qs};
    QTest::newRow("mixed case finds nothing") << u"Abc"_qs << QStringList();
    QTest::newRow("dates are not searched") << u"2024"_qs << QStringList();
    QTest::newRow("weights are not searched") << u"3000"_qs << QStringList();
    QTest::newRow("short text whole") << u"短"_qs << QStringList{u"2024/04/05　短い"_qs};
    QTest::newRow("match past the 25 shown")
        << u"おわり"_qs << QStringList{u"2024/04/06　いちにさんしごろくしちはちきゅうじゅう、いちにさん"_qs};
    QTest::newRow("date order, second line")
        << u"歌"_qs
        << QStringList{u"2024/04/01　ABCの歌を歌いました。"_qs, u"2024/04/07　一行目\r\n二行目の歌"_qs};
}

void SearchTest::matches()
{
    QFETCH(QString, needle);
    QFETCH(QStringList, lines);
    LoadedScreen s(searchDiary());
    search(s, needle);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(items(s.find<QListWidget>(QStringLiteral("lstDay"))), lines);
}

void SearchTest::parkInTheSample()
{
    LoadedScreen s;
    search(s, u"公園"_qs);
    QCOMPARE(items(s.find<QListWidget>(QStringLiteral("lstDay"))),
             (QStringList{u"1995/04/10　ベビーカーで近所の公園へ。桜が満開でした。\r\n花び"_qs,
                          u"1995/07/03　朝の涼しいうちに公園へお散歩。木かげで風に吹かれて"_qs,
                          u"1995/10/22　公園でどんぐり拾い。ももちゃんはベビーカーの上で、"_qs,
                          u"1996/03/30　公園でお花見。去年はベビーカーで寝ていたのに、今年"_qs,
                          u"1996/07/14　公園の噴水で水遊び。最初はこわごわだったけれど、最"_qs,
                          u"1996/09/08　公園のすべり台デビュー。パパと一緒にすべったら、す"_qs,
                          u"1996/11/24　公園のいちょう並木が、黄色いじゅうたんのよう。\r\n"_qs}));
    // A line break inside the 25 characters must not show as a line of its own, which would
    // look like another result.
    auto *results = s.find<QListWidget>(QStringLiteral("lstDay"));
    for (int i = 1; i < results->count(); ++i)
        QCOMPARE(results->visualItemRect(results->item(i)).height(),
                 results->visualItemRect(results->item(1)).height());
    QCOMPARE(results->visualItemRect(results->item(0)).height(),
             results->visualItemRect(results->item(1)).height());
}

void SearchTest::emptyBoxKeepsResults()
{
    LoadedScreen s(searchDiary());
    auto *results = s.find<QListWidget>(QStringLiteral("lstDay"));
    search(s, u"ABC"_qs);
    QCOMPARE(results->count(), 1);
    search(s, QString());
    QCOMPARE(results->count(), 1);
    // Other keys are typed into the box and start nothing.
    auto *box = s.find<QLineEdit>(QStringLiteral("txtKensaku"));
    QTest::keyClicks(box, QStringLiteral("abc"));
    QCOMPARE(box->text(), u"abc"_qs);
    QCOMPARE(items(results), QStringList{u"2024/04/01　ABCの歌を歌いました。"_qs});
    VERIFY_DIALOGS(s.dialogs);
}

void SearchTest::searchLeavesThePageAlone()
{
    LoadedScreen s;
    auto *day = s.find<QScrollBar>(QStringLiteral("hsbDay"));
    day->setValue(3);
    const QString shown = s.find<QComboBox>(QStringLiteral("cboDay"))->currentText();
    search(s, u"ない言葉"_qs);
    QCOMPARE(s.find<QListWidget>(QStringLiteral("lstDay"))->count(), 0);
    search(s, u"公園"_qs, Qt::Key_Enter); // the keypad's Enter as well
    QCOMPARE(s.find<QListWidget>(QStringLiteral("lstDay"))->count(), 7);
    QCOMPARE(day->value(), 3);
    QCOMPARE(s.find<QComboBox>(QStringLiteral("cboDay"))->currentText(), shown);
    QVERIFY(s.find<QWidget>(QStringLiteral("fraDiary"))->isVisible());
    VERIFY_DIALOGS(s.dialogs);
}

void SearchTest::clickOpensTheDay()
{
    LoadedScreen s;
    search(s, u"公園"_qs);
    auto *results = s.find<QListWidget>(QStringLiteral("lstDay"));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::NoModifier,
                      results->visualItemRect(results->item(1)).center());
    const int k = s.notebook().diary.find(u"1995/07/03"_qs);
    QVERIFY(k > 0);
    QCOMPARE(s.find<QScrollBar>(QStringLiteral("hsbDay"))->value(), k);
    QCOMPARE(s.find<QComboBox>(QStringLiteral("cboDay"))->currentText(), u"1995/07/03"_qs);
    QCOMPARE(results->count(), 7);
    VERIFY_DIALOGS(s.dialogs);
}

namespace {

QByteArray familyDiary()
{
    const QList<DiaryDay> days{
        {u"2024/04/01"_qs, 0, 0, u"パパとお風呂。"_qs},
        {u"2024/04/02"_qs, 0, 0, u"ばあばが来た。"_qs},
        {u"2024/04/03"_qs, 0, 0, u"ﾊﾟﾊﾟの会社の人から。"_qs},
        {u"2024/04/04"_qs, 0, 0, u"ＡＢＣの歌、abc の絵本。"_qs},
    };
    return cp932::encode(diaryFileText(days)).bytes;
}

// Types into the search box by keys and presses Enter.
void searchByKeys(LoadedScreen &s, const QString &text)
{
    auto *box = s.find<QLineEdit>(QStringLiteral("txtKensaku"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

QStringList dates(const QListWidget *list)
{
    QStringList d;
    for (const QString &line : items(list))
        d.append(line.left(10));
    return d;
}

} // namespace

// Off, the search stays exact; on, full and half width and hiragana and katakana are alike.
// Case still counts.
void SearchTest::foldingBox_data()
{
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QStringList>("exact");
    QTest::addColumn<QStringList>("folded");
    QTest::newRow("half-width パパ") << u"ﾊﾟﾊﾟ"_qs << QStringList{u"2024/04/03"_qs}
                                     << QStringList{u"2024/04/01"_qs, u"2024/04/03"_qs};
    QTest::newRow("katakana ばあば") << u"バアバ"_qs << QStringList() << QStringList{u"2024/04/02"_qs};
    QTest::newRow("hiragana パパ") << u"ぱぱ"_qs << QStringList()
                                   << QStringList{u"2024/04/01"_qs, u"2024/04/03"_qs};
    QTest::newRow("ASCII ABC, not abc") << u"ABC"_qs << QStringList() << QStringList{u"2024/04/04"_qs};
}

void SearchTest::foldingBox()
{
    QFETCH(QString, needle);
    QFETCH(QStringList, exact);
    QFETCH(QStringList, folded);
    LoadedScreen s(familyDiary());
    s.screen.show();
    QApplication::setActiveWindow(&s.screen);
    QVERIFY(QTest::qWaitForWindowActive(&s.screen));
    auto *results = s.find<QListWidget>(QStringLiteral("lstDay"));
    auto *fold = s.find<QCheckBox>(QStringLiteral("chkFold"));
    QCOMPARE(QAccessible::queryAccessibleInterface(fold)->text(QAccessible::Name),
             u"かな・全角半角を区別しない"_qs);
    QVERIFY(!fold->isChecked());
    searchByKeys(s, needle);
    QCOMPARE(dates(results), exact);
    // A click on the box itself (its caption starts beside the mark).
    QStyleOptionButton option;
    option.initFrom(fold);
    const QPoint mark = fold->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, fold).center();
    QTest::mouseClick(fold, Qt::LeftButton, Qt::NoModifier, mark);
    QVERIFY(fold->isChecked());
    searchByKeys(s, needle);
    QCOMPARE(dates(results), folded);
    QTest::mouseClick(fold, Qt::LeftButton, Qt::NoModifier, mark); // off again for the next row
    VERIFY_DIALOGS(s.dialogs);
}

// The box is remembered on this computer, not in the notebook: the next screen starts with it on.
void SearchTest::foldingBoxRemembered()
{
    {
        LoadedScreen s(familyDiary());
        s.screen.show();
        QApplication::setActiveWindow(&s.screen);
        QVERIFY(QTest::qWaitForWindowActive(&s.screen));
        auto *fold = s.find<QCheckBox>(QStringLiteral("chkFold"));
        fold->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(fold->isChecked());
    }
    LoadedScreen again(familyDiary());
    again.screen.show();
    QApplication::setActiveWindow(&again.screen);
    QVERIFY(QTest::qWaitForWindowActive(&again.screen));
    QVERIFY(again.find<QCheckBox>(QStringLiteral("chkFold"))->isChecked());
    searchByKeys(again, u"ﾊﾞｱﾊﾞ"_qs);
    QCOMPARE(dates(again.find<QListWidget>(QStringLiteral("lstDay"))), QStringList{u"2024/04/02"_qs});
    QSettings().remove(QStringLiteral("diary/searchFolded"));
}

QTEST_MAIN(SearchTest)
#include "search_test.moc"
