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

    void add();

private:
    Store &m_store;
    Prompts &m_prompts;
    QLineEdit *m_short;
    QLineEdit *m_russian;
};
