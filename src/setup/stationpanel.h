#pragma once

#include "form/mainform.h"

#include <QGroupBox>
#include <QVector>

class Prompts;
class QCheckBox;
class QLineEdit;
class Store;

/// "Сведения о станции (операторе):": the station record over the log grid,
/// copied into log for the reports on SAVE.
class StationPanel : public QGroupBox {
    Q_OBJECT
public:
    StationPanel(const MainForm &form, Store &store, Prompts &prompts, QWidget *parent);

    /// The menu item: reloads the fields from the store and locks the window.
    void open();
    void save();

    /// The 18 fields in the order of the station record's fields.
    QLineEdit *field(const QString &operatorField) const;

signals:
    /// The panel covers the grid and the window is locked until SAVE.
    void openChanged(bool open);

private:
    const MainForm &m_form;
    Store &m_store;
    Prompts &m_prompts;
    QVector<QLineEdit *> m_fields;
    QCheckBox *m_initials;
};
