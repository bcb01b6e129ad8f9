#pragma once

#include <QTableView>
#include <QVector>

class StatsTableModel;

/// A table of figures that marks a cell only while the operator works in
/// it: the focus coming with the window as it opens, or leaving, leaves no
/// cell framed (and none in a saved picture). Its columns are as wide as
/// their figures and titles.
class FigureTable : public QTableView {
    Q_OBJECT
public:
    FigureTable(StatsTableModel *model, const QString &name, QWidget *parent);
    /// The width at which the table shows every column; the columns take
    /// their widths for the figures shown now.
    int wholeWidth();

protected:
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void fitColumns();

    /// Per row title and column, the longest text in characters: measuring
    /// text costs, and a new figure seldom brings a new digit.
    QVector<int> m_lengths;
    int m_wholeWidth = 0;
    bool m_changed = true; ///< figures changed since the columns were fitted
};
