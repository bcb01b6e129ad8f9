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
    if (bands != m_bands || tours != m_tours) {
        beginResetModel();
        m_bands = bands;
        m_tours = tours;
        endResetModel();
        return;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
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
    const auto band = index.row() < m_bands.size() ? std::optional(m_bands[index.row()]) : std::nullopt;
    const auto tour = index.column() < m_tours.size() ? std::optional(m_tours[index.column()]) : std::nullopt;
    const StatsTally::Cell cell = m_tally.cell(band, tour);
    return QString::number(m_figure == Figure::Qsos ? cell.qsos : cell.points());
}

QVariant StatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_tours.size() ? QStringLiteral("Тур ") + m_tours[section] : kTotal;
    return section < m_bands.size() ? m_bands[section] : kTotal;
}
