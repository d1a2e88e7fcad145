// The gift panel: both registers through one table of cases, the thanks mark, the item photo,
// the choices of the two grids kept apart, the file bytes after each command.
#include "common/cp932.h"
#include "common/pictures.h"
#include "register_screen.h"
#include "registers/gift_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

namespace {

const QString Received = QStringLiteral("頂きもの.txt");
const QString Given = QStringLiteral("贈りもの.txt");

QByteArray bytesOf(const QString &text) { return cp932::encode(text).bytes; }

QString helpText()
{
    return QStringLiteral("頂きものやお返し、贈りものを管理することができます。\r\n\r\n"
                          "日付と品物を入力して保存ボタンを押すと登録できます。\r\n"
                          "品物の写真を登録することができます。品物をクリックすると表示されます。\r\n"
                          "画像登録したい品物をクリックしてから「頂きもの一覧」などの見出しをダブルクリックします。\r\n\r\n"
                          "頂きもの一覧についてはお返しの管理ができます。ダブルクリックで切り替えます。\r\n\r\n"
                          "必要に応じて、マウスで選んだ範囲を削除したり、一括して全データを削除することができます。");
}

struct Panel {
    Panel(const QByteArray &received, const QByteArray &given)
    {
        s.notebook.writeBytes(Received, received);
        s.notebook.writeBytes(Given, given);
        s.notebook.writeBytes(QStringLiteral("予定.txt"), "\"2026/12/24\",\"x\"\r\n");
        s.load();
        s.click(QStringLiteral("cmdItadaki"));
        panel = s.screen->findChild<GiftPanel *>(QStringLiteral("fraItadaki"));
    }
    void add(const QString &dateBox, const QString &itemBox, const QString &button, const QString &date,
             const QString &item)
    {
        s.find<QComboBox>(dateBox)->setEditText(date);
        s.find<QLineEdit>(itemBox)->setText(item);
        s.click(button);
    }
    QColor pictureCentre() const
    {
        const QPixmap pm = s.find<QLabel>(QStringLiteral("imgItadaki"))->pixmap();
        return pm.isNull() ? QColor() : pm.toImage().pixelColor(pm.width() / 2, pm.height() / 2);
    }
    RegisterScreen s;
    GiftPanel *panel = nullptr;
};

void writeImage(const QString &path, QColor colour)
{
    QImage img(60, 40, QImage::Format_RGB32);
    img.fill(colour);
    QVERIFY(img.save(path));
}

bool near(QColor a, QColor b) // JPEG shifts colours a little
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

} // namespace

class GiftPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void registers_data();
    void registers();
    void thanksMark();
    void itemPhoto();
    void choicesStayInTheirGrid();
    void dateListsAndHelp();
    void notADateRefused();
};

void GiftPanelTest::registers_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("otherFile");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("dateBox");
    QTest::addColumn<QString>("itemBox");
    QTest::addColumn<QString>("add");
    QTest::addColumn<QString>("del");
    QTest::addColumn<QString>("delAll");
    QTest::addColumn<QString>("lineEnd"); // after the item field
    QTest::addColumn<QString>("emptyTitle");
    QTest::addColumn<QString>("emptyText");
    QTest::addColumn<QString>("delQuestion");
    QTest::addColumn<QString>("allQuestion");
    QTest::newRow("gifts given") << Given << Received << "msgAgeru" << "cboAHizuke" << "txtANaiyo" << "cmdAHozon"
                                 << "cmdADel" << "cmdAADel" << "" << "贈りもの未入力"
                                 << "贈りものを書き込んでから保存ボタンを押してください。"
                                 << "選択した贈りものを削除します" << "贈りものを全て削除します";
    QTest::newRow("gifts received") << Received << Given << "msgItadaki" << "cboIHizuke" << "txtINaiyo"
                                    << "cmdIHozon" << "cmdIDel" << "cmdIADel" << ",\"\"" << "頂きもの未入力"
                                    << "頂きものを書き込んでから保存ボタンを押してください。"
                                    << "選択した頂きものを削除します" << "頂きものを全て削除します";
}

void GiftPanelTest::registers()
{
    QFETCH(QString, file);
    QFETCH(QString, otherFile);
    QFETCH(QString, grid);
    QFETCH(QString, dateBox);
    QFETCH(QString, itemBox);
    QFETCH(QString, add);
    QFETCH(QString, del);
    QFETCH(QString, delAll);
    QFETCH(QString, lineEnd);
    QFETCH(QString, emptyTitle);
    QFETCH(QString, emptyText);
    QFETCH(QString, delQuestion);
    QFETCH(QString, allQuestion);
    Panel p{QByteArray(), QByteArray()};
    const QByteArray other = p.s.notebook.bytes(otherFile);
    const QByteArray schedule = p.s.notebook.bytes(QStringLiteral("予定.txt"));
    auto *g = p.s.find<QTableWidget>(grid);

    p.s.dialogs.expectWarning(emptyTitle, emptyText);
    p.add(dateBox, itemBox, add, QStringLiteral("1995/03/20"), QString());
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.s.notebook.bytes(file), QByteArray());

    // Out of date order: listed oldest first, the file in the order of adding; a comma is kept.
    p.add(dateBox, itemBox, add, QStringLiteral("1995/03/20"), QStringLiteral("タオル, 名入れ"));
    p.add(dateBox, itemBox, add, QStringLiteral("1995/2/16"), QStringLiteral("ベビー服"));
    p.s.find<QLineEdit>(itemBox)->setText(QStringLiteral("おくるみ"));
    QTest::keyClick(p.s.find<QLineEdit>(itemBox), Qt::Key_Enter);
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(column(g, 0), (QStringList{"1995/02/16", "1995/02/16", "1995/03/20"}));
    QCOMPARE(column(g, 1), (QStringList{"ベビー服", "おくるみ", "タオル, 名入れ"}));
    const QString lines = QStringLiteral("\"1995/03/20\",\"タオル, 名入れ\"%1\r\n"
                                         "\"1995/02/16\",\"ベビー服\"%1\r\n"
                                         "\"1995/02/16\",\"おくるみ\"%1\r\n")
                              .arg(lineEnd);
    QCOMPARE(p.s.notebook.text(file), lines);

    // Reopened, the same order.
    p.s.click(QStringLiteral("cmdItadaki"));
    QCOMPARE(column(g, 1), (QStringList{"ベビー服", "おくるみ", "タオル, 名入れ"}));

    // The chosen row goes; the file is rewritten in the grid's order.
    QVERIFY(!p.s.find<QToolButton>(del)->isEnabled());
    dragRows(g, 2, 2);
    QVERIFY(p.s.find<QToolButton>(del)->isEnabled());
    p.s.dialogs.expect(QStringLiteral("削除確認"), delQuestion, Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                       Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    p.s.click(del);
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.s.notebook.text(file), QStringLiteral("\"1995/02/16\",\"ベビー服\"%1\r\n"
                                                     "\"1995/03/20\",\"タオル, 名入れ\"%1\r\n")
                                          .arg(lineEnd));
    p.s.click(QStringLiteral("cmdItadaki"));
    QCOMPARE(column(g, 1), (QStringList{"ベビー服", "タオル, 名入れ"}));

    p.s.dialogs.expect(QStringLiteral("削除確認"), allQuestion, Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                       Dialogs::Answer::Cancel, Dialogs::Answer::Cancel);
    p.s.click(delAll);
    QCOMPARE(g->rowCount(), 2);
    p.s.dialogs.expect(QStringLiteral("削除確認"), allQuestion, Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                       Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    p.s.click(delAll);
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(g->rowCount(), 0);
    QCOMPARE(p.s.notebook.bytes(file), QByteArray());
    // The other register and the schedule are untouched throughout.
    QCOMPARE(p.s.notebook.bytes(otherFile), other);
    QCOMPARE(p.s.notebook.bytes(QStringLiteral("予定.txt")), schedule);
}

void GiftPanelTest::thanksMark()
{
    Panel p{QByteArray(), QByteArray()};
    auto *g = p.s.find<QTableWidget>(QStringLiteral("msgItadaki"));
    p.add(QStringLiteral("cboIHizuke"), QStringLiteral("txtINaiyo"), QStringLiteral("cmdIHozon"),
          QStringLiteral("1995/02/20"), QStringLiteral("ベビー服"));
    QCOMPARE(p.s.notebook.bytes(Received), testDataBytes(QStringLiteral("gift_mark/expected_added.txt")));
    QCOMPARE(g->item(0, 2)->text(), QString());
    QCOMPARE(g->item(0, 2)->textAlignment(), int(Qt::AlignCenter));

    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 1));
    QCOMPARE(g->item(0, 2)->text(), QStringLiteral("○"));
    QCOMPARE(p.s.notebook.bytes(Received), testDataBytes(QStringLiteral("gift_mark/expected_marked.txt")));
    QCOMPARE(p.panel->itadakiItem(), QStringLiteral("ベビー服"));

    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 1));
    QCOMPARE(g->item(0, 2)->text(), QString());
    QCOMPARE(p.s.notebook.bytes(Received), testDataBytes(QStringLiteral("gift_mark/expected_added.txt")));
    VERIFY_DIALOGS(p.s.dialogs);

    // A double-click on the gifts given marks nothing and writes nothing.
    auto *given = p.s.find<QTableWidget>(QStringLiteral("msgAgeru"));
    p.add(QStringLiteral("cboAHizuke"), QStringLiteral("txtANaiyo"), QStringLiteral("cmdAHozon"),
          QStringLiteral("1995/03/20"), QStringLiteral("タオル"));
    const QByteArray before = p.s.notebook.bytes(Given);
    QTest::mouseClick(given->viewport(), Qt::LeftButton, {}, rowPoint(given, 1));
    QTest::mouseDClick(given->viewport(), Qt::LeftButton, {}, rowPoint(given, 1));
    QCOMPARE(given->columnCount(), 2);
    QCOMPARE(p.s.notebook.bytes(Given), before);
    QCOMPARE(p.panel->ageruItem(), QStringLiteral("タオル"));
    QCOMPARE(p.panel->itadakiItem(), QStringLiteral("ベビー服")); // each register keeps its own
}

void GiftPanelTest::itemPhoto()
{
    Panel p(bytesOf(QStringLiteral("\"1995/02/16\",\"ベビー服\",\"○\"\r\n\"1995/02/18\",\"くつした\",\"\"\r\n"
                                   "\"1995/02/19\",\"../日記\",\"\"\r\n")),
            QByteArray());
    auto *g = p.s.find<QTableWidget>(QStringLiteral("msgItadaki"));
    writeImage(p.s.notebook.path(QStringLiteral("ベビー服.jpg")), QColor(0, 0, 255));
    writeImage(p.s.notebook.path(QStringLiteral("ベビー服.bmp")), QColor(255, 0, 0));
    p.s.notebook.notebook().folder.forgetListing();
    QCOMPARE(p.panel->itadakiItem(), QString());

    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 1));
    QCOMPARE(p.panel->itadakiItem(), QStringLiteral("ベビー服"));
    QCOMPARE(p.pictureCentre(), QColor(255, 0, 0)); // the .bmp wins over the .jpg

    const QImage placeholder = pictures::loadScaled(p.s.notebook.path(QStringLiteral("NOPIC.JPG")), QSize(296, 221));
    const QColor nopic = placeholder.pixelColor(placeholder.width() / 2, placeholder.height() / 2);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 2));
    QCOMPARE(p.panel->itadakiItem(), QStringLiteral("くつした"));
    QVERIFY(near(p.pictureCentre(), nopic));
    // A name that is no file name has no photo, whatever lies outside the folder.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 3));
    QVERIFY(near(p.pictureCentre(), nopic));
    // The item stays remembered across panels and deletions.
    p.s.click(QStringLiteral("cmdYotei"));
    p.s.click(QStringLiteral("cmdItadaki"));
    QCOMPARE(p.panel->itadakiItem(), QStringLiteral("../日記"));
}

void GiftPanelTest::choicesStayInTheirGrid()
{
    const QByteArray received = bytesOf(QStringLiteral("\"1995/02/01\",\"一\",\"\"\r\n\"1995/02/02\",\"二\",\"\"\r\n"
                                                       "\"1995/02/03\",\"三\",\"\"\r\n"));
    const QByteArray given = bytesOf(QStringLiteral("\"1995/03/01\",\"い\"\r\n\"1995/03/02\",\"ろ\"\r\n"
                                                    "\"1995/03/03\",\"は\"\r\n"));
    Panel p(received, given);
    auto *mine = p.s.find<QTableWidget>(QStringLiteral("msgItadaki"));
    auto *other = p.s.find<QTableWidget>(QStringLiteral("msgAgeru"));
    dragRows(mine, 3, 2);
    dragRows(other, 1, 1);
    QVERIFY(p.s.find<QToolButton>(QStringLiteral("cmdIDel"))->isEnabled());
    QVERIFY(p.s.find<QToolButton>(QStringLiteral("cmdADel"))->isEnabled());
    // The received register's button deletes what was chosen in the received register.
    p.s.dialogs.expect(QStringLiteral("削除確認"), QStringLiteral("選択した頂きものを削除します"),
                       Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel);
    p.s.click(QStringLiteral("cmdIDel"));
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(column(mine, 1), QStringList{"一"});
    QCOMPARE(column(other, 1), (QStringList{"い", "ろ", "は"}));
    QCOMPARE(p.s.notebook.bytes(Given), given);
    p.s.dialogs.expect(QStringLiteral("削除確認"), QStringLiteral("選択した贈りものを削除します"),
                       Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel);
    p.s.click(QStringLiteral("cmdADel"));
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(column(other, 1), (QStringList{"ろ", "は"}));
    QCOMPARE(column(mine, 1), QStringList{"一"});
}

void GiftPanelTest::dateListsAndHelp()
{
    Panel p{QByteArray(), QByteArray()};
    p.s.notebook.notebook().tour.helpTourOn = 1;
    p.s.dialogs.expectInformation(QStringLiteral("ヘルプツアー"), helpText());
    p.s.click(QStringLiteral("cmdItadaki"));
    VERIFY_DIALOGS(p.s.dialogs);
    for (const QString &name : {QStringLiteral("cboIHizuke"), QStringLiteral("cboAHizuke")}) {
        auto *box = p.s.find<QComboBox>(name);
        QCOMPARE(box->count(), 30);
        QCOMPARE(box->itemText(0), QStringLiteral("2026/11/07"));
        QCOMPARE(box->itemText(29), QStringLiteral("2026/12/06"));
        QCOMPARE(box->currentText(), QStringLiteral("2026/12/06"));
    }
    auto *cmdIDel = p.s.find<QToolButton>(QStringLiteral("cmdIDel"));
    QCOMPARE(cmdIDel->toolTip(), QStringLiteral("選択したものだけを削除します"));
    QCOMPARE(cmdIDel->accessibleName(), QStringLiteral("選択したものだけを削除します"));
    QCOMPARE(p.s.find<QToolButton>(QStringLiteral("cmdIADel"))->toolTip(), QStringLiteral("全部を削除します"));
    QCOMPARE(p.s.find<QLabel>(QStringLiteral("lblAgeruM"))->text(), QStringLiteral("お返し / 贈りもの一覧"));
    QCOMPARE(p.s.find<QLabel>(QStringLiteral("lblItadakiM"))->toolTip(), QStringLiteral("ダブルクリックで画像登録"));
}

void GiftPanelTest::notADateRefused()
{
    Panel p{QByteArray(), QByteArray()};
    p.s.dialogs.expectWarning(QStringLiteral("入力確認"),
                              QStringLiteral("その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい"));
    p.add(QStringLiteral("cboAHizuke"), QStringLiteral("txtANaiyo"), QStringLiteral("cmdAHozon"),
          QStringLiteral("出産祝いのお返し"), QStringLiteral("タオル"));
    p.s.dialogs.expectWarning(QStringLiteral("入力確認"));
    p.add(QStringLiteral("cboIHizuke"), QStringLiteral("txtINaiyo"), QStringLiteral("cmdIHozon"),
          QStringLiteral("1995/02/20"), QStringLiteral("\"くま\"のぬいぐるみ"));
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.s.notebook.bytes(Given), QByteArray());
    QCOMPARE(p.s.notebook.bytes(Received), QByteArray());
}

QTEST_MAIN(GiftPanelTest)
#include "gift_panel_test.moc"
