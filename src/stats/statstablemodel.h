#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

class StatsTally;

/// One row per band and one column per tour, each with "Всего": the QSOs,
/// or the points as the status bar counts them.
class StatsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Figure { Qsos, Points };
    StatsTableModel(const StatsTally &tally, Figure figure, QObject *parent = nullptr);

    /// Takes the tally's figures; rows and columns change only when a band
    /// or tour came or went, and otherwise only the cells whose figure
    /// changed are repainted.
    void refresh(const QStringList &bandOrder);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    qint64 figure(int row, int column) const;

    const StatsTally &m_tally;
    Figure m_figure;
    QStringList m_bands, m_tours;
    QVector<qint64> m_shown; ///< by row, then column
};
