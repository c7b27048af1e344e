// The benchmarks measure against a baseline run in the same process and print the ratios after the
// table.  This reporter keeps every benchmark's time per iteration (the median when the runs are
// repeated) under its name, in the benchmark's own time unit, so the ratios are unit-free.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class RunTimes : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With --benchmark_repetitions the median stands for the runs (it comes after them).
        for (const Run& r : runs)
            if ((r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred) ||
                (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")) {
                real_[r.run_name.str()] = r.GetAdjustedRealTime();
                cpu_[r.run_name.str()] = r.GetAdjustedCPUTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }

    // Wall-clock and processor time per iteration; 0 for a benchmark that did not run.
    double Real(const std::string& name) const { return Find(real_, name); }
    double Cpu(const std::string& name) const { return Find(cpu_, name); }

    // One line "NAME  R.RRx BASELINE" in wall-clock time, when both ran.
    void PrintRatio(const char* name, const char* baseline) const
    {
        const double a = Real(name), b = Real(baseline);
        if (a > 0 && b > 0)
            std::printf("%-28s %6.2fx %s\n", name, a / b, baseline);
    }

private:
    static double Find(const std::map<std::string, double>& times, const std::string& name)
    {
        auto it = times.find(name);
        return it == times.end() ? 0.0 : it->second;
    }

    std::map<std::string, double> real_, cpu_;
};

// The whole of a benchmark program's main: runs the benchmarks the arguments choose, then
// print(times) for the ratios.  Returns the exit status (1 for arguments it does not understand).
template <class Print>
int RunAndPrint(int argc, char** argv, Print print)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RunTimes times;
    benchmark::RunSpecifiedBenchmarks(&times);
    print(times);
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
