#pragma once

#include <QDialog>

class Prompts;
class QLineEdit;
class Store;

/// "Пополнение списка соревнований": adds one contest to the list.
class TContestUp : public QDialog {
    Q_OBJECT
public:
    TContestUp(Store &store, Prompts &prompts, QWidget *parent = nullptr);

    QLineEdit *shortName() const { return m_short; }
    QLineEdit *russianName() const { return m_russian; }
    void add();

private:
    Store &m_store;
    Prompts &m_prompts;
    QLineEdit *m_short;
    QLineEdit *m_russian;
};
