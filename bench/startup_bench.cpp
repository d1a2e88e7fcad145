// Start-up as a parent feels it: from main's first line to the main window's first paint
// (offscreen, the splash's two seconds included), on the sample notebook and on a full one
// (1,095 days, 1,000 recipes, 6,500 photos), beside a bare Qt window with the same fonts reading
// the same files and shown after the same wait; the CPU time and the resident memory at that
// moment as counters. Each run is a whole new process.
#include "floor_report.h"
#include "generators.h"
#include "test_notebook.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString folderFor(int full)
{
    static std::unique_ptr<TestNotebook> sample, capacity;
    std::unique_ptr<TestNotebook> &t = full ? capacity : sample;
    if (!t) {
        t = std::make_unique<TestNotebook>();
        if (full) {
            t->writeBytes(QStringLiteral("日記.txt"), generators::diaryFile(1095));
            t->writeBytes(QStringLiteral("レシピ.txt"), generators::recipeFile(1000));
            for (int i = 0; i < 6500; ++i)
                t->writeBytes(QStringLiteral("Photo%1_%2.jpg").arg(i % 4 + 1).arg(i, 4, 10, QChar(u'0')), QByteArray());
        }
    }
    return t->dir();
}

struct Start {
    double ms = -1, rssKb = -1, cpuMs = -1;
};

// One start of program in folder: its first paint's time, resident memory (KiB) and CPU time.
Start startOnce(const QString &program, const QString &folder)
{
    static QTemporaryDir home;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TECHO_BENCH_FIRST_PAINT"), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    p.setProcessEnvironment(env);
    p.start(program, {folder});
    p.waitForFinished(60000);
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    static const QRegularExpression figures(
        QStringLiteral("first_paint_ms=(\\d+) rss_kb=(\\d+) cpu_ms=(\\d+)"));
    const QRegularExpressionMatch m = figures.match(out);
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()};
}

void run(benchmark::State &state, const QString &program)
{
    const QString folder = folderFor(int(state.range(0)));
    double rss = 0, cpu = 0;
    for (auto _ : state) {
        const Start s = startOnce(program, folder);
        if (s.ms < 0) {
            state.SkipWithError("the program did not report its first paint");
            return;
        }
        state.SetIterationTime(s.ms / 1000.0);
        rss = s.rssKb;
        cpu += s.cpuMs;
    }
    state.counters["rss_mib"] = rss / 1024.0;
    state.counters["cpu_ms"] = cpu / double(state.iterations());
}

void StartUp(benchmark::State &state)
{
    run(state, QStringLiteral(TECHO_PROGRAM));
    // The main window within 40 ms of the wait's end; the splash's wait itself is no cost.
    state.counters["aim"] = 1.05;
    state.counters["rss_aim"] = 1.5;
}

void StartUpFloor(benchmark::State &state) { run(state, QStringLiteral(TECHO_STARTUP_FLOOR)); }

} // namespace

BENCHMARK(StartUpFloor)->ArgName("full")->Arg(0)->Arg(1)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(StartUp)->ArgName("full")->Arg(0)->Arg(1)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
