#pragma once

#include "entrycontext.h"

#include <QObject>

class ClockSource;

/// Changing stored QSOs: editing mode with its save, deleting one record,
/// clearing the whole log.
class Editor : public QObject {
    Q_OBJECT
public:
    /// clock names the copy of the store made before clearing.
    Editor(const EntryContext &context, const ClockSource &clock, QObject *parent = nullptr);

    void editRecord();
    void saveEdit();
    void deleteRecord();
    /// Asks, copies the whole store beside itself, and only then clears.
    void clearLog();

private:
    int currentRow() const;

    EntryContext m_c;
    const ClockSource &m_clock;
    int m_row = -1;
    QString m_band, m_mode;
    QString m_manualDate, m_manualTime; ///< what manual entry had before the edit
};
