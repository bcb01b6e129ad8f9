#include "rowids.h"

#include <algorithm>

void RowIds::assignRun(qint64 first, qint64 count)
{
    clear();
    if (count > 0)
        m_runs.push_back({0, first, count});
    m_size = qMax<qint64>(0, count);
}

void RowIds::assign(const std::vector<qint64> &ids)
{
    clear();
    for (const qint64 id : ids)
        append(id);
}

void RowIds::clear()
{
    m_runs.clear();
    m_size = 0;
}

std::vector<RowIds::Run>::const_iterator RowIds::runOf(qint64 row) const
{
    auto after =
        std::upper_bound(m_runs.begin(), m_runs.end(), row, [](qint64 r, const Run &run) { return r < run.firstRow; });
    return after - 1;
}

qint64 RowIds::at(qint64 row) const
{
    const auto run = runOf(row);
    return run->firstId + (row - run->firstRow);
}

void RowIds::append(qint64 id)
{
    if (!m_runs.empty() && m_runs.back().firstId + m_runs.back().length == id)
        ++m_runs.back().length;
    else
        m_runs.push_back({m_size, id, 1});
    ++m_size;
}

void RowIds::erase(qint64 row)
{
    auto run = m_runs.begin() + (runOf(row) - m_runs.cbegin());
    const qint64 offset = row - run->firstRow;
    if (run->length == 1) {
        run = m_runs.erase(run);
    } else if (offset == 0) {
        ++run->firstId;
        --run->length;
        ++run;
    } else if (offset == run->length - 1) {
        --run->length;
        ++run;
    } else {
        const Run tail{row + 1, run->firstId + offset + 1, run->length - offset - 1};
        run->length = offset;
        run = m_runs.insert(run + 1, tail);
    }
    for (; run != m_runs.end(); ++run)
        --run->firstRow;
    --m_size;
}
