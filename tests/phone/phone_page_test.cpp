#include "test_notebook.h"

#include "core/care/care_log.h"
#include "core/phone/phone_server.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

// The page in Debian's Chromium (headless, 360×740, dark), driven by puppeteer-core from
// page_test.mjs; here, what reached the notebook and its file. Skipped where Chromium, Node
// or puppeteer-core (scripts/install-deps) is missing.
class PhonePageTest : public QObject
{
    Q_OBJECT

private slots:
    void pairRecordAndTime()
    {
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
        if (chromium.isEmpty() || node.isEmpty() ||
            !QFileInfo::exists(TECHO_PHONE_TESTS "/node_modules/puppeteer-core"))
            QSKIP("needs chromium, node and puppeteer-core (scripts/install-deps)");
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(QStringLiteral("phone"));

        TestNotebook book;
        // A minute a second, so that a timer runs for minutes while the page waits seconds.
        const QTime start(3, 10);
        book.clock().setTime(start);
        QElapsedTimer elapsed;
        elapsed.start();
        QTimer tick;
        connect(&tick, &QTimer::timeout, this,
                [&] { book.clock().setTime(start.addSecs(elapsed.elapsed() * 60 / 1000)); });
        tick.start(50);

        phone::Devices devices;
        phone::PhoneServer server(book.notebook(), devices);
        QVERIFY(server.start(QHostAddress::LocalHost, 0));
        QSignalSpy changed(&book.notebook(), &Notebook::changed);
        const qsizetype before = book.notebook().careLog.size();

        QProcess script;
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.setWorkingDirectory(QStringLiteral(TECHO_PHONE_TESTS));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CHROMIUM"), chromium);
        script.setProcessEnvironment(env);
        script.start(node, {QStringLiteral("page_test.mjs"), server.newPairingUrl(),
                            QDir::currentPath() + QStringLiteral("/phone_page.png")});
        QTRY_VERIFY_WITH_TIMEOUT(script.state() == QProcess::NotRunning, 120000);
        const QByteArray output = script.readAll();
        QVERIFY2(script.exitCode() == 0 && output.contains("page: ok"), output.constData());

        QCOMPARE(devices.devices().size(), 1);
        QCOMPARE(devices.devices().at(0).name, QStringLiteral("りくのスマホ"));
        const QList<care::Entry> file = care::read(book.notebook().files);
        QCOMPARE(file, book.notebook().careLog);
        QList<care::Entry> fromPhone;
        for (const care::Entry &entry : file)
            if (entry.by == QStringLiteral("りくのスマホ"))
                fromPhone.append(entry);
        QCOMPARE(fromPhone.size(), 4);
        QCOMPARE(book.notebook().careLog.size(), before + 4);
        QStringList kinds;
        for (const care::Entry &entry : fromPhone) {
            kinds << care::kindName(entry.kind) + u' ' + entry.amount;
            QVERIFY(!entry.running);
        }
        kinds.sort();
        QCOMPARE(kinds, (QStringList{"おしっこ ", "ミルク 120", "母乳（右） ", "母乳（左） "}));
        QVERIFY(changed.size() >= 4); // the desktop's panel hears of each at once
    }
};

QTEST_GUILESS_MAIN(PhonePageTest)
#include "phone_page_test.moc"
