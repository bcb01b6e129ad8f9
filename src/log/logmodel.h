#pragma once

#include "rowids.h"

#include "store/qsorecord.h"

#include <QAbstractTableModel>
#include <QHash>

#include <vector>

class Store;

/// The log grid's result: every QSO in the order of adding. Only the ids are
/// kept in memory, as runs; rows are read from the store a page at a time as
/// the grid shows them, so a log of a million QSOs opens at once.
class LogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LogModel(Store &store, QObject *parent = nullptr);

    /// Reads the log afresh (start-up, clearing, the ADIF export).
    /// Throws StoreError.
    void reload();
    /// Stores a new QSO and appends it as the last row. Throws StoreError.
    void append(const QsoRecord &qso);
    /// Stores the changed fields of the QSO in row (tur and id stay).
    /// Throws StoreError, leaving the row as it was.
    void change(int row, const QsoRecord &qso);
    void remove(int row);
    /// Throws StoreError when the store could not be cleared: the log is
    /// then unchanged.
    void clear();

    QsoRecord record(int row) const;
    qint64 qsoCount() const { return m_ids.size(); }
    /// QSOs plus twice the QSOs that have the worked station's number.
    qint64 points() const { return qsoCount() + 2 * m_workedNumbers; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString fieldText(const QsoRecord &qso, int column);

signals:
    /// A page could not be read while the grid painted; shown once painting is over.
    void readFailed(const QString &storeText) const;
    /// What this program changed in table qso, once the store has it, so
    /// that figures over the log follow without reading it again.
    void qsoAdded(const QsoRecord &qso);
    void qsoChanged(const QsoRecord &before, const QsoRecord &after);
    void qsoRemoved(const QsoRecord &qso);
    void qsosCleared(); ///< once the model holds the cleared log
    /// A QSO was recorded, changed or deleted: the calls it brought in and
    /// the ones it took away (which other QSOs may still hold).
    void callsChanged(const QStringList &added, const QStringList &dropped);

private:
    const std::vector<QsoRecord> &page(int pageIndex) const;
    void forgetPages();

    Store &m_store;
    RowIds m_ids;
    qint64 m_workedNumbers = 0;
    mutable QHash<int, std::vector<QsoRecord>> m_pages;
};
