#pragma once

#include <QWidget>

class QKeyEvent;
class QLabel;
class QListView;
class PartialListModel;

/// "Частичные позывные": every known call holding the fragment typed in a
/// call field. A double-click or Enter takes a call, Esc goes back to the
/// field, and what is typed in the list goes on to the field. Its close
/// button only hides it.
class PartialWindow : public QWidget {
    Q_OBJECT
public:
    explicit PartialWindow(PartialListModel &list, QWidget *parent = nullptr);

    QString statusText() const;
    /// The keyboard into the list, at its first row.
    void enterList();
    QListView *list() const { return m_list; }

signals:
    void taken(const QString &call);
    void left();
    /// A character, Backspace or Delete typed while the list had the
    /// focus: meant for the call field (handled at once, not queued).
    void typed(QKeyEvent *event);
    /// Shown or hidden.
    void seen(bool shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void take(const QModelIndex &index);

    PartialListModel &m_model;
    QListView *m_list;
    QLabel *m_status;
};
