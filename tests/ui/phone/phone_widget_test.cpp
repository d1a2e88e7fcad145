#include "phone_client.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"

#include "core/phone/phone_server.h"
#include "ui/phone/phone_widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

// スマホから記録 as the parent uses it: the switch, the QR code, the paired phones and 削除.
class PhoneWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(QStringLiteral("phone"));
    }

    void switchPairAndRemove()
    {
        TestNotebook book;
        ScriptedDialogs dialogs;
        PhoneWidget widget(book.notebook(), dialogs, nullptr);
        widget.setListenAddress(QHostAddress::LocalHost, 0);
        widget.show();
        auto *check = widget.findChild<QCheckBox *>(QStringLiteral("phoneCheck"));
        auto *qr = widget.findChild<QLabel *>(QStringLiteral("phoneQr"));
        auto *list = widget.findChild<QListWidget *>(QStringLiteral("phoneDevices"));
        QVERIFY(!check->isChecked()); // off at first
        QVERIFY(!widget.server() && !qr->isVisible());

        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QVERIFY(widget.server());
        QVERIFY(qr->isVisible() && !qr->pixmap().isNull());
        QVERIFY(widget.findChild<QLabel *>(QStringLiteral("phoneAddress"))
                    ->text()
                    .contains(widget.server()->origin()));
        QCOMPARE(QSettings().value(QStringLiteral("phone/enabled")).toBool(), true);

        // A phone opens the code on screen.
        const QString code = qr->accessibleDescription().section(u'=', 1);
        const QByteArray host = widget.server()->origin().mid(7).toLatin1();
        const HttpHeaders headers{
            {"Host", host}, {"Origin", widget.server()->origin().toLatin1()}, {"X-Techo", "1"}};
        const QByteArray body = QJsonDocument(QJsonObject{{"code", code}, {"name", "りくのスマホ"}}).toJson();
        const HttpReply paired =
            httpSend(widget.server()->port(), httpRequest("POST", "/pair", headers, body));
        QCOMPARE(paired.status, 200);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("りくのスマホ（2026/12/06 につないだ）"));
        QVERIFY(qr->accessibleDescription().section(u'=', 1) != code); // a fresh code for the next phone

        // 削除 with the Delete key on the list, after the question.
        const QRect row = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(QApplication::focusWidget(), list);
        dialogs.expect(
            QStringLiteral("スマホから記録"),
            QStringLiteral("「りくのスマホ」を削除しますか？\nこのスマホからは記録できなくなります。"),
            Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY2(dialogs.errors().isEmpty(), qPrintable(dialogs.errors().join(u'\n')));
        QCOMPARE(list->count(), 0);
        const QByteArray key = cookieKey(paired.header("Set-Cookie"));
        const HttpReply refused =
            httpSend(widget.server()->port(),
                     httpRequest("GET", "/api/log", {{"Host", host}, {"Cookie", "techo_key=" + key}}));
        QCOMPARE(refused.status, 401);

        // Off: the port is closed, and stays off at the next start.
        const quint16 port = widget.server()->port();
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QVERIFY(!widget.server());
        QCOMPARE(httpSend(port, httpRequest("GET", "/", {{"Host", host}})).status, 0);
        QCOMPARE(QSettings().value(QStringLiteral("phone/enabled")).toBool(), false);
    }

    void rememberedSwitchServesAtStart()
    {
        QSettings().setValue(QStringLiteral("phone/enabled"), true);
        TestNotebook book;
        ScriptedDialogs dialogs;
        PhoneWidget widget(book.notebook(), dialogs, nullptr);
        widget.setListenAddress(QHostAddress::LocalHost, 0);
        QVERIFY(widget.findChild<QCheckBox *>(QStringLiteral("phoneCheck"))->isChecked());
        QTRY_VERIFY(widget.server());
        QVERIFY(widget.server()->origin().startsWith(QStringLiteral("http://127.0.0.1:")));
        QSettings().remove(QStringLiteral("phone"));
    }
};

QTEST_MAIN(PhoneWidgetTest)
#include "phone_widget_test.moc"
