#pragma once

#include "entrycontext.h"
#include "timecheck.h"

#include "store/qsorecord.h"

#include <QObject>

/// Recording a QSO in normal entry and in manual entry, and the SWL, COPY
/// and time-field reactions around it.
class Recorder : public QObject {
    Q_OBJECT
public:
    explicit Recorder(const EntryContext &context, QObject *parent = nullptr);

    void recordQso();
    void recordManualQso();
    void swlClicked(bool ticked);
    void copyClicked(bool ticked);
    void timeChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showTimeMessages(const QVector<TimeMessage> &messages);

    EntryContext m_c;
};
