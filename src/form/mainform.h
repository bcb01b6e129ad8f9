#pragma once

#include <QVector>

class EntryEdit;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class LogGrid;
class QWidget;

/// The controls of the main window that the entry, repeat, clock and setup
/// logic works on. The main window creates them and owns them.
struct MainForm {
    QWidget *window = nullptr;

    EntryEdit *heardCall = nullptr, *heardReport = nullptr, *heardNumber = nullptr;
    EntryEdit *workedCall = nullptr, *workedReport = nullptr, *workedNumber = nullptr;
    QLineEdit *dateField = nullptr, *timeField = nullptr;
    QLineEdit *utcDate = nullptr, *utcTime = nullptr; ///< never shown
    QLineEdit *tourNumber = nullptr;

    QPushButton *ok = nullptr, *editOk = nullptr, *manualOk = nullptr;
    QPushButton *swap = nullptr, *clear = nullptr;
    QComboBox *mode = nullptr, *band = nullptr;
    QCheckBox *rst = nullptr, *tour = nullptr, *swl = nullptr, *copy = nullptr;
    QLabel *tourCaption = nullptr, *tourTime = nullptr, *utcCaption = nullptr, *utcClock = nullptr;

    LogGrid *grid = nullptr;
    QWidget *entryPanel = nullptr; ///< the frame under the entry fields, OK and the selectors; it hides the grid's foot
    /// The status bar's five panels.
    QLabel *localDatePanel = nullptr, *localTimePanel = nullptr, *qsoPanel = nullptr, *pointsPanel = nullptr;
    QLabel *statusPanel = nullptr; ///< the mode or outcome of the last step

    /// "Журнал", "Установки", "Соревнования", "Окна", "Справка".
    QAction *logMenu = nullptr, *settingsMenu = nullptr, *contestsMenu = nullptr, *windowsMenu = nullptr,
            *helpMenu = nullptr;

    QVector<EntryEdit *> entryFields() const
    {
        return {heardCall, heardReport, heardNumber, workedCall, workedReport, workedNumber};
    }
    QVector<QAction *> menus() const { return {logMenu, settingsMenu, contestsMenu, windowsMenu, helpMenu}; }
};
