#pragma once

#include "entrycontext.h"

#include <QObject>

/// Changing stored QSOs: editing mode with its save, deleting one record,
/// clearing the whole log.
class Editor : public QObject {
    Q_OBJECT
public:
    explicit Editor(const EntryContext &context, QObject *parent = nullptr);

    void editRecord();
    void saveEdit();
    void deleteRecord();
    void clearLog();

private:
    int currentRow() const;

    EntryContext m_c;
    int m_row = -1;
    QString m_band, m_mode;
    QString m_manualDate, m_manualTime; ///< what manual entry had before the edit
};
