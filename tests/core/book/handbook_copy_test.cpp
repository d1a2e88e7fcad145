// 母子手帳に書き写す on the sample notebook (もも, born 1995/02/15): what each part of the page
// takes from the notebook for an age, what it leaves out, and the one A4 page it prints on.
#include "core/book/handbook_copy.h"
#include "core/book/notebook.h"
#include "recording_printer.h"
#include "test_notebook.h"

#include <QtTest>

class HandbookCopyTest : public QObject
{
    Q_OBJECT
private slots:
    void sixMonths();
    void ageNow_data();
    void ageNow();
    void withoutBirthDate();
};

namespace {

QStringList lines(const QList<handbook_copy::Line> &part)
{
    QStringList out;
    for (const handbook_copy::Line &l : part)
        out.append(l.caption + u'=' + l.value);
    return out;
}

} // namespace

// The 6〜7か月 page (1995/08/15〜1995/10/14): its check-up and a free one inside the period,
// not the 1か月 one; the diary's nearest measures to 1995/09/14; doses and firsts up to its end.
void HandbookCopyTest::sixMonths()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readProfile();
    nb.readDiary();
    nb.readTable(NotebookTable::Checkups);
    QVERIFY(nb.addCheckup({u"1か月"_qs, u"1995/03/20"_qs, u"53.0"_qs, u"4100"_qs, {}, {}, {}, {}}).ok);
    QVERIFY(nb.addCheckup({u"6〜7か月"_qs, u"1995/09/01"_qs, u"67.5"_qs, u"7800"_qs, u"43.1"_qs, {},
                           u"発育良好"_qs, {}})
                .ok);
    QVERIFY(nb.addCheckup({u"かかりつけ"_qs, u"1995/10/01"_qs, {}, u"8000"_qs, {}, {}, {}, u"かぜ"_qs}).ok);
    QVERIFY(nb.markVaccination({u"hib-1"_qs, u"1995/05/15"_qs, u"AB1"_qs, u"さくら小児科"_qs, {}}).ok);
    QVERIFY(nb.markVaccination({u"hib-2"_qs, u"1995/11/01"_qs, {}, {}, {}}).ok);
    QVERIFY(nb.addMilestone({u"寝返り"_qs, u"1995/07/27"_qs, {}}).ok);
    QVERIFY(nb.addMilestone({u"ひとり歩き"_qs, u"1996/02/20"_qs, {}}).ok);

    QString refusal;
    const handbook_copy::Sheet sheet = handbook_copy::sheetFor(nb, handbook_copy::ages()[2], &refusal);
    QCOMPARE(refusal, QString());
    QCOMPARE(sheet.title, u"母子手帳に書き写す（6〜7か月のころ）"_qs);
    QCOMPARE(sheet.period, u"1995/08/15〜1995/10/14"_qs);
    QCOMPARE(lines(sheet.checkups),
             QStringList({u"健診=6〜7か月　1995/09/01（生後6か月17日）"_qs, u"身長=67.5 cm"_qs, u"体重=7800 g"_qs,
                          u"頭囲=43.1 cm"_qs, u"胸囲=—"_qs, u"医師の所見=発育良好"_qs,
                          u"健診=かかりつけ　1995/10/01（生後7か月16日）"_qs, u"身長=—"_qs, u"体重=8000 g"_qs,
                          u"頭囲=—"_qs, u"胸囲=—"_qs, u"メモ=かぜ"_qs}));
    QCOMPARE(lines(sheet.measures), QStringList({u"身長=68 cm　1995/09/16（生後7か月1日）"_qs,
                                                 u"体重=7900 g　1995/09/16（生後7か月1日）"_qs}));
    QCOMPARE(lines(sheet.vaccinations), QStringList({u"Hib（ヒブ） 1回目=1995/05/15　ロット AB1　さくら小児科"_qs}));
    QCOMPARE(lines(sheet.milestones), QStringList({u"寝返り=1995/07/27（生後5か月12日）"_qs}));

    RecordingPrinter printer;
    QCOMPARE(handbook_copy::print(printer, sheet), QString());
    QCOMPARE(printer.pageCount(), 1);
    const QStringList texts = printer.texts();
    for (const QString &expected : {u"母子手帳に書き写す（6〜7か月のころ）"_qs, u"発育良好"_qs, u"寝返り"_qs,
                                    u"この紙を見ながら、母子健康手帳の「6〜7か月」のページに書き写してください。"_qs})
        QVERIFY2(texts.contains(expected), qPrintable(expected));
    for (const RecordingPrinter::Item &item : printer.documents().first().pages.first().items)
        QVERIFY(item.position.y() < 277);
}

void HandbookCopyTest::ageNow_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("age");
    QTest::newRow("a week old") << QDate(2025, 6, 17) << u"1か月"_qs;
    QTest::newRow("5 months") << QDate(2025, 11, 20) << u"3〜4か月"_qs;
    QTest::newRow("the day of 6 months") << QDate(2025, 12, 10) << u"6〜7か月"_qs;
    QTest::newRow("1 year 5 months") << QDate(2026, 11, 30) << u"1歳"_qs;
    QTest::newRow("five") << QDate(2030, 6, 10) << u"3歳"_qs;
}

void HandbookCopyTest::ageNow()
{
    QFETCH(QDate, today);
    QFETCH(QString, age);
    QCOMPARE(handbook_copy::ages()[handbook_copy::ageNow(QDate(2025, 6, 10), today)].label, age);
}

// No birth date: the same words as the vaccination plan, and nothing to print.
void HandbookCopyTest::withoutBirthDate()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.profile.birthDate.clear();
    QString refusal;
    const handbook_copy::Sheet sheet = handbook_copy::sheetFor(nb, handbook_copy::ages()[0], &refusal);
    QVERIFY(!refusal.isEmpty());
    QVERIFY(sheet.title.isEmpty());
}

QTEST_MAIN(HandbookCopyTest)
#include "handbook_copy_test.moc"
