// The gift panel: both registers through one table of cases, the thanks mark, the item photo,
// the two grids' choices kept apart, the file bytes after each command.
#include "core/text/cp932.h"
#include "core/pictures/pictures.h"
#include "register_screen.h"
#include "ui/registers/gift_panel.h"
#include "user_actions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

namespace {

const QString Received = QStringLiteral("頂きもの.txt");
const QString Given = QStringLiteral("贈りもの.txt");

struct Panel : RegisterScreen {
    Panel(const QString &received, const QString &given)
    {
        notebook.writeText(Received, received);
        notebook.writeText(Given, given);
        load();
        click(QStringLiteral("cmdItadaki"));
        panel = screen->findChild<GiftPanel *>(QStringLiteral("fraItadaki"));
    }
    void add(const QString &reg, const QString &date, const QString &item) // reg: "A" or "I"
    {
        find<QComboBox>(QStringLiteral("cbo%1Hizuke").arg(reg))->setEditText(date);
        find<QLineEdit>(QStringLiteral("txt%1Naiyo").arg(reg))->setText(item);
        click(QStringLiteral("cmd%1Hozon").arg(reg));
    }
    // A green BMP dragged from elsewhere and dropped on the item's picture, both boxes answered OK.
    void dropGreenPicture()
    {
        QTemporaryDir from;
        QImage green(60, 40, QImage::Format_RGB32);
        green.fill(Qt::green);
        green.save(from.filePath(QStringLiteral("g.bmp")));
        dialogs.expect(QStringLiteral("コピー確認"), QString(), Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                       Dialogs::Answer::Ok);
        dialogs.expectInformation(QStringLiteral("コピー終了"));
        drop(find<QLabel>(QStringLiteral("imgItadaki")), from.filePath(QStringLiteral("g.bmp")));
    }
    QColor pictureCentre() const
    {
        const QImage img = find<QLabel>(QStringLiteral("imgItadaki"))->pixmap().toImage();
        return img.pixelColor(img.width() / 2, img.height() / 2);
    }
    GiftPanel *panel = nullptr;
};

} // namespace

class GiftPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void registers_data();
    void registers();
    void thanksMarkAndPhoto();
    void photoOfANameWithALookAlikeIsFoundAgain();
    void choicesStayInTheirGrid();
    void dateListsAndHelp();
    void outsideChangeReachesItsControl_data();
    void outsideChangeReachesItsControl();
    void markKeepsTheCurrentRow();
};

void GiftPanelTest::registers_data()
{
    QTest::addColumn<QString>("reg");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("lineEnd"); // after the item field
    QTest::addColumn<QString>("name");    // of the register in its messages
    QTest::newRow("gifts given") << "A" << Given << "msgAgeru"
                                 << ""
                                 << "贈りもの";
    QTest::newRow("gifts received") << "I" << Received << "msgItadaki"
                                    << ",\"\""
                                    << "頂きもの";
}

void GiftPanelTest::registers()
{
    QFETCH(QString, reg);
    QFETCH(QString, file);
    QFETCH(QString, grid);
    QFETCH(QString, lineEnd);
    QFETCH(QString, name);
    Panel p{QString(), QString()};
    p.notebook.writeText(QStringLiteral("予定.txt"), QStringLiteral("\"2026/12/24\",\"x\"\r\n"));
    auto *g = p.find<RegisterGrid>(grid);
    const QString del = QStringLiteral("cmd%1Del").arg(reg);

    p.dialogs.expectWarning(name + QStringLiteral("未入力"),
                            name + QStringLiteral("を書き込んでから保存ボタンを押してください。"));
    p.add(reg, QStringLiteral("1995/03/20"), QString());
    p.dialogs.expectWarning(
        QStringLiteral("入力確認"),
        QStringLiteral("その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい"));
    p.add(reg, QStringLiteral("出産祝いのお返し"), QStringLiteral("タオル"));
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(p.notebook.bytes(file), QByteArray());

    // Out of date order: listed oldest first, the file in the order of adding; a comma is kept.
    p.add(reg, QStringLiteral("1995/03/20"), QStringLiteral("タオル, 名入れ"));
    p.add(reg, QStringLiteral("1995/2/16"), QStringLiteral("ベビー服"));
    p.find<QLineEdit>(QStringLiteral("txt%1Naiyo").arg(reg))->setText(QStringLiteral("おくるみ"));
    QTest::keyClick(p.find(QStringLiteral("txt%1Naiyo").arg(reg)), Qt::Key_Enter);
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(column(g, 1), (QStringList{"ベビー服", "おくるみ", "タオル, 名入れ"}));
    const QString line = QStringLiteral("\"%1\",\"%2\"") + lineEnd + QStringLiteral("\r\n");
    QCOMPARE(p.notebook.text(file), line.arg(QStringLiteral("1995/03/20"), QStringLiteral("タオル, 名入れ")) +
                                        line.arg(QStringLiteral("1995/02/16"), QStringLiteral("ベビー服")) +
                                        line.arg(QStringLiteral("1995/02/16"), QStringLiteral("おくるみ")));

    dragRows(g, 2, 2);
    p.expectDelete(QStringLiteral("選択した%1を削除します").arg(name));
    p.click(del);
    VERIFY_DIALOGS(p.dialogs);
    QVERIFY(!p.find(del)->isEnabled());
    QCOMPARE(p.notebook.text(file),
             line.arg(QStringLiteral("1995/02/16"), QStringLiteral("ベビー服")) +
                 line.arg(QStringLiteral("1995/03/20"), QStringLiteral("タオル, 名入れ")));
    p.click(QStringLiteral("cmdItadaki"));
    QCOMPARE(column(g, 1), (QStringList{"ベビー服", "タオル, 名入れ"}));

    p.expectDelete(QStringLiteral("%1を全て削除します").arg(name), Dialogs::Answer::Cancel);
    p.click(QStringLiteral("cmd%1ADel").arg(reg));
    QCOMPARE(g->rowCount(), 2);
    p.expectDelete(QStringLiteral("%1を全て削除します").arg(name));
    p.click(QStringLiteral("cmd%1ADel").arg(reg));
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(g->rowCount(), 0);
    QCOMPARE(p.notebook.bytes(file), QByteArray());
    // The other register and the schedule are untouched throughout.
    QCOMPARE(p.notebook.bytes(file == Given ? Received : Given), QByteArray());
    QCOMPARE(p.notebook.text(QStringLiteral("予定.txt")), QStringLiteral("\"2026/12/24\",\"x\"\r\n"));
}

void GiftPanelTest::thanksMarkAndPhoto()
{
    Panel p(QString(), QStringLiteral("\"1995/03/20\",\"タオル\"\r\n"));
    auto *g = p.find<RegisterGrid>(QStringLiteral("msgItadaki"));
    p.add(QStringLiteral("I"), QStringLiteral("1995/02/20"), QStringLiteral("ベビー服"));
    p.add(QStringLiteral("I"), QStringLiteral("1995/02/21"), QStringLiteral("くつした"));
    const QByteArray added = testDataBytes(QStringLiteral("gift_mark/expected_added.txt"));
    const QByteArray other = cp932::encode(QStringLiteral("\"1995/02/21\",\"くつした\",\"\"\r\n")).bytes;
    QCOMPARE(p.notebook.bytes(Received), added + other);
    for (const QByteArray &expected :
         {testDataBytes(QStringLiteral("gift_mark/expected_marked.txt")), added}) {
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 1));
        QCOMPARE(p.notebook.bytes(Received), expected + other);
    }
    QCOMPARE(p.panel->itadakiItem(), QStringLiteral("ベビー服"));

    // The .bmp wins over the .jpg; without any picture NOPIC.JPG stands in.
    for (const auto &[ext, colour] : {std::pair{".jpg", Qt::blue}, std::pair{".bmp", Qt::red}}) {
        QImage img(60, 40, QImage::Format_RGB32);
        img.fill(colour);
        QVERIFY(img.save(p.notebook.path(QStringLiteral("ベビー服") + QLatin1String(ext))));
    }
    p.notebook.notebook().folder().forgetListing();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 1));
    QCOMPARE(p.pictureCentre(), QColor(Qt::red));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 2));
    const QImage nopic = pictures::loadScaled(p.notebook.path(QStringLiteral("NOPIC.JPG")), QSize(296, 221));
    QCOMPARE(p.pictureCentre(), nopic.pixelColor(nopic.width() / 2, nopic.height() / 2));
    // A picture dropped for it shows at once.
    p.dropGreenPicture();
    QVERIFY(QFile::exists(p.notebook.path(QStringLiteral("くつした.bmp"))));
    QCOMPARE(p.pictureCentre(), QColor(Qt::green));

    // The gifts given have no mark; each register keeps its last item.
    auto *given = p.find<RegisterGrid>(QStringLiteral("msgAgeru"));
    QTest::mouseClick(given->viewport(), Qt::LeftButton, {}, rowPoint(given, 1));
    QTest::mouseDClick(given->viewport(), Qt::LeftButton, {}, rowPoint(given, 1));
    QCOMPARE(p.notebook.text(Given), QStringLiteral("\"1995/03/20\",\"タオル\"\r\n"));
    QCOMPARE(p.panel->ageruItem(), QStringLiteral("タオル"));
    QCOMPARE(p.panel->itadakiItem(), QStringLiteral("くつした"));
    VERIFY_DIALOGS(p.dialogs);
}

// The register stores ¥ as its look-alike ￥: the photo is saved under the stored name, so the
// item read back from the file (as after a restart) still shows it.
void GiftPanelTest::photoOfANameWithALookAlikeIsFoundAgain()
{
    Panel p{QString(), QString()};
    auto *g = p.find<RegisterGrid>(QStringLiteral("msgItadaki"));
    p.add(QStringLiteral("I"), QStringLiteral("1995/02/20"), QStringLiteral("タオル¥500〜"));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 1));
    p.dropGreenPicture();
    VERIFY_DIALOGS(p.dialogs);
    const QString stored = p.notebook.text(Received).section(u'"', 3, 3);
    QVERIFY(QFile::exists(p.notebook.path(stored + QStringLiteral(".bmp"))));
    p.panel->readReceived();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowPoint(g, 1));
    QCOMPARE(p.pictureCentre(), QColor(Qt::green));
}

void GiftPanelTest::choicesStayInTheirGrid()
{
    Panel p(QStringLiteral(
                "\"1995/02/01\",\"一\",\"\"\r\n\"1995/02/02\",\"二\",\"\"\r\n\"1995/02/03\",\"三\",\"\"\r\n"),
            QStringLiteral("\"1995/03/01\",\"い\"\r\n\"1995/03/02\",\"ろ\"\r\n\"1995/03/03\",\"は\"\r\n"));
    auto *received = p.find<RegisterGrid>(QStringLiteral("msgItadaki"));
    auto *given = p.find<RegisterGrid>(QStringLiteral("msgAgeru"));
    dragRows(received, 3, 2);
    dragRows(given, 1, 1);
    p.expectDelete(QStringLiteral("選択した頂きものを削除します"));
    p.click(QStringLiteral("cmdIDel"));
    QCOMPARE(column(received, 1), QStringList{"一"});
    QCOMPARE(column(given, 1), (QStringList{"い", "ろ", "は"}));
    p.expectDelete(QStringLiteral("選択した贈りものを削除します"));
    p.click(QStringLiteral("cmdADel"));
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(column(given, 1), (QStringList{"ろ", "は"}));
    QCOMPARE(column(received, 1), QStringList{"一"});
}

void GiftPanelTest::dateListsAndHelp()
{
    Panel p{QString(), QString()};
    p.notebook.notebook().tour.helpTourOn = 1;
    p.dialogs.expectInformation(
        QStringLiteral("ヘルプツアー"),
        QStringLiteral(
            "頂きものやお返し、贈りものを管理することができます。\r\n\r\n"
            "日付と品物を入力して保存ボタンを押すと登録できます。\r\n"
            "品物の写真を登録することができます。品物をクリックすると表示されます。\r\n"
            "画像登録したい品物をクリックしてから「頂きもの一覧」などの見出しをダブルクリックします。\r\n\r\n"
            "頂きもの一覧についてはお返しの管理ができます。ダブルクリックで切り替えます。\r\n\r\n"
            "必要に応じて、マウスで選んだ範囲を削除したり、一括して全データを削除することができます。"));
    p.click(QStringLiteral("cmdItadaki"));
    VERIFY_DIALOGS(p.dialogs);
    for (const QString &name : {QStringLiteral("cboIHizuke"), QStringLiteral("cboAHizuke")}) {
        auto *box = p.find<QComboBox>(name);
        QCOMPARE(box->count(), 30);
        QCOMPARE(box->itemText(0), QStringLiteral("2026/11/07"));
        QCOMPARE(box->itemText(29), QStringLiteral("2026/12/06"));
        QCOMPARE(box->currentText(), QStringLiteral("2026/12/06"));
    }
    QCOMPARE(p.find(QStringLiteral("cmdIDel"))->accessibleName(),
             QStringLiteral("頂きもの：選択したものだけを削除します")); // the other register has its own
    QCOMPARE(p.find(QStringLiteral("cmdIADel"))->toolTip(), QStringLiteral("全部を削除します"));
}

// A file the other computer changed shows in its control once the watch reads it, whether or
// not its panel is in front.
void GiftPanelTest::outsideChangeReachesItsControl_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shows");
    QTest::newRow("schedule") << "予定.txt"
                              << "\"2026/12/08\",\"あちら\""
                              << "msgYotei"
                              << "あちら";
    QTest::newRow("gifts given") << Given << "\"1995/04/01\",\"あちら\""
                                 << "msgAgeru"
                                 << "あちら";
    QTest::newRow("gifts received") << Received << "\"1995/04/01\",\"あちら\",\"\""
                                    << "msgItadaki"
                                    << "あちら";
    QTest::newRow("anniversaries") << "記念日.txt"
                                   << "1995/04/01　あちら"
                                   << "lstKinen"
                                   << "1995/04/01　あちら";
}

void GiftPanelTest::outsideChangeReachesItsControl()
{
    QFETCH(QString, file);
    QFETCH(QString, added);
    QFETCH(QString, control);
    QFETCH(QString, shows);
    Panel p{QStringLiteral("\"1995/03/01\",\"一\",\"\"\r\n"), QStringLiteral("\"1995/03/01\",\"一\"\r\n")};
    p.click(QStringLiteral("cmdYotei")); // read, then behind the gift panel
    p.click(QStringLiteral("cmdItadaki"));
    p.notebook.writeText(file, p.notebook.text(file) + added + QStringLiteral("\r\n"));
    QCOMPARE(p.notebook.notebook().checkOutside(), QStringList{file});
    QStringList shown;
    if (auto *list = p.screen->findChild<QListWidget *>(control))
        for (int r = 0; r < list->count(); ++r)
            shown.append(list->item(r)->text());
    else
        shown = column(p.find<RegisterGrid>(control), 1);
    QVERIFY2(shown.contains(shows), qPrintable(shown.join(u' ')));
}

// The mark written by Enter shows in place: the keyboard stays on its row for the next Enter.
void GiftPanelTest::markKeepsTheCurrentRow()
{
    Panel p{QStringLiteral("\"1995/03/01\",\"一\",\"\"\r\n\"1995/03/02\",\"二\",\"\"\r\n"), QString()};
    auto *g = p.find<RegisterGrid>(QStringLiteral("msgItadaki"));
    p.screen->show();
    QApplication::setActiveWindow(p.screen.get());
    QVERIFY(QTest::qWaitForWindowActive(p.screen.get()));
    g->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(g->currentIndex().row(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(g->currentIndex().row(), 1);
    QCOMPARE(p.notebook.text(Received),
             QStringLiteral("\"1995/03/01\",\"一\",\"\"\r\n\"1995/03/02\",\"二\",\"○\"\r\n"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(p.notebook.text(Received),
             QStringLiteral("\"1995/03/01\",\"一\",\"\"\r\n\"1995/03/02\",\"二\",\"\"\r\n"));
}

QTEST_MAIN(GiftPanelTest)
#include "gift_panel_test.moc"
