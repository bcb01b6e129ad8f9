#pragma once

#include <QDialog>
#include <QVector>

class Prompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class Store;
class TContestUp;

/// "Настройка соревнования": the list of known contests and the settings of
/// the chosen one, saved into that contest and into log. Closing only hides
/// it, so the next showing holds what it held.
class TContest : public QDialog {
    Q_OBJECT
public:
    TContest(Store &store, Prompts &prompts, QWidget *parent = nullptr);

    void setAddWindow(TContestUp *add) { m_add = add; }

    /// Refills the list from the store; the other controls keep their values.
    void fillList();
    /// Loads the saved settings of entry n (counted from 1).
    void choose(int n);
    void save();
    void deleteChosen();

private:
    void build();
    QString tourText(int i) const;

    Store &m_store;
    Prompts &m_prompts;
    TContestUp *m_add = nullptr;
    QLabel *m_count;
    QComboBox *m_list;
    QVector<QComboBox *> m_categories;
    QLineEdit *m_claimed, *m_location, *m_soapbox;
    QVector<QLineEdit *> m_offTimes;
    QVector<QLineEdit *> m_tours;
    QCheckBox *m_align;
    QVector<QRadioButton *> m_positions;
};
