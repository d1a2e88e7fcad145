#pragma once

// Every figure beside its floor: a benchmark "X/args" is paired with "XFloor/args" (the same
// bytes read, decoded, sorted or formatted without the program's own work), and after the
// runs a table gives each figure's ratio to its floor. A figure may name the most it should
// be as the counter "aim" (a ratio); one that names none aims at 4 times its floor. The table
// says whether each keeps to its aim. The aim holds for the wall time, what a user waits for;
// the CPU time stands beside it, so that a wait on the disk shows as the gap between the two.
// A figure measured in other processes gives their CPU time as the counter "cpu_ms".
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class FloorReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            Figure &f = m_figures[run.benchmark_name()];
            const double toMs = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            f.ms.push_back(run.GetAdjustedRealTime() * toMs);
            const auto cpu = run.counters.find("cpu_ms");
            f.cpuMs.push_back(cpu != run.counters.end() ? cpu->second.value
                                                        : run.GetAdjustedCPUTime() * toMs);
            if (const auto aim = run.counters.find("aim"); aim != run.counters.end())
                f.aim = aim->second.value;
            if (const auto rss = run.counters.find("rss_mib"); rss != run.counters.end())
                f.rssMib = rss->second.value;
            if (const auto aim = run.counters.find("rss_aim"); aim != run.counters.end())
                f.rssAim = aim->second.value;
            if (std::find(m_order.begin(), m_order.end(), run.benchmark_name()) == m_order.end())
                m_order.push_back(run.benchmark_name());
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-52s %10s %10s %8s %6s %10s %10s %8s\n", "figure", "wall ms", "floor ms", "ratio",
                    "aim", "cpu ms", "floor cpu", "ratio");
        for (const std::string &name : m_order) {
            if (isFloor(name))
                continue;
            const Figure &f = m_figures[name];
            const auto floor = m_figures.find(floorName(name));
            if (floor == m_figures.end()) {
                std::printf("%-52s %10.3f %10s %8s %6s %10.3f\n", name.c_str(), median(f.ms), "(no floor)",
                            "", "", median(f.cpuMs));
                continue;
            }
            const double ratio = median(f.ms) / median(floor->second.ms);
            std::printf("%-52s %10.3f %10.3f %8.2f", name.c_str(), median(f.ms), median(floor->second.ms),
                        ratio);
            std::printf(" %6.2f %-4s", f.aim, ratio <= f.aim ? "ok" : "OVER");
            const double floorCpu = median(floor->second.cpuMs);
            std::printf(" %10.3f %10.3f %8.2f\n", median(f.cpuMs), floorCpu,
                        floorCpu > 0 ? median(f.cpuMs) / floorCpu : 0.0);
            // The resident memory beside the floor's, where both report it (in MiB, not ms).
            if (f.rssMib > 0 && floor->second.rssMib > 0) {
                const double memory = f.rssMib / floor->second.rssMib;
                std::printf("%-52s %10.1f %10.1f %8.2f", (name + " [MiB]").c_str(), f.rssMib,
                            floor->second.rssMib, memory);
                if (f.rssAim > 0)
                    std::printf(" %6.2f %s", f.rssAim, memory <= f.rssAim ? "ok" : "OVER");
                std::printf("\n");
            }
        }
        std::fflush(stdout);
    }

private:
    struct Figure {
        std::vector<double> ms;    // wall time
        std::vector<double> cpuMs; // CPU time
        double aim = 4; // unless the figure names its own
        double rssMib = 0;
        double rssAim = 0;
    };

    static std::string floorName(const std::string &name)
    {
        const auto slash = name.find('/');
        return slash == std::string::npos ? name + "Floor"
                                          : name.substr(0, slash) + "Floor" + name.substr(slash);
    }
    static bool isFloor(const std::string &name)
    {
        const std::string base = name.substr(0, name.find('/'));
        return base.size() >= 5 && base.compare(base.size() - 5, 5, "Floor") == 0;
    }
    static double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }

    std::map<std::string, Figure> m_figures;
    std::vector<std::string> m_order;
};

// The benchmarks of this program, reported with their floors.
inline int runBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    FloorReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
