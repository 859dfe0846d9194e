#include "Ratios.h"

#include <algorithm>
#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& reports) {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.error_occurred)
            continue;
        const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
        const std::pair<Times*, double> times[] = {{&cpu_, run.GetAdjustedCPUTime() / unit},
                                                   {&real_, run.GetAdjustedRealTime() / unit}};
        for (const auto& [kind, seconds] : times) {
            if (run.run_type == Run::RT_Iteration)
                kind->runs[run.benchmark_name()].push_back(seconds);
            else if (run.aggregate_name == "median")
                kind->medians[run.run_name.str()] = seconds;
        }
    }
}

double RatioReporter::Times::seconds(const std::string& name) const {
    if (const auto median = medians.find(name); median != medians.end())
        return median->second;
    const auto it = runs.find(name);
    if (it == runs.end() || it->second.empty())
        return -1;
    std::vector<double> sorted = it->second;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

double RatioReporter::seconds(const std::string& name) const {
    return cpu_.seconds(name);
}

double RatioReporter::realSeconds(const std::string& name) const {
    return real_.seconds(name);
}

double RatioReporter::ratio(const std::string& measured, const std::string& floor) const {
    const double m = seconds(measured);
    const double f = seconds(floor);
    return m < 0 || f <= 0 ? -1 : m / f;
}

double RatioReporter::realRatio(const std::string& measured, const std::string& floor) const {
    const double m = realSeconds(measured);
    const double f = realSeconds(floor);
    return m < 0 || f <= 0 ? -1 : m / f;
}

bool printRatio(const std::string& what, double ratio, double limit) {
    if (ratio < 0) {
        std::printf("%-44s not measured\n", what.c_str());
        return false;
    }
    if (limit <= 0) {
        std::printf("%-44s %7.2fx\n", what.c_str(), ratio);
        return true;
    }
    const bool met = ratio <= limit;
    std::printf("%-44s %7.2fx (target <= %.1fx) %s\n", what.c_str(), ratio, limit,
                met ? "ok" : "MISSED");
    return met;
}
