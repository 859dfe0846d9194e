#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report of Google Benchmark, keeping each benchmark's CPU time per iteration so
// that the figures can be set against their floors once every benchmark has run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override;

    // CPU seconds per iteration of the named benchmark ("LoadCfgFile/1000"): the median over its
    // repetitions, or < 0 when it did not run.
    double seconds(const std::string& name) const;

    // The same for the wall-clock time, which includes waiting for the disk.
    double realSeconds(const std::string& name) const;

    // measured / floor, or < 0 when either is missing.
    double ratio(const std::string& measured, const std::string& floor) const;
    double realRatio(const std::string& measured, const std::string& floor) const;

private:
    struct Times {
        std::map<std::string, std::vector<double>> runs;
        std::map<std::string, double> medians;
        double seconds(const std::string& name) const;
    };
    Times cpu_;
    Times real_;
};

// One line "what: ratio x (target <= limit x) ok|MISSED" on stdout, or without a target when
// `limit` is 0; returns whether it met the target.
bool printRatio(const std::string& what, double ratio, double limit);
