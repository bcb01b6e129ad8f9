#pragma once

#include "stubs.h"
#include "tempdir.h"

#include "app/tmain.h"
#include "partial/tpartial.h"
#include "repeats/trptqso.h"
#include "store/store.h"

#include <QApplication>
#include <QTest>

#include <memory>

/// The main window, the repeat and the partial-call windows on a fresh store, with stubs for
/// every box, the clock and the desktop.
struct MainFixture {
    TestFolder folder;
    Store store{folder.storePath()};
    StubPrompts prompts;
    StubDesktop desktop;
    StubClock clock;
    StubZone zone;
    StubClockSetter clockSetter;
    StubSounds sounds;
    std::unique_ptr<TMain> main;
    std::unique_ptr<TRptQso> repeats;
    std::unique_ptr<TPartial> partial;

    TMain::Services services()
    {
        TMain::Services s{store, prompts, desktop, clock, zone, clockSetter, folder.file("settings.ini")};
        s.sounds = &sounds;
        return s;
    }

    /// Creates the windows in the program's order (after the test has filled the store).
    TMain &open()
    {
        main = std::make_unique<TMain>(services());
        repeats = std::make_unique<TRptQso>(main->repeatList(), main.get());
        main->setRepeatWindow(repeats.get());
        partial = std::make_unique<TPartial>(main->partialList(), main.get());
        main->setPartialWindow(partial.get());
        return *main;
    }
    const MainForm &form() const { return main->form(); }

    /// Shows the main window and makes it active, so that focus moves are real.
    bool showActive()
    {
        main->show();
        main->activateWindow();
        return QTest::qWaitForWindowActive(main.get());
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
};
