#pragma once

#include <QTableView>

class StatsTableModel;

/// A table of figures that marks a cell only while the operator works in
/// it: the focus coming with the window as it opens, or leaving, leaves no
/// cell framed (and none in a saved picture). Its columns are as wide as
/// their figures and titles.
class FigureTable : public QTableView {
    Q_OBJECT
public:
    FigureTable(StatsTableModel *model, const QString &name, QWidget *parent);
    /// The width at which the table shows every column, worked out from
    /// its figures and titles even before its columns are laid out.
    int wholeWidth() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
