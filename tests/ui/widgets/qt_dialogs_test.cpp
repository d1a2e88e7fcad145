// The real input box, driven by keys: a preset value is typed over, a preset start is typed
// after.
#include "ui/widgets/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

class QtDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void presetReplacedOrExtended_data();
    void presetReplacedOrExtended();
};

void QtDialogsTest::presetReplacedOrExtended_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("extend");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("answer");
    QTest::newRow("a chart limit") << "40" << false << "45"
                                   << "45";
    QTest::newRow("an anniversary") << "2026/12/06" << true << " 誕生日"
                                    << "2026/12/06 誕生日";
}

void QtDialogsTest::presetReplacedOrExtended()
{
    QFETCH(QString, preset);
    QFETCH(bool, extend);
    QFETCH(QString, keys);
    QFETCH(QString, answer);
    QTimer::singleShot(200, [keys] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!box)
            qFatal("no input box");
        QLineEdit *edit = box->findChild<QLineEdit *>();
        for (QChar c : keys)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QtDialogs dialogs;
    QCOMPARE(dialogs.input(QStringLiteral("入力してください"), QStringLiteral("入力"), preset,
                           extend ? Dialogs::Preset::Extend : Dialogs::Preset::Replace),
             answer);
}

QTEST_MAIN(QtDialogsTest)
#include "qt_dialogs_test.moc"
