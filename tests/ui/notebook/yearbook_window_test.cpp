// アルバム書き出し from the keyboard: Ctrl+E opens the window, a preset sets the period, the
// target is typed and Enter writes it; an existing export is replaced only after the question,
// and the notebook's own folder is refused.
#include "loaded_screen.h"
#include "ui/notebook/yearbook_window.h"
#include "user_actions.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// Focus on the control, then the key to whatever holds the focus.
void press(QWidget *control, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    // Offscreen, a closed progress box leaves no window active (a slow export shows one).
    QApplication::setActiveWindow(control->window());
    control->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), control);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

void typeTarget(QLineEdit *target, const QString &path)
{
    press(target, Qt::Key_A, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), path);
    QCOMPARE(target->text(), path);
}

QDateTime modified(const QString &path) { return QFileInfo(path).lastModified(); }

} // namespace

class YearbookWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void exportWithTheKeyboard()
    {
        LoadedScreen s;
        s.screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.screen));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
        YearbookWindow *window = nullptr;
        QTRY_VERIFY((window = s.screen.findChild<YearbookWindow *>()) && window->isVisible());
        QApplication::setActiveWindow(window); // offscreen, a shown dialog does not take the focus of itself
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *from = window->findChild<QDateEdit *>(QStringLiteral("dtpFrom"));
        auto *to = window->findChild<QDateEdit *>(QStringLiteral("dtpTo"));
        // The first year is offered; 全部 takes every day.
        QCOMPARE(from->date(), QDate(1995, 2, 15));
        QCOMPARE(to->date(), QDate(1996, 2, 14));
        press(window->findChild<QWidget *>(QStringLiteral("cmdPeriod3")), Qt::Key_Space);
        QCOMPARE(to->date(), QDate(1997, 1, 12));

        QTemporaryDir out;
        const QString page = out.filePath(QStringLiteral("ももちゃん"));
        auto *target = window->findChild<QLineEdit *>(QStringLiteral("txtTarget"));
        typeTarget(target, page);
        s.dialogs.expect(QStringLiteral("アルバム書き出し"), QString(), Dialogs::Icon::Information, Dialogs::Buttons::Ok,
                         Dialogs::Answer::Ok);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        VERIFY_DIALOGS(s.dialogs);
        QVERIFY2(s.dialogs.shown().last().text.startsWith(page + QStringLiteral("/index.html に書き出しました（60日分、写真 16 枚、")),
                 qPrintable(s.dialogs.shown().last().text));
        const QDateTime written = modified(page + QStringLiteral("/index.html"));
        QVERIFY(written.isValid());

        // Enter again: the question, answered Cancel, leaves the export as it was.
        s.dialogs.clear();
        s.dialogs.expect(QStringLiteral("アルバム書き出し"), page + QStringLiteral(" はすでにあります。置き換えますか？"),
                         Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel,
                         Dialogs::Answer::Cancel);
        press(target, Qt::Key_Return);
        VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(modified(page + QStringLiteral("/index.html")), written);

        // PDF: the offered name follows, and Enter writes it.
        press(window->findChild<QRadioButton *>(QStringLiteral("optPdf")), Qt::Key_Space);
        QCOMPARE(target->text(), page + QStringLiteral(".pdf"));
        s.dialogs.clear();
        s.dialogs.expect(QStringLiteral("アルバム書き出し"), QString(), Dialogs::Icon::Information, Dialogs::Buttons::Ok,
                         Dialogs::Answer::Ok);
        press(target, Qt::Key_Return);
        VERIFY_DIALOGS(s.dialogs);
        QVERIFY(QFile(page + QStringLiteral(".pdf")).size() > 10000);

        // Never into the notebook's own folder.
        typeTarget(target, s.files.path(QStringLiteral("書き出し.pdf")));
        s.dialogs.clear();
        s.dialogs.expectWarning(QStringLiteral("アルバム書き出し"),
                                QStringLiteral("手帖のフォルダーの中には書き出せません。別のフォルダーを選んでください。"));
        press(target, Qt::Key_Return);
        VERIFY_DIALOGS(s.dialogs);
        QVERIFY(!QFile::exists(s.files.path(QStringLiteral("書き出し.pdf"))));
    }

    // An export reads 記念日.txt without becoming what the list's next save joins with: an
    // entry written from elsewhere just before it, not yet read by the watch, survives the
    // next 記念日登録.
    void exportLeavesTheAnniversaryListsBase()
    {
        LoadedScreen s;
        s.screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.screen));
        const QString file = QStringLiteral("記念日.txt");
        const QString outside = QStringLiteral("1996/05/05 ほかのパソコンで書いた記念日");
        s.files.writeText(file, s.files.text(file) + outside + QStringLiteral("\r\n"));
        QTemporaryDir out;
        const yearbook::Result r = yearbook::exportFromCommandLine(s.notebook(), s.dialogs, s.printer, false,
                                                                   out.filePath(QStringLiteral("本")), {});
        QVERIFY2(r.ok, qPrintable(r.error));
        QFile page(out.filePath(QStringLiteral("本/index.html")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(page.readAll()).contains(outside)); // the export saw it

        const QString added = QStringLiteral("1996/06/01 はじめての一歩");
        s.dialogs.expectInput(QStringLiteral("記念日登録"), added);
        QTest::mouseClick(s.find<QAbstractButton>(QStringLiteral("cmdKinen")), Qt::LeftButton);
        VERIFY_DIALOGS(s.dialogs);
        const QString text = s.files.text(file);
        QVERIFY2(text.contains(outside + QStringLiteral("\r\n")), qPrintable(text));
        QVERIFY(text.contains(added + QStringLiteral("\r\n")));
    }
};

QTEST_MAIN(YearbookWindowTest)
#include "yearbook_window_test.moc"
