#include "Ratios.h"

#include <algorithm>
#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& reports) {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.error_occurred)
            continue;
        const double seconds =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (run.run_type == Run::RT_Iteration)
            runs_[run.benchmark_name()].push_back(seconds);
        else if (run.aggregate_name == "median")
            medians_[run.run_name.str()] = seconds;
    }
}

double RatioReporter::seconds(const std::string& name) const {
    if (const auto median = medians_.find(name); median != medians_.end())
        return median->second;
    const auto it = runs_.find(name);
    if (it == runs_.end() || it->second.empty())
        return -1;
    std::vector<double> sorted = it->second;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

double RatioReporter::ratio(const std::string& measured, const std::string& floor) const {
    const double m = seconds(measured);
    const double f = seconds(floor);
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
