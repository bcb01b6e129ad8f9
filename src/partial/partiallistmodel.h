#pragma once

#include "callindex.h"

#include "form/pagedrows.h"
#include "repeats/repeatrules.h"

#include <QAbstractListModel>
#include <QFont>
#include <QTimer>

#include <functional>
#include <vector>

class PartialCalls;
class Store;

struct PartialRow {
    QString call;
    bool inLog = false;
    RepeatColour colour = RepeatColour::Normal;
};
using PartialRows = PagedRows<QAbstractListModel, PartialRow>;

/// The calls holding the fragment typed last: the log's first, newest
/// first, then the file's, alphabetically. Rows are found only as far as the
/// window shows them, more as it scrolls.
class PartialListModel : public PartialRows {
    Q_OBJECT
public:
    PartialListModel(PartialCalls &calls, Store &store, std::function<RepeatContext()> context,
                     QObject *parent = nullptr);

    /// The list for fragment, replacing the previous one (fewer than two
    /// characters: none).
    void show(const QString &fragment);
    /// The calls changed: the fragment is looked up again once the event
    /// at hand is handled, unless a new fragment comes first (recording a
    /// QSO changes the calls and then clears the field).
    void refresh() { m_refresh.start(); }
    /// The band, mode or tour changed: the marks are worked out again.
    void contextChanged();
    /// Whether the repeat colours are worked out: only while the list is
    /// seen, since they cost a store query at every key.
    void setColoured(bool on);
    const QString &fragment() const { return m_fragment; }
    const QString &status() const { return m_status; }
    QString call(int row) const;

    QVariant data(const QModelIndex &index, int role) const override;
    void fetchMore(const QModelIndex &parent) override;

signals:
    void statusChanged(const QString &text);
    /// The repeat colours could not be read: said once, until a read succeeds.
    void readFailed(const QString &storeText);

private:
    /// Up to wanted more rows onto rows; true when there are no more.
    bool fill(std::vector<PartialRow> &rows, int wanted);
    /// Works out the repeat colours of rows, in one query.
    void markRepeats(std::vector<PartialRow> &rows);
    void countAll(int generation);
    void setStatus(qint64 inLog, qint64 inFile);

    PartialCalls &m_calls;
    Store &m_store;
    std::function<RepeatContext()> m_context;
    QString m_fragment;
    QString m_status;
    CallIndex::Cursor m_logCursor, m_fileCursor;
    int m_generation = 0;
    bool m_failing = false; ///< the last read failed, and that was said
    bool m_coloured = true;
    QFont m_bold;
    QTimer m_refresh;
};
