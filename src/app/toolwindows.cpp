#include "toolwindows.h"

#include "tickfollowswindow.h"

#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "form/mainform.h"
#include "settings/inifile.h"
#include "settings/placement.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

ToolWindows::ToolWindows(QMainWindow &main, const MainForm &form, const IniFile &settings, QMenu *menu,
                         MainActions &actions, std::function<void()> afterCommand)
    : QObject(&main), m_main(main), m_form(form), m_settings(settings), m_menu(menu), m_actions(actions),
      m_afterCommand(std::move(afterCommand))
{}

void ToolWindows::add(const Row &row, QWidget *window)
{
    QAction *item = m_menu->addAction(QString::fromUtf8(row.title));
    m_actions.*row.item = item;
    const QString section = QString::fromLatin1(row.section);
    Tool &tool = m_tools.emplace_back(Tool{section, row.design, row.tickFollowsWindow, item, window});
    connect(item, &QAction::triggered, this, [this, &tool] { toggle(tool); });
    connect(item, &QAction::triggered, this, m_afterCommand);
    // By a key of its own from any window of the program, the open menu
    // included: shown, and the focus in it (see eventFilter). One shortcut,
    // the item's: a second one for the same key made it ambiguous in the
    // open menu, where the key then did nothing.
    item->setCheckable(true);
    item->setShortcut(row.key);
    item->setShortcutContext(Qt::ApplicationShortcut);
    item->installEventFilter(this);

    // The repeat window's tick decides, and it first opens centred.
    const auto saved = tool.tickFollowsWindow
                           ? savedToolWindowPlace(m_settings, section, primaryScreenSize(), tool.design)
                           : std::optional(repeatWindowPlacement(m_settings, primaryScreenSize(), tool.design));
    if (saved) {
        window->move(saved->topLeft());
        window->resize(saved->size());
    } else {
        tool.unplaced = true;
    }
    if (tool.tickFollowsWindow)
        new TickFollowsWindow(item, window);
    // From any control of the window back to the entry.
    new QShortcut(Qt::Key_F4, window, [this] {
        m_main.activateWindow();
        entryCallField(m_form)->setFocus();
    });
}

bool ToolWindows::eventFilter(QObject *watched, QEvent *event)
{
    // The key reaches the window; only a click on the item toggles it.
    if (event->type() != QEvent::Shortcut)
        return false;
    for (Tool &tool : m_tools)
        if (tool.item == watched) {
            reach(tool);
            return true;
        }
    return false;
}

void ToolWindows::toggle(Tool &tool)
{
    // The tick decides, not the window's visibility. Placed when first
    // opened, so that it finds the main window and the other tool windows
    // where they are then.
    const bool shown = tool.item->isChecked();
    if (shown && tool.unplaced) {
        tool.unplaced = false;
        placeBesideMain(tool.window);
    }
    tool.window->setVisible(shown);
}

void ToolWindows::reach(Tool &tool)
{
    // A modal window keeps the focus until it closes.
    if (QApplication::activeModalWidget())
        return;
    // An open menu would keep the keyboard.
    if (QWidget *menu = QApplication::activePopupWidget())
        menu->close();
    if (!tool.item->isChecked())
        tool.item->trigger();
    QWidget *window = tool.window;
    // The repeat window's close button leaves its tick on.
    window->show();
    window->raise();
    window->activateWindow();
    QWidget *first = window->focusWidget();
    for (QWidget *w = window->nextInFocusChain(); !first && w != window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->window() == window)
            first = w;
    if (first)
        first->setFocus(Qt::OtherFocusReason);
}

void ToolWindows::placeBesideMain(QWidget *window)
{
    const QRect inner = m_main.geometry(), outer = m_main.frameGeometry();
    // A window manager frames the tool window as it framed the main one.
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    ToolWindowRoom room;
    room.screen = m_main.screen()->availableGeometry();
    room.main = outer;
    // The grid as far as it shows: the entry panel hides its foot.
    room.grid = QRect(m_form.grid->mapToGlobal(QPoint(0, 0)), m_form.grid->size());
    room.grid.setBottom(std::min(room.grid.bottom(), m_form.entryPanel->mapToGlobal(QPoint(0, 0)).y() - 1));
    for (const Tool &other : m_tools)
        if (other.window != window && other.window->isVisible())
            room.open << other.window->frameGeometry();
    const QSize minimum = QLayout::closestAcceptableSize(window, QSize(0, 0));
    const QRect at = besideMain(room, window->size().grownBy(frame), minimum.grownBy(frame));
    window->move(at.topLeft());
    window->resize(at.size().shrunkBy(frame));
}

void ToolWindows::save(IniFile &settings) const
{
    for (const Tool &tool : m_tools) {
        // One never opened has no place of its own yet: it is placed beside
        // the main window when it first opens, at this start or a later one.
        if (tool.unplaced)
            continue;
        settings.writeInt(tool.section, QLatin1String(Settings::placeLeft), tool.window->x());
        settings.writeInt(tool.section, QLatin1String(Settings::placeTop), tool.window->y());
        settings.writeInt(tool.section, QLatin1String(Settings::placeHeight), tool.window->height());
        settings.writeInt(tool.section, QLatin1String(Settings::placeWidth), tool.window->width());
    }
}
