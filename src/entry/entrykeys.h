#pragma once

#include "entrycontext.h"
#include "focusmoves.h"

#include <QObject>

class EntryEdit;
class QComboBox;
class QKeyEvent;
class QPushButton;

/// The keyboard of the six entry fields: focus moves, F1 swap, F2 clear,
/// the selectors handing the focus back to the heard call.
class EntryKeys : public QObject {
    Q_OBJECT
public:
    explicit EntryKeys(const EntryContext &context, QObject *parent = nullptr);

    void swapStations();
    void clearEntry();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectorChanged(QComboBox *selector, const QString &name);
    void entryKey(EntryEdit *field, int key);
    QWidget *fieldFor(EntryField role) const;
    QPushButton *shownButton() const;
    void workedReportChanged();
    bool typedIntoGrid(QKeyEvent *event);

    EntryContext m_c;
};
