#include "Ratios.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& reports) {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred)
            continue;
        seconds_[run.benchmark_name()] =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
}

double RatioReporter::seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    return it == seconds_.end() ? -1 : it->second;
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
