#include "appicon.h"
#include "tmain.h"
#include "toolwindows.h"

#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "entry/entrystate.h"
#include "form/loggrid.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

// The main window's menus and the grid's pop-up menu: the commands by name;
// the program gives each its work.

void TMain::createActions()
{
    MainActions &a = m_actions;
    QMenuBar *bar = menuBar();
    const QIcon exportIcon = themedIcon("document-save-as", QStyle::SP_DialogSaveButton);

    QMenu *log = bar->addMenu(QStringLiteral("Журнал"));
    a.exportCabrillo = log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: CABRILLO"));
    a.exportErmak = log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: ЕРМАК"));
    a.exportAdif = log->addAction(exportIcon, QStringLiteral("Выгрузить лог -> формат: ADIF"));
    log->addSeparator();
    a.clearLog = log->addAction(themedIcon("edit-clear-all", QStyle::SP_TrashIcon), QStringLiteral("Очистить лог"));
    log->addSeparator();
    a.exit = log->addAction(themedIcon("application-exit", QStyle::SP_DialogCloseButton), QStringLiteral("Выход"), this,
                            &QWidget::close);

    QMenu *settings = bar->addMenu(QStringLiteral("Установки"));
    a.station = settings->addAction(themedIcon("user-info", QStyle::SP_FileDialogInfoView),
                                    QStringLiteral("Сведения о станции"));
    settings->addSeparator();
    a.entryLayout = settings->addAction(QStringLiteral("Установить окна ввода"), this, &TMain::toggleLayout);
    a.entryLayout->setCheckable(true);
    settings->addSeparator();
    a.timeSync = settings->addAction(themedIcon("preferences-system-time", QStyle::SP_BrowserReload),
                                     QStringLiteral("Синхронизировать  время ч/з интернет"));

    a.contests = bar->addAction(QStringLiteral("Соревнования"));

    QMenu *windows = bar->addMenu(QStringLiteral("Окна"));
    m_tools = new ToolWindows(*this, m_form, m_settings, windows, a, [this] { backToEntry(); });

    QMenu *help = bar->addMenu(QStringLiteral("Справка"));
    a.manual = help->addAction(QStringLiteral("Руководство пользователя"));
    a.about = help->addAction(QStringLiteral("О программе"));

    m_form.logMenu = log->menuAction();
    m_form.settingsMenu = settings->menuAction();
    m_form.contestsMenu = a.contests;
    m_form.windowsMenu = windows->menuAction();
    m_form.helpMenu = help->menuAction();

    a.gridMenu = new QMenu(this);
    a.gridMenu->setObjectName(QStringLiteral("gridMenu"));
    a.editRecord = a.gridMenu->addAction(themedIcon("document-edit", QStyle::SP_FileDialogDetailedView),
                                         QStringLiteral("Редактировать запись"));
    a.deleteRecord = a.gridMenu->addAction(themedIcon("edit-delete", QStyle::SP_DialogDiscardButton),
                                           QStringLiteral("Удалить запись"));
    connect(m_form.grid, &LogGrid::contextMenuRequested, a.gridMenu,
            [menu = a.gridMenu](const QPoint &at) { menu->popup(at); });
}

void TMain::returnToEntryAfterCommands()
{
    // A command run from the keyboard leaves the focus in the menu bar, and
    // the next call typed would be lost there: after each one (connected
    // last, so after its window has closed) typing goes on in the entry. The
    // station panel takes the focus for its own fields.
    for (QAction *item : menuBar()->actions()) {
        const QList<QAction *> commands = item->menu() ? item->menu()->actions() : QList<QAction *>{item};
        for (QAction *command : commands)
            if (command != m_actions.station)
                connect(command, &QAction::triggered, this, &TMain::backToEntry);
    }
}

void TMain::backToEntry()
{
    // A tool window the command showed may have taken the activation: it keeps it.
    if (m_entry.screen().stationOpen || (QApplication::activeWindow() && !isActiveWindow()))
        return;
    // The window a closed box leaves behind is not always activated again.
    activateWindow();
    entryCallField(m_form)->setFocus();
}
