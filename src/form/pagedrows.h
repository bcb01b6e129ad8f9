#pragma once

#include <QModelIndex>

#include <iterator>
#include <utility>
#include <vector>

/// A list model whose rows are read a batch at a time, more as a view
/// scrolls to them. A new list replaces the rows by rows out and rows in: a
/// reset would make a view lay out its headers anew at every key, and an
/// empty list followed by an empty one would still repaint. A view asks for
/// more as each change ends; none is fetched until the change is done.
template <typename Base, typename Row>
class PagedRows : public Base {
public:
    using Base::Base;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    bool canFetchMore(const QModelIndex &parent) const override
    {
        return !parent.isValid() && !m_complete && !m_changing;
    }

protected:
    /// Every row anew; complete when there are no more to fetch.
    void replaceRows(std::vector<Row> rows, bool complete)
    {
        m_changing = true;
        if (!m_rows.empty()) {
            this->beginRemoveRows({}, 0, int(m_rows.size()) - 1);
            m_rows.clear();
            this->endRemoveRows();
        }
        if (!rows.empty()) {
            this->beginInsertRows({}, 0, int(rows.size()) - 1);
            m_rows = std::move(rows);
            this->endInsertRows();
        }
        m_changing = false;
        m_complete = complete;
    }
    /// More rows at the end; complete when there are no more after them.
    void appendRows(std::vector<Row> more, bool complete)
    {
        m_complete = complete;
        if (more.empty())
            return;
        m_changing = true;
        this->beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + more.size()) - 1);
        m_rows.insert(m_rows.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
        this->endInsertRows();
        m_changing = false;
    }
    /// No more rows will be fetched (a read failed, say).
    void stopFetching() { m_complete = true; }

    const std::vector<Row> &rows() const { return m_rows; }
    /// The rows' values in place, the count unchanged; the caller tells a
    /// view which changed.
    std::vector<Row> &rowsInPlace() { return m_rows; }

private:
    std::vector<Row> m_rows;
    bool m_complete = true;
    bool m_changing = false;
};
