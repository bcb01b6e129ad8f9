#pragma once

#include <benchmark/benchmark.h>
#include <vector>

/// CSV with every counter of every benchmark as a column. The library's
/// own CSV reporter takes its columns from the first benchmark and aborts
/// at the first one that reports a counter it did not; here benchmarks
/// carry different figures, so the rows are kept until the end and a run
/// without a counter leaves its cell empty.
class CsvReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::vector<Run> m_runs;
};
