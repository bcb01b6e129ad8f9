#pragma once

#include "stubs.h"
#include "tempdir.h"

#include "app/program.h"
#include "store/store.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <memory>

/// The program's windows on a fresh store, made as the program makes them,
/// with stubs for every box, the clock and the desktop.
struct MainFixture {
    TestFolder folder;
    Store store{folder.storePath()};
    StubPrompts prompts;
    StubDesktop desktop;
    StubClock clock;
    StubZone zone;
    StubClockSetter clockSetter;
    StubSounds sounds;
    StubSpeech speech;
    std::unique_ptr<Program> program;
    TMain *main = nullptr;
    TRptQso *repeats = nullptr;
    PartialWindow *partial = nullptr;

    Program::Services services()
    {
        Program::Services s{store, prompts, desktop, clock, zone, clockSetter, folder.file("settings.ini")};
        s.sounds = &sounds;
        s.speech = &speech;
        return s;
    }

    /// Creates the windows in the program's order (after the test has filled the store).
    TMain &open()
    {
        program.reset();
        program = std::make_unique<Program>(services());
        main = &program->main;
        repeats = &program->repeats;
        partial = &program->partial;
        return *main;
    }
    const MainForm &form() const { return main->form(); }

    /// Shows the main window and makes it active, so that focus moves are real.
    bool showActive()
    {
        main->show();
        main->activateWindow();
        return QTest::qWaitForWindowActive(main);
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
};

/// The program's windows on the store file at path, made as the program
/// makes them, settings.ini beside it, stubs for the rest.
struct ProgramOn {
    explicit ProgramOn(const QString &path)
        : store(path),
          program({store, prompts, desktop, clock, zone, clockSetter, QFileInfo(path).dir().filePath("settings.ini")})
    {}
    Store store;
    StubPrompts prompts;
    StubDesktop desktop;
    StubClock clock;
    StubZone zone;
    StubClockSetter clockSetter;
    Program program;
};
