// The recipe tools at capacity: 1000 recipes with long texts. Each search key beside a floor
// of the same comparisons done the simplest way (and the aim of 2 ms a key); the graph screens
// opened beside bare charts of the same counts; the menu of all 1000 recipes printed to a PDF
// beside decoding the same pictures alone, with the peak memory of each.
#include "core/text/fonts.h"
#include "core/pictures/pictures.h"
#include "core/recipe_tools/recipe_print.h"
#include "core/recipe_tools/recipe_search.h"
#include "core/recipes/recipe_store.h"
#include "floor_report.h"
#include "generators.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/recipe_tools/graph_screens.h"
#include "ui/widgets/qt_printer.h"

#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPieSeries>
#include <QSet>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <sys/resource.h>

namespace {

const QList<Recipe> &capacity()
{
    static const QList<Recipe> recipes = parseRecipes(generators::recipeFile(RecipeCapacity)).recipes;
    return recipes;
}

QStringList names()
{
    QStringList n;
    for (const Recipe &r : capacity())
        n.append(r.name);
    return n;
}

double peakMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

SearchKeys typicalKeys()
{
    SearchKeys k;
    k.name = QStringLiteral("がゆ");
    k.ingredients = {QStringLiteral("にんじん"), QStringLiteral("だし"), QString(), QString(),
                     QStringLiteral("少々")};
    k.steps = QStringLiteral("弱火");
    k.memo = QStringLiteral("見つからない言葉");
    k.stage = QStringLiteral("モグモグ期");
    k.timeLow = QStringLiteral("10");
    k.timeHigh = QStringLiteral("３０");
    k.selfEval = QStringLiteral("優");
    k.countLow = QStringLiteral("1");
    k.countHigh = QStringLiteral("5");
    k.ref = QStringLiteral("離乳食");
    return k;
}

} // namespace

// Floor: the same comparisons over the same fields done the simplest way (QStringView::contains,
// ==, numbers read once), over the whole table, and again for the narrowing, whose rows are
// matched to the passing recipes by name.
static void BM_SearchKeyFloor(benchmark::State &state)
{
    const auto key = SearchKey(state.range(0));
    const SearchKeys k = typicalKeys();
    const QList<Recipe> &recipes = capacity();
    const float timeLow = k.timeLow.toFloat(), timeHigh = QStringLiteral("30").toFloat();
    const double countLow = k.countLow.toDouble(), countHigh = k.countHigh.toDouble();
    auto passes = [&](const Recipe &r) {
        auto has = [](const QString &field, const QString &word) { return word.isEmpty() || QStringView(field).contains(word); };
        auto is = [](const QString &field, const QString &choice) { return choice.isEmpty() || field == choice; };
        switch (key) {
        case SearchKey::Name:
            return has(r.name, k.name);
        case SearchKey::Ingredients:
            return std::all_of(k.ingredients.begin(), k.ingredients.end(),
                               [&](const QString &w) { return has(r.ingredients, w); });
        case SearchKey::Steps:
            return has(r.steps, k.steps);
        case SearchKey::Memo:
            return has(r.memo, k.memo);
        case SearchKey::Category:
            return is(r.stage, k.stage) && is(r.kind, k.kind) && is(r.method, k.method);
        case SearchKey::Time:
            return timeLow <= r.time && r.time < timeHigh;
        case SearchKey::Evaluation:
            return is(r.selfEval, k.selfEval) && is(r.childEval, k.childEval);
        case SearchKey::CookCount: {
            const double c = r.cookCount.toDouble();
            return countLow <= c && c < countHigh;
        }
        case SearchKey::Reference:
            return has(r.ref, k.ref);
        }
        return false;
    };
    for (auto _ : state) {
        QStringList found;
        for (const Recipe &r : recipes)
            if (passes(r))
                found.append(r.name);
        benchmark::DoNotOptimize(found.size());
        // Narrowing keeps a listed row when a recipe of its name passes: the passing names
        // in a set, and each row of the list (here the whole table) looked up in it.
        QSet<QString> passing;
        for (const Recipe &r : recipes)
            if (passes(r))
                passing.insert(r.name);
        QStringList kept;
        for (const Recipe &r : recipes)
            if (passing.contains(r.name))
                kept.append(r.name);
        benchmark::DoNotOptimize(kept.size());
    }
}
BENCHMARK(BM_SearchKeyFloor)->DenseRange(0, int(SearchKey::Reference))->Unit(benchmark::kMillisecond);

// Each key over the whole table, then narrowing the whole list by it.
static void BM_SearchKey(benchmark::State &state)
{
    const auto key = SearchKey(state.range(0));
    const SearchKeys k = typicalKeys();
    const QStringList n = names();
    const QList<Recipe> &recipes = capacity();
    const auto passes = [&](int i) { return passesKey(key, k, recipes[i]); };
    qsizetype found = 0;
    for (auto _ : state) {
        found = searchWhole(n, passes).size();
        benchmark::DoNotOptimize(searchNarrow(n, n, passes));
    }
    state.counters["found"] = double(found);
    state.counters["aim_ms"] = 2;
}
BENCHMARK(BM_SearchKey)->DenseRange(0, int(SearchKey::Reference))->Unit(benchmark::kMillisecond);

// Opening a graph screen on the statistics of the full book.
static void BM_OpenGraphScreen(benchmark::State &state)
{
    static TestNotebook t;
    static ScriptedDialogs dialogs;
    static RecipeBook &book = []() -> RecipeBook & {
        t.notebook().recipes.recipes() = capacity();
        countRecipeStats(capacity(), t.notebook().recipes.stats);
        return t.notebook().recipes;
    }();
    Q_UNUSED(book);
    QtPrinter printer(t.dir());
    for (auto _ : state) {
        if (state.range(0) == 1) {
            ClassificationGraphScreen s(t.notebook(), dialogs, printer);
            s.load();
            s.show();
            QCoreApplication::processEvents();
        } else {
            EvaluationGraphScreen s(t.notebook(), dialogs, printer);
            s.load();
            s.show();
            QCoreApplication::processEvents();
        }
    }
}
BENCHMARK(BM_OpenGraphScreen)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Floor: a bare window of pie charts of the same counts (stages, kinds and methods; or evaluated
// or not and the two evaluations), each with a title and a caption, count and share label for
// every slice, shown once.
static void BM_OpenGraphScreenFloor(benchmark::State &state)
{
    RecipeStats stats;
    countRecipeStats(capacity(), stats);
    QList<QList<qint16>> charts;
    if (state.range(0) == 1)
        charts = {QList<qint16>(stats.stageCount.begin(), stats.stageCount.end()),
                  QList<qint16>(stats.kindCount.begin(), stats.kindCount.end()),
                  QList<qint16>(stats.methodCount.begin(), stats.methodCount.end())};
    else
        charts = {{qint16(stats.evaluatedCount), qint16(stats.unevaluatedCount)},
                  QList<qint16>(stats.selfEvalCount.begin(), stats.selfEvalCount.end()),
                  QList<qint16>(stats.childEvalCount.begin(), stats.childEvalCount.end())};
    for (auto _ : state) {
        QWidget window;
        auto *layout = new QGridLayout(&window);
        int row = 0;
        for (const QList<qint16> &counts : charts) {
            layout->addWidget(new QLabel(QStringLiteral("グラフ")), row++, 0);
            auto *chart = new QChart;
            auto *pie = new QPieSeries(chart);
            for (int i = 0; i < counts.size(); ++i) {
                pie->append(QString::number(i), counts[i]);
                layout->addWidget(new QLabel(QStringLiteral("項目%1").arg(i)), row, 1);
                layout->addWidget(new QLabel(QString::number(counts[i])), row, 2);
                layout->addWidget(new QLabel(QStringLiteral("%1%").arg(counts[i] / 10.0)), row++, 3);
            }
            chart->addSeries(pie);
            layout->addWidget(new QChartView(chart), row++, 0, 1, 4);
        }
        window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenGraphScreenFloor)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A folder with a real picture for every tenth dish; the others print NOPIC.JPG.
static TestNotebook &pictureBook()
{
    static TestNotebook t = [] {
        TestNotebook n;
        const QImage photo(sampleNotebookDir() + QStringLiteral("/十倍がゆ.jpg"));
        for (int i = 0; i < RecipeCapacity; i += 10)
            photo.save(n.path(capacity()[i].name + QStringLiteral(".jpg")));
        return n;
    }();
    return t;
}

// Floor: decoding the same pictures at print size (each dish's own, the placeholder once),
// nothing drawn.
static void BM_MenuPrintToPdfFloor(benchmark::State &state)
{
    TestNotebook &t = pictureBook();
    for (auto _ : state) {
        MenuPictures picture(t.notebook().folder());
        for (const Recipe &r : capacity())
            benchmark::DoNotOptimize(picture(r.name, menuPicturePixels()));
    }
    state.counters["peak_MB"] = peakMb();
}
BENCHMARK(BM_MenuPrintToPdfFloor)->Unit(benchmark::kMillisecond)->Iterations(1);

// The menu of all 1000 recipes (67 pages) into a PDF file.
static void BM_MenuPrintToPdf(benchmark::State &state)
{
    TestNotebook &t = pictureBook();
    QtPrinter printer(t.dir(), QtPrinter::Target::PdfFile);
    const QStringList n = names();
    for (auto _ : state) {
        printer.begin(QStringLiteral("メニュー"));
        drawMenu(printer, n, 1, RecipeCapacity, recipeGothicFace(), MenuPictures(t.notebook().folder()));
        printer.end();
    }
    state.counters["peak_MB"] = peakMb();
    state.counters["pdf_MB"] = QFileInfo(printer.pdfPath()).size() / 1048576.0;
}
BENCHMARK(BM_MenuPrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installJapaneseFonts();
    return runBenchmarks(argc, argv);
}
