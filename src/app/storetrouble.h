#pragma once

#include <QObject>
#include <QStringList>

class Prompts;
class QWidget;

/// Where a store read that failed outside a user's command is told: the
/// log grid, the repeat check and lists read at every key and scroll. Each
/// tells once per failure; what arrives in one turn of the event loop is
/// shown once per distinct text, in the store error box.
class StoreTrouble : public QObject {
    Q_OBJECT
public:
    StoreTrouble(Prompts &prompts, QWidget *window);

    void report(const QString &storeText);

private:
    void show();

    Prompts &m_prompts;
    QWidget *m_window;
    QStringList m_pending;
};
