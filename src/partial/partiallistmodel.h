#pragma once

#include "callindex.h"

#include "repeats/repeatrules.h"

#include <QAbstractListModel>
#include <QFont>
#include <QTimer>

#include <functional>
#include <vector>

class PartialCalls;
class Store;

/// The calls holding the fragment typed last: the log's first, newest
/// first, then the file's, alphabetically. Rows are found only as far as the
/// window shows them, more as it scrolls.
class PartialListModel : public QAbstractListModel {
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

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

signals:
    void statusChanged(const QString &text);
    /// The repeat colours could not be read: said once, until a read succeeds.
    void readFailed(const QString &storeText);

private:
    struct Row {
        QString call;
        bool inLog = false;
        RepeatColour colour = RepeatColour::Normal;
    };
    /// Up to wanted more rows onto rows; m_complete when there are no more.
    void fill(std::vector<Row> &rows, int wanted);
    /// Works out the repeat colours of rows from first on, in one query.
    void markRepeats(std::vector<Row> &rows, size_t first);
    void countAll(int generation);
    void setStatus(qint64 inLog, qint64 inFile);

    PartialCalls &m_calls;
    Store &m_store;
    std::function<RepeatContext()> m_context;
    QString m_fragment;
    QString m_status;
    std::vector<Row> m_rows;
    CallIndex::Cursor m_logCursor, m_fileCursor;
    bool m_complete = true;
    bool m_changing = false; ///< rows going out or in: none fetched meanwhile
    int m_generation = 0;
    bool m_failing = false; ///< the last read failed, and that was said
    bool m_coloured = true;
    QFont m_bold;
    QTimer m_refresh;
};
