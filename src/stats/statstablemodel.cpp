#include "statstablemodel.h"

#include "statstally.h"

namespace {
const QString kTotal = QStringLiteral("Всего");
}

StatsTableModel::StatsTableModel(const StatsTally &tally, Figure figure, QObject *parent)
    : QAbstractTableModel(parent), m_tally(tally), m_figure(figure)
{}

void StatsTableModel::refresh(const QStringList &bandOrder)
{
    const QStringList bands = m_tally.bands(bandOrder);
    const QStringList tours = m_tally.tours();
    const bool reshaped = bands != m_bands || tours != m_tours || m_shown.isEmpty();
    if (reshaped) {
        beginResetModel();
        m_bands = bands;
        m_tours = tours;
    }
    const int columns = columnCount();
    QVector<qint64> figures(rowCount() * columns);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columns; ++c)
            figures[r * columns + c] = figure(r, c);
    std::swap(m_shown, figures);
    if (reshaped) {
        endResetModel();
        return;
    }
    for (int i = 0; i < m_shown.size(); ++i)
        if (m_shown[i] != figures[i])
            emit dataChanged(index(i / columns, i % columns), index(i / columns, i % columns), {Qt::DisplayRole});
}

qint64 StatsTableModel::figure(int row, int column) const
{
    const auto band = row < m_bands.size() ? std::optional(m_bands[row]) : std::nullopt;
    const auto tour = column < m_tours.size() ? std::optional(m_tours[column]) : std::nullopt;
    const StatsTally::Cell cell = m_tally.cell(band, tour);
    return m_figure == Figure::Qsos ? cell.qsos : cell.points();
}

int StatsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_bands.size()) + 1;
}

int StatsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_tours.size()) + 1;
}

QVariant StatsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const int at = index.row() * columnCount() + index.column();
    return at < m_shown.size() ? QString::number(m_shown[at]) : QString();
}

QVariant StatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_tours.size() ? QStringLiteral("Тур ") + m_tours[section] : kTotal;
    return section < m_bands.size() ? m_bands[section] : kTotal;
}
