#pragma once

#include "repeatrules.h"

#include <QObject>

struct ScreenState;
class QCheckBox;
class QComboBox;
class QLineEdit;
class RepeatListModel;
class Store;
class TRptQso;

/// The controls the repeat check reads and paints.
struct RepeatCheckWidgets {
    QLineEdit *heardCall, *heardReport, *workedCall, *workedReport;
    QComboBox *band, *mode;
    QLineEdit *tourNumber;
    QCheckBox *rst;
    const ScreenState *screen; ///< what the screen is busy with, kept by the window
};

/// Runs at every change of a call field: the default report, the two repeat
/// counts on this band, mode and tour, the field's colour, the repeat window.
class RepeatCheck : public QObject {
    Q_OBJECT
public:
    RepeatCheck(const RepeatCheckWidgets &widgets, Store &store, RepeatListModel &list, TRptQso &window,
                QObject *parent = nullptr);

    void heardCallChanged();
    void workedCallChanged();

    qint64 heardCount() const { return m_heard; }
    qint64 workedCount() const { return m_worked; }

signals:
    /// A call field has just turned red or aqua (not at each keystroke while it stays so).
    void becameRepeat(RepeatColour colour);
    /// The counts could not be read: said once, until a count succeeds.
    void readFailed(const QString &storeText);

private:
    void callChanged(QLineEdit *call, QLineEdit *report, bool alwaysCount);
    void count(QLineEdit *call);
    /// The field's colour, its description for a screen reader and the cue, as the screen's state allows.
    void show(QLineEdit *call, RepeatColour colour);

    RepeatCheckWidgets m_w;
    Store &m_store;
    RepeatListModel &m_list;
    TRptQso &m_window;
    bool m_failing = false; ///< the last count failed, and that was said
    qint64 m_heard = 0;
    qint64 m_worked = 0;
    RepeatColour m_heardShown = RepeatColour::Normal, m_workedShown = RepeatColour::Normal;
};
