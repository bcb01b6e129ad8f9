#include "toolwindows.h"

#include "inifile.h"
#include "placement.h"
#include "tickfollowswindow.h"

#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "form/mainform.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

namespace {
struct Row {
    const char *section, *title;
    Qt::Key key;
    QRect design;
    bool tickFollowsWindow;
    QAction *MainActions::*item;
};

// The repeat window's tick decides whether it shows, and it first opens
// centred; the later windows' ticks follow them, and they open beside the
// main window.
const Row kRows[] = {
    {"RptQso", "Повторные связи", Qt::Key_F5, QRect(0, 557, 384, 292), false, &MainActions::repeatWindow},
    {"Partial", "Частичные позывные", Qt::Key_F6, QRect(0, 557, 200, 292), true, &MainActions::partialWindow},
    {"Stats", "Статистика", Qt::Key_F7, QRect(0, 0, 600, 560), true, &MainActions::statsWindow},
};

QSize screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}
} // namespace

ToolWindows::ToolWindows(QMainWindow &main, const MainForm &form, const IniFile &settings, QMenu *menu,
                         MainActions &actions)
    : QObject(&main), m_main(main), m_form(form), m_settings(settings)
{
    m_tools.reserve(std::size(kRows));
    for (const Row &row : kRows) {
        QAction *item = menu->addAction(QString::fromUtf8(row.title));
        actions.*row.item = item;
        m_tools.push_back({QString::fromLatin1(row.section), row.design, row.tickFollowsWindow, item});
    }
    for (size_t i = 0; i < m_tools.size(); ++i) {
        QAction *item = m_tools[i].item;
        connect(item, &QAction::triggered, this, [this, i] { toggle(m_tools[i]); });
        // By a key of its own from any window of the program: shown, and the
        // focus in it. The item shows the key but answers it only inside the
        // open menu: there it would hide an open window.
        item->setCheckable(true);
        item->setShortcut(kRows[i].key);
        item->setShortcutContext(Qt::WidgetShortcut);
        auto *shortcut = new QShortcut(kRows[i].key, &main, [this, i] { reach(m_tools[i]); });
        shortcut->setContext(Qt::ApplicationShortcut);
    }
}

void ToolWindows::attach(const QString &section, QWidget *window)
{
    const auto tool = std::find_if(m_tools.begin(), m_tools.end(), [&](const Tool &t) { return t.section == section; });
    Q_ASSERT(tool != m_tools.end());
    tool->window = window;
    const auto saved = tool->tickFollowsWindow
                           ? savedToolWindowPlace(m_settings, section, screenSize(), tool->design)
                           : std::optional(repeatWindowPlacement(m_settings, screenSize(), tool->design));
    if (saved) {
        window->move(saved->topLeft());
        window->resize(saved->size());
    } else {
        tool->unplaced = true;
    }
    if (tool->tickFollowsWindow)
        new TickFollowsWindow(tool->item, window);
    // From any control of the window back to the entry.
    new QShortcut(Qt::Key_F4, window, [this] {
        m_main.activateWindow();
        entryCallField(m_form)->setFocus();
    });
}

void ToolWindows::toggle(Tool &tool)
{
    if (!tool.window)
        return;
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
    if (!tool.item->isChecked())
        tool.item->trigger();
    QWidget *window = tool.window;
    if (!window)
        return;
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
        if (other.window && other.window != window && other.window->isVisible())
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
        if (!tool.window || tool.unplaced)
            continue;
        settings.writeInt(tool.section, QStringLiteral("Left"), tool.window->x());
        settings.writeInt(tool.section, QStringLiteral("Top"), tool.window->y());
        settings.writeInt(tool.section, QStringLiteral("Height"), tool.window->height());
        settings.writeInt(tool.section, QStringLiteral("Width"), tool.window->width());
    }
}
