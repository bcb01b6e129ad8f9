#pragma once

#include "repeatrules.h"

#include "form/pagedrows.h"

#include <QAbstractTableModel>
#include <QColor>

#include <functional>
#include <vector>

class Store;

using RepeatRows = PagedRows<QAbstractTableModel, RepeatRow>;

/// The repeat list of the latest check: read from the store only as far as
/// the window shows it, more as it scrolls.
class RepeatListModel : public RepeatRows {
    Q_OBJECT
public:
    RepeatListModel(Store &store, std::function<RepeatContext()> context, QObject *parent = nullptr);

    /// The list for call, replacing the previous one. Throws StoreError.
    void show(const QString &call);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void fetchMore(const QModelIndex &parent) override;

    /// How a cell is marked: its row light red, its call bold red or blue.
    struct CellLook {
        bool repeatRow = false;
        CallMark mark = CallMark::None;
        QColor background() const;     ///< invalid: the view's own
        QColor text(int column) const; ///< invalid: the view's own
    };
    /// The marks of the cell at index, from one read of the main window.
    CellLook look(const QModelIndex &index) const;

    /// What the marks are compared with, for other lists that mark calls.
    const std::function<RepeatContext()> &context() const { return m_context; }
    const RepeatRow &row(int i) const { return rows()[size_t(i)]; }

signals:
    /// More rows could not be read while the window scrolled.
    void readFailed(const QString &storeText);

private:
    Store &m_store;
    std::function<RepeatContext()> m_context;
    QString m_call;
};
