#pragma once

#include <QtGlobal>

#include <vector>

/// The ids of the log grid's rows, in row order, kept as runs of consecutive
/// ids. A log that has only been added to is one run however long it is, so
/// it opens without reading every id; each deletion splits at most one run.
class RowIds {
public:
    /// count rows with the ids first, first + 1, ...
    void assignRun(qint64 first, qint64 count);
    /// The rows' ids, ascending.
    void assign(const std::vector<qint64> &ids);
    void clear();

    qint64 size() const { return m_size; }
    /// The id of row; row must be below size().
    qint64 at(qint64 row) const;
    /// A new last row; id is above every id already held.
    void append(qint64 id);
    /// Removes row; the rows after it move up by one.
    void erase(qint64 row);

private:
    struct Run {
        qint64 firstRow, firstId, length;
    };
    std::vector<Run>::const_iterator runOf(qint64 row) const;

    std::vector<Run> m_runs; ///< ascending firstRow, no empty run
    qint64 m_size = 0;
};
