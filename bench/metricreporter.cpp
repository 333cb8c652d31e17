#include "metricreporter.h"

#include <cstdio>
#include <stdexcept>

#if defined(__unix__)
#include <sys/resource.h>
#elif defined(_WIN32)
#include <psapi.h>
#include <windows.h>
#endif

void MetricReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.iterations == 0)
            continue;
        const double perIteration = run.real_accumulated_time / double(run.iterations) * 1e9;
        m_nanoseconds[run.run_name.function_name] = perIteration;
    }
}

double MetricReporter::nanoseconds(const std::string& benchmarkName) const
{
    const auto found = m_nanoseconds.find(benchmarkName);
    if (found == m_nanoseconds.end())
        throw std::runtime_error("no result for " + benchmarkName);
    return found->second;
}

void MetricReporter::print(const std::string& name, double value, const std::string& unit)
{
    std::printf("metric %s %.3f %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

MetricReporter MetricReporter::run(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    MetricReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter;
}

double MetricReporter::peakMegabytes()
{
#if defined(__unix__)
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
#elif defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
#endif
}
