#include "csvreporter.h"

#include <ostream>
#include <set>
#include <string>

namespace {
std::string quoted(const std::string &text)
{
    std::string q = "\"";
    for (char c : text)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + '"';
}
} // namespace

bool CsvReporter::ReportContext(const Context &context)
{
    PrintBasicContext(&GetErrorStream(), context);
    return true;
}

void CsvReporter::ReportRuns(const std::vector<Run> &runs)
{
    m_runs.insert(m_runs.end(), runs.begin(), runs.end());
}

void CsvReporter::Finalize()
{
    std::set<std::string> counters;
    for (const Run &run : m_runs)
        for (const auto &counter : run.counters)
            counters.insert(counter.first);
    std::ostream &out = GetOutputStream();
    out << "name,iterations,real_time,cpu_time,time_unit,label,error_occurred,error_message";
    for (const std::string &name : counters)
        out << ',' << quoted(name);
    out << '\n';
    for (const Run &run : m_runs) {
        out << quoted(run.benchmark_name()) << ',' << run.iterations << ',' << run.GetAdjustedRealTime() << ','
            << run.GetAdjustedCPUTime() << ',' << benchmark::GetTimeUnitString(run.time_unit) << ','
            << quoted(run.report_label) << ',' << (run.error_occurred ? "true" : "false") << ','
            << quoted(run.error_message);
        for (const std::string &name : counters) {
            out << ',';
            if (const auto found = run.counters.find(name); found != run.counters.end())
                out << found->second.value;
        }
        out << '\n';
    }
}
