#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Prints Google Benchmark's usual table and keeps each benchmark's mean real
// time, so a program can end with its "metric NAME VALUE UNIT" lines.
class MetricReporter : public benchmark::ConsoleReporter
{
public:
    // Plain text: the metric lines are read by scripts.
    MetricReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    // Mean real time of one iteration, in nanoseconds.
    double nanoseconds(const std::string& benchmarkName) const;

    static void print(const std::string& name, double value, const std::string& unit);
    // The most memory this process has held so far, in MB.
    static double peakMegabytes();
    // Runs every registered benchmark with this reporter.
    static MetricReporter run(int argc, char** argv);

private:
    std::map<std::string, double> m_nanoseconds;
};
