// The Notebook's tables: every edit emits exactly one change naming its table and records, the
// table afterwards is what a fresh read of the file gives, a refused write changes nothing, and
// a file changed by the other computer comes in as one change of its table.
#include "test_notebook.h"

#include <QtTest>

#include <functional>

using Kind = NotebookChange::Kind;
using T = NotebookTable;

namespace {

// The table as text, to compare an edited notebook's memory with a fresh read of its files.
QString tableText(Notebook &nb, NotebookTable table)
{
    switch (table) {
    case T::Schedule:
    case T::GiftsGiven:
    case T::GiftsReceived: {
        QStringList lines;
        for (const QStringList &r : nb.registerTable(table).records())
            lines.append(r.join(u'|'));
        return lines.join(u'\n');
    }
    case T::Anniversaries:
        return nb.anniversaries.join(u'\n');
    case T::Captions:
        return QStringList(nb.captions.begin(), nb.captions.end()).join(u'|');
    case T::GrowthChart:
        return QStringLiteral("%1 %2").arg(int(nb.growthChart.sex)).arg(nb.growthChart.bands);
    case T::FirstFoods: {
        QStringList lines;
        for (const first_foods::Entry &e : nb.firstFoods)
            lines.append(e.food + u'|' + e.date + u'|' + e.reaction + u'|' + e.note);
        return lines.join(u'\n');
    }
    case T::CareLog: {
        QStringList lines;
        for (const care::Entry &e : nb.careLog)
            lines.append(care::lineOf(e));
        return lines.join(QString());
    }
    case T::Checkups: {
        QStringList lines;
        for (const checkups::Entry &e : nb.checkups)
            lines.append(e.fields().join(u'|'));
        return lines.join(u'\n');
    }
    case T::VaccinationRecords: {
        QStringList lines;
        for (const vaccination_records::Entry &e : nb.vaccinationRecords)
            lines.append(e.fields().join(u'|'));
        return lines.join(u'\n');
    }
    case T::GraphLimits:
        return QStringLiteral("%1 %2 %3 %4")
            .arg(nb.limits.heightMin)
            .arg(nb.limits.heightMax)
            .arg(nb.limits.weightMin)
            .arg(nb.limits.weightMax);
    case T::Profile: // the goal save writes the nickname held before; memory takes the typed one
        return QString::number(nb.profile.targetPoint);
    default:
        return {};
    }
}

const first_foods::Entry Egg{QStringLiteral("卵"), QStringLiteral("2026/03/01"), QStringLiteral("あり"), {}};
const first_foods::Entry Carrot{
    QStringLiteral("にんじん"), QStringLiteral("2026/02/10"), QStringLiteral("なし"), {}};

care::Entry careEntry(int hour, care::Kind kind, const QString &amount, const QString &id = {})
{
    care::Entry e;
    e.date = QDate(2026, 12, 8);
    e.time = QTime(hour, 0);
    e.kind = kind;
    e.amount = amount;
    e.id = id;
    return e;
}

struct Edit {
    const char *tag;
    NotebookTable table;
    std::function<WriteResult(Notebook &)> act;
    bool ok;
    Kind kind;
    std::function<QList<int>(Notebook &)> records; // expected, from the table before the edit
};

QList<Edit> edits()
{
    const auto none = [](Notebook &) { return QList<int>(); };
    const auto at = [](QList<int> r) { return [r](Notebook &) { return r; }; };
    const QStringList badRecord{QStringLiteral("2026/12/24"), QStringLiteral("𠮷野家")};
    return {
        {"schedule: two in one write", T::Schedule,
         [](Notebook &nb) {
             return nb.addRegisterRecords(T::Schedule,
                                          {{u"2027/01/05"_qs, u"ヒブ"_qs}, {u"2027/01/05"_qs, u"BCG"_qs}});
         },
         true, Kind::Added,
         [](Notebook &nb) {
             return QList<int>{nb.schedule.count(), nb.schedule.count() + 1};
         }},
        {"schedule: refused", T::Schedule,
         [=](Notebook &nb) { return nb.addRegisterRecords(T::Schedule, {badRecord}); }, false, Kind::Added,
         none},
        {"received: rewritten with a mark", T::GiftsReceived,
         [](Notebook &nb) {
             QList<QStringList> r = nb.giftsReceived.records();
             r[3][2] = QStringLiteral("○");
             return nb.rewriteRegister(T::GiftsReceived, r, {3});
         },
         true, Kind::Anew, at({3})},
        {"given: emptied", T::GiftsGiven, [](Notebook &nb) { return nb.rewriteRegister(T::GiftsGiven, {}); },
         true, Kind::Anew, none},
        {"anniversary: put in order", T::Anniversaries,
         [](Notebook &nb) { return nb.addAnniversary(QStringLiteral("1995/02/16 はじめての沐浴")); }, true,
         Kind::Anew, at({1})},
        {"caption of album 2", T::Captions,
         [](Notebook &nb) { return nb.setAlbumCaption(2, QStringLiteral("公園")); }, true, Kind::Changed,
         at({1})},
        {"growth chart", T::GrowthChart,
         [](Notebook &nb) {
             GrowthChartSettings girlWithoutBands;
             girlWithoutBands.sex = Sex::Girl;
             girlWithoutBands.bands = false;
             return nb.setGrowthChart(girlWithoutBands);
         },
         true, Kind::Changed, at({0})},
        {"first food added between", T::FirstFoods, [](Notebook &nb) { return nb.addFirstFood(Carrot); },
         true, Kind::Anew, at({0})},
        {"first food changed", T::FirstFoods,
         [](Notebook &nb) {
             first_foods::Entry yolk = Egg;
             yolk.food = QStringLiteral("卵黄");
             return nb.changeFirstFood(Egg, yolk);
         },
         true, Kind::Anew, at({0})},
        {"care entry, the latest", T::CareLog,
         [](Notebook &nb) { return nb.addCareEntry(careEntry(12, care::Kind::Pee, {})); }, true, Kind::Added,
         at({2})},
        {"care entry between", T::CareLog,
         [](Notebook &nb) { return nb.addCareEntry(careEntry(8, care::Kind::Formula, u"１６０"_qs)); }, true,
         Kind::Anew, at({1})},
        {"care entry refused", T::CareLog,
         [](Notebook &nb) { return nb.addCareEntry(careEntry(8, care::Kind::Temperature, u"45"_qs)); }, false,
         Kind::Added, none},
        {"care entry moved later", T::CareLog,
         [](Notebook &nb) {
             return nb.changeCareEntry(u"d-00000000000a"_qs, careEntry(11, care::Kind::Formula, u"100"_qs));
         },
         true, Kind::Anew, at({1})},
        {"care entry deleted", T::CareLog,
         [](Notebook &nb) { return nb.changeCareEntry(u"d-00000000000b"_qs, std::nullopt); }, true, Kind::Anew,
         none},
        {"dose given", T::VaccinationRecords,
         [](Notebook &nb) {
             return nb.markVaccination({u"hib-1"_qs, u"2026/08/06"_qs, u"AB1"_qs, {}, {}});
         },
         true, Kind::Added, [](Notebook &nb) { return QList<int>{int(nb.vaccinationRecords.size())}; }},
        {"check-up added", T::Checkups,
         [](Notebook &nb) {
             return nb.addCheckup({u"1か月"_qs, u"2026/04/10"_qs, u"52.0"_qs, u"4200"_qs, {}, {}, {}, {}});
         },
         true, Kind::Added, [](Notebook &nb) { return QList<int>{int(nb.checkups.size())}; }},
        {"graph limits", T::GraphLimits,
         [](Notebook &nb) {
             return nb.setGraphLimits({45, 95, 2500, 15000});
         },
         true, Kind::Changed, none},
        {"nickname and goal", T::Profile,
         [](Notebook &nb) {
             return nb.saveNicknameAndGoal(QStringLiteral("もも"), 150, QStringLiteral(" 150 "));
         },
         true, Kind::Changed, none},
    };
}

} // namespace

class NotebookTablesTest : public QObject
{
    Q_OBJECT
private slots:
    void editEmitsOneChange_data()
    {
        QTest::addColumn<int>("row");
        const QList<Edit> rows = edits();
        for (int i = 0; i < rows.size(); ++i)
            QTest::newRow(rows[i].tag) << i;
    }
    void editEmitsOneChange()
    {
        QFETCH(int, row);
        const Edit e = edits().at(row);
        TestNotebook t;
        t.writeText(first_foods::fileName(), QStringLiteral("\"卵\",\"2026/03/01\",\"あり\",\"\"\r\n"));
        t.writeText(care::fileName(), care::lineOf(careEntry(7, care::Kind::Formula, u"120"_qs, u"d-00000000000a"_qs)) +
                                          care::lineOf(careEntry(10, care::Kind::Pee, {}, u"d-00000000000b"_qs)));
        Notebook &nb = t.notebook();
        nb.readTable(e.table);
        const QString before = tableText(nb, e.table);
        const QList<int> records = e.records(nb);
        QSignalSpy changes(&nb, &Notebook::changed);
        QCOMPARE(e.act(nb).ok, e.ok);
        if (!e.ok) {
            QCOMPARE(changes.count(), 0);
            QCOMPARE(tableText(nb, e.table), before);
            return;
        }
        QCOMPARE(changes.count(), 1);
        const auto change = changes.at(0).at(0).value<NotebookChange>();
        QCOMPARE(change.table, e.table);
        QCOMPARE(change.kind, e.kind);
        QCOMPARE(change.records, records);
        QVERIFY(!change.fromOutside);
        // Memory is what the file now holds.
        QVERIFY(tableText(nb, e.table) != before);
        Notebook fresh(t.dir(), t.clock());
        fresh.readTable(e.table);
        QCOMPARE(tableText(nb, e.table), tableText(fresh, e.table));
    }

    // Every data file changed over there arrives as one change of its table (none for the
    // export written from the growth series).
    void outsideChangeOfEachFile()
    {
        TestNotebook t;
        Notebook &nb = t.notebook();
        for (const QString &name : dataFileNames()) {
            const std::optional<NotebookTable> table = tableOfFile(name);
            if (table)
                nb.readTable(*table);
            else
                nb.files.read(name);
            QVERIFY(nb.checkOutside().isEmpty());
            t.writeText(name, t.text(name) + QStringLiteral("\r\n"));
            QSignalSpy changes(&nb, &Notebook::changed);
            QSignalSpy reloaded(&nb, &Notebook::fileReloaded);
            QCOMPARE(nb.checkOutside(), QStringList{name});
            QCOMPARE(reloaded.count(), 1);
            QCOMPARE(changes.count(), table ? 1 : 0);
            if (!table)
                continue;
            const auto change = changes.at(0).at(0).value<NotebookChange>();
            QCOMPARE(change.table, *table);
            QCOMPARE(change.kind, Kind::Anew);
            QVERIFY2(change.fromOutside, qPrintable(name));
        }
    }
};

QTEST_MAIN(NotebookTablesTest)
#include "notebook_tables_test.moc"
