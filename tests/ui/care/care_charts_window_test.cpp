// 生活リズム by keys: the week and the month and their steps, the print, the page for the doctor
// (the last 7 days on at most two pages) and the CSV export into the documents folder.
#include "care_month.h"
#include "core/care/care_print.h"
#include "recording_printer.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/care/care_charts_window.h"
#include "user_actions.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QDate Today(2026, 12, 6);

struct Window {
    TestNotebook notebook;
    ScriptedDialogs dialogs;
    RecordingPrinter printer;
    CareChartsWindow *window = nullptr;

    Window()
    {
        // A busy month up to today, read when the window opens.
        notebook.writeText(care::fileName(), care::textOf(careMonth(Today.addDays(-29), 30)));
        notebook.notebook().readProfile();
        window = new CareChartsWindow(notebook.notebook(), dialogs, nullptr, &printer);
        window->show();
        QApplication::setActiveWindow(window);
    }
    ~Window() { delete window; }

    template <typename T> T *control(const char *name) { return window->findChild<T *>(QLatin1String(name)); }
    // Tab to the control, as a person would, then the key.
    void press(const char *name, int key = Qt::Key_Space)
    {
        QWidget *w = control<QWidget>(name);
        QVERIFY2(w, name);
        w->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    }
    void type(const char *name, const QString &text)
    {
        control<QWidget>(name)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        typeText(QApplication::focusWidget(), text);
    }
    QDate firstShown() const { return window->shownRows().first().day; }
    int shownDays() const { return int(window->shownRows().size()); }
};

} // namespace

class CareChartsWindowTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        // The documents folder of a home of the test's own.
        QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("Documents")));
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    void weeksAndMonthsByKeys()
    {
        Window w;
        QCOMPARE(w.window->windowTitle(), QStringLiteral("生活リズム"));
        QCOMPARE(w.shownDays(), 7);
        QCOMPARE(w.firstShown(), Today.addDays(-6));
        w.press("cmdBack");
        QCOMPARE(w.firstShown(), Today.addDays(-13));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(w.firstShown(), Today.addDays(-6));
        w.press("optWeek", Qt::Key_Right); // the arrow moves to 月 and chooses it
        QVERIFY(w.control<QRadioButton>("optMonth")->isChecked());
        QCOMPARE(w.shownDays(), 31);
        QCOMPARE(w.firstShown(), QDate(2026, 12, 1));
        w.press("cmdBack");
        QCOMPARE(w.shownDays(), 30);
        QCOMPARE(w.firstShown(), QDate(2026, 11, 1));
        QCOMPARE(w.window->shownRows()[10].feeds.size(), 10);
        QVERIFY(w.dialogs.errors().isEmpty());
    }

    void printedPages()
    {
        Window w;
        w.press("cmdPrint");
        w.press("cmdVisit");
        QVERIFY2(w.dialogs.errors().isEmpty(), qPrintable(w.dialogs.errors().join(u'\n')));
        const auto &docs = w.printer.documents();
        QCOMPARE(docs.size(), 2);
        QCOMPARE(docs[0].name, QStringLiteral("生活リズム"));
        QCOMPARE(docs[0].pages.size(), 1);
        QCOMPARE(docs[0].pages[0].items.first().text, QStringLiteral("生活リズム（ももちゃん）"));
        const auto &visit = docs[1];
        QCOMPARE(visit.name, QStringLiteral("受診用の記録"));
        QVERIFY(visit.ended);
        QVERIFY2(visit.pages.size() <= 2, qPrintable(QString::number(visit.pages.size())));
        QStringList texts;
        int pictures = 0;
        for (const auto &page : visit.pages)
            for (const auto &item : page.items) {
                texts.append(item.text);
                pictures += item.kind == RecordingPrinter::Item::Kind::Image;
                QVERIFY(item.position.y() + item.font.pointSizeF() * 25.4 / 72 <= visit.pageSize.height());
            }
        QCOMPARE(pictures, 1);
        QCOMPARE(texts.first(), QStringLiteral("受診用の記録"));
        QVERIFY(texts.contains(QStringLiteral("ももちゃん　2026/11/30〜2026/12/6")));
        for (int d = 0; d < care::VisitDays; ++d)
            QVERIFY(texts.contains(care::rhythmDayLabel(Today.addDays(-d))));
        QVERIFY(!texts.contains(care::rhythmDayLabel(Today.addDays(-7))));
        // Every entry of the week is in the list.
        QCOMPARE(texts.join(u'\n').count(QStringLiteral(" おしっこ")), 7 * 7);
    }

    void csvExport_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("file"); // "" when refused
        QTest::addColumn<QString>("said");
        QTest::newRow("the last 7 days as offered")
            << QString() << QString() << "お世話記録_20261130-20261206.csv"
            << "お世話記録を書き出しました。\n%1";
        QTest::newRow("one day, typed") << "2026/12/1"
                                        << "12/1"
                                        << "お世話記録_20261201-20261201.csv"
                                        << "お世話記録を書き出しました。\n%1";
        QTest::newRow("end before start")
            << "2026/12/6"
            << "2026/12/1" << QString()
            << "期間の終わり（2026/12/01）が始め（2026/12/06）より前になっています。";
        QTest::newRow("not a date")
            << "2026/13/1"
            << "2026/12/1" << QString()
            << "書き出す期間の始めが日付になっていません。2026/12/8 のように入れてください。";
    }

    void csvExport()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, file);
        QFETCH(QString, said);
        Window w;
        const QString documents = m_home.filePath(QStringLiteral("Documents"));
        QDir(documents).removeRecursively();
        QDir().mkpath(documents);
        const QString path = documents + u'/' + file;
        if (file.isEmpty())
            w.dialogs.expectWarning(QStringLiteral("CSVに書き出す"), said);
        else
            w.dialogs.expectInformation(QStringLiteral("CSVに書き出す"), said.arg(path));
        if (!from.isEmpty()) {
            w.type("txtCsvFrom", from);
            w.type("txtCsvTo", to);
        }
        w.press("cmdCsv");
        QVERIFY2(w.dialogs.errors().isEmpty(), qPrintable(w.dialogs.errors().join(u'\n')));
        QCOMPARE(QDir(documents).entryList(QDir::Files), file.isEmpty() ? QStringList() : QStringList{file});
        if (file.isEmpty())
            return;
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF" +
                                 QStringLiteral("日付,時刻,種類,量,終了,メモ,記録した人\r\n").toUtf8()));
        QVERIFY(bytes.contains("2026/12/01"));
        QVERIFY(!bytes.contains("2026/11/29"));
        QVERIFY(!QFile::exists(w.notebook.path(file)));
    }
};

QTEST_MAIN(CareChartsWindowTest)
#include "care_charts_window_test.moc"
