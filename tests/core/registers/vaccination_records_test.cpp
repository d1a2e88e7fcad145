// Doses given: a late dose moves the vaccine's next ones by the table's least interval (never
// before their standard dates), the marks of the list, and 予防接種の記録.txt's bytes as the
// Notebook writes them.
#include "core/book/notebook.h"
#include "core/registers/vaccination_print.h"
#include "core/registers/vaccinations.h"
#include "recording_printer.h"
#include "test_notebook.h"

#include <QtTest>

class VaccinationRecordsTest : public QObject
{
    Q_OBJECT
private slots:
    void afterGiven_data();
    void afterGiven();
    void marks_data();
    void marks();
    void fileBytes();
    void printsOnOnePage();
};

namespace {

QHash<QString, QDate> days(const QStringList &pairs)
{
    QHash<QString, QDate> out;
    for (const QString &p : pairs)
        out.insert(p.section(u'=', 0, 0), QDate::fromString(p.section(u'=', 1), Qt::ISODate));
    return out;
}

} // namespace

// Born 2023/06/10 (Hib and 4種混合 years): Hib standard 08/10, 09/10, 10/10, then 2024/05/10.
void VaccinationRecordsTest::afterGiven_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("expected"); // id=date after the doses given
    QTest::newRow("none given") << QStringList()
                                << QStringList{"hib-2=2023-09-10", "hib-4=2024-05-10", "hepb-3=2024-01-10"};
    QTest::newRow("Hib 1 on time: 2 stays at its standard date")
        << QStringList{"hib-1=2023-08-10"} << QStringList{"hib-1=2023-08-10", "hib-2=2023-09-10"};
    QTest::newRow("Hib 1 early: never before the standard date")
        << QStringList{"hib-1=2023-08-01"} << QStringList{"hib-2=2023-09-10", "hib-3=2023-10-10"};
    QTest::newRow("Hib 1 late: 27 days, and on down the series")
        << QStringList{"hib-1=2023-09-01"}
        << QStringList{"hib-2=2023-09-28", "hib-3=2023-10-25", "hib-4=2024-05-25", "pcv-2=2023-09-10"};
    QTest::newRow("Hib 2 given late keeps its day") << QStringList{"hib-1=2023-08-10", "hib-2=2023-12-01"}
                                                    << QStringList{"hib-2=2023-12-01", "hib-3=2023-12-28"};
    QTest::newRow("HepB 3 counts 139 days from the first")
        << QStringList{"hepb-1=2023-10-01"} << QStringList{"hepb-2=2023-10-28", "hepb-3=2024-02-17"};
    QTest::newRow("4種混合 booster 6 months after the third")
        << QStringList{"dpt4-3=2024-03-01"} << QStringList{"dpt4-4=2024-10-10"};
}

void VaccinationRecordsTest::afterGiven()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, expected);
    const QList<vaccinations::Planned> plan = vaccinations::afterGiven(
        vaccinations::plan(vaccinations::shippedTable(), QDate(2023, 6, 10), {}), days(given));
    QHash<QString, QDate> got;
    for (const vaccinations::Planned &p : plan)
        got.insert(p.dose.id, p.date);
    for (const auto &[id, date] : days(expected).asKeyValueRange())
        QVERIFY2(got.value(id) == date, qPrintable(id + u' ' + got.value(id).toString(Qt::ISODate)));
}

// Hib 2 of a child born 2023/06/10: standard 2023/09/10, period to 2024/06/09.
void VaccinationRecordsTest::marks_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("given");
    QTest::addColumn<QString>("mark");
    QTest::newRow("given") << QDate(2024, 7, 1) << QDate(2023, 9, 12) << u"済 2023/09/12"_qs;
    QTest::newRow("ahead") << QDate(2023, 8, 1) << QDate() << u"予定 2023/09/10"_qs;
    QTest::newRow("30 days before the last") << QDate(2024, 5, 10) << QDate() << u"予定 2023/09/10"_qs;
    QTest::newRow("29 days before the last")
        << QDate(2024, 5, 11) << QDate() << u"期限が近い（2024/06/09まで）"_qs;
    QTest::newRow("the last day") << QDate(2024, 6, 9) << QDate() << u"期限が近い（2024/06/09まで）"_qs;
    QTest::newRow("after the last") << QDate(2024, 6, 10) << QDate() << u"期限切れ"_qs;
}

void VaccinationRecordsTest::marks()
{
    QFETCH(QDate, today);
    QFETCH(QDate, given);
    for (const vaccinations::Planned &p :
         vaccinations::plan(vaccinations::shippedTable(), QDate(2023, 6, 10), {}))
        if (p.dose.id == u"hib-2"_qs)
            QTEST(vaccinations::doseMark(p, today, given), "mark");
}

// One quoted line a dose; marking a dose again rewrites its line in place.
void VaccinationRecordsTest::fileBytes()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readTable(NotebookTable::VaccinationRecords);
    QSignalSpy changed(&nb, &Notebook::changed);
    QVERIFY(nb.markVaccination({u"hib-1"_qs, u"2026/08/06"_qs, u"AB123"_qs, u"さくら小児科"_qs, {}}).ok);
    QVERIFY(nb.markVaccination({u"bcg"_qs, u"2026/11/06"_qs, {}, u"保健センター"_qs, u"はれた～"_qs}).ok);
    QVERIFY(nb.markVaccination({u"hib-1"_qs, u"2026/08/07"_qs, u"AB124"_qs, u"さくら小児科"_qs, {}}).ok);
    QCOMPARE(
        t.bytes(u"予防接種の記録.txt"_qs),
        QByteArray(
            "\"hib-1\",\"2026/08/07\",\"AB124\",\"\x82\xb3\x82\xad\x82\xe7\x8f\xac\x8e\x99\x89\xc8\",\"\"\r\n"
            "\"bcg\",\"2026/11/"
            "06\",\"\",\"\x95\xdb\x8c\x92\x83Z\x83\x93\x83^\x81[\",\"\x82\xcd\x82\xea\x82\xbd\x81`\"\r\n"));
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.last().first().value<NotebookChange>().kind, NotebookChange::Kind::Anew);
    QCOMPARE(nb.vaccinationRecords.first().lot, u"AB124"_qs);
}

// Every dose of a three-year-old's plan on one page; the one given with its day, lot and clinic,
// one past its period in red.
void VaccinationRecordsTest::printsOnOnePage()
{
    const QList<vaccination_records::Entry> given{
        {u"hib-1"_qs, u"2023/09/01"_qs, u"AB1"_qs, u"さくら"_qs, {}}};
    const QList<vaccinations::Planned> plan =
        vaccinations::afterGiven(vaccinations::plan(vaccinations::shippedTable(), QDate(2023, 6, 10), {}),
                                 vaccination_records::givenDays(given));
    RecordingPrinter printer;
    QCOMPARE(vaccination_records::print(printer, plan, given, QDate(2026, 7, 1), u"もも"_qs), QString());
    QCOMPARE(printer.pageCount(), 1);
    const QStringList texts = printer.texts();
    QVERIFY(texts.contains(u"予防接種の記録（もも）"_qs));
    const qsizetype hib = texts.indexOf(u"Hib（ヒブ） 1回目"_qs);
    QCOMPARE(texts.mid(hib, 4),
             QStringList({u"Hib（ヒブ） 1回目"_qs, u"済 2023/09/01"_qs, u"AB1"_qs, u"さくら"_qs}));
    for (const RecordingPrinter::Item &item : printer.documents().first().pages.first().items) {
        QVERIFY(item.position.y() < 277);
        if (item.text == u"期限切れ"_qs)
            QCOMPARE(item.color, QColor(200, 0, 0));
    }
    QVERIFY(texts.contains(u"期限切れ"_qs));
}

QTEST_MAIN(VaccinationRecordsTest)
#include "vaccination_records_test.moc"
