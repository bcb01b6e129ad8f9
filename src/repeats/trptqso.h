#pragma once

#include <QWidget>

class QLabel;
class QTableView;
class RepeatListModel;

/// "Повторные связи": every earlier QSO of the call being typed, repeats on
/// this band, mode and tour marked. Its close button only hides it.
class TRptQso : public QWidget {
    Q_OBJECT
public:
    explicit TRptQso(RepeatListModel &list, QWidget *parent = nullptr);

    /// The two status panels: heard and worked repeat counts.
    void setCounts(qint64 heard, qint64 worked);
    QString heardText() const;
    QString workedText() const;
    /// Redraws the marks after the band, mode or tour changed.
    void repaintMarks();

private:
    QTableView *m_grid;
    QLabel *m_heard;
    QLabel *m_worked;
};
