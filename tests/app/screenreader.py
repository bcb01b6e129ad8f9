"""Vireok as a screen reader meets it: names and rows read over a real AT-SPI bus.

Usage: screenreader.py PROGRAM. Runs inside a D-Bus session with the AT-SPI bus
launched and an X display; exits 77 where the AT-SPI registry cannot be reached.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

SKIP = 77
FIELDS = ["Позывной первой станции", "Рапорт первой станции", "Номер первой станции",
          "Позывной второй станции", "Рапорт второй станции", "Номер второй станции"]


def wait_for(what, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.childCount):
        # A table's children are its cells; they are read through its table interface.
        if node.getRole() != pyatspi.ROLE_TABLE:
            yield from walk(node.getChildAtIndex(i), depth + 1)


def find(frame, role, name):
    for node in walk(frame):
        if node.getRole() == role and node.name == name and node.getState().contains(pyatspi.STATE_SHOWING):
            return node
    return None


def rows(table):
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]


def record(frame, table, heard, number):
    """Enters a QSO as a screen reader user's tools can: texts, then the OK button's action."""
    before = table.queryTable().nRows
    find(frame, pyatspi.ROLE_TEXT, FIELDS[0]).queryEditableText().setTextContents(heard)
    find(frame, pyatspi.ROLE_TEXT, FIELDS[2]).queryEditableText().setTextContents(number)
    find(frame, pyatspi.ROLE_PUSH_BUTTON, "OK").queryAction().doAction(0)
    # The button is pressed as if clicked: a moment later.
    assert wait_for(lambda: table.queryTable().nRows > before, 5), f"{heard} was not recorded"


def events(kind, act, seconds, keep):
    """What keep makes of each event of kind (one or a list) that arrives while act runs and for seconds after."""
    from gi.repository import GLib
    heard = []

    def listener(event):
        kept = keep(event)
        if kept is not None:
            heard.append(kept)

    kinds = kind if isinstance(kind, list) else [kind]
    pyatspi.Registry.registerEventListener(listener, *kinds)
    GLib.idle_add(lambda: act() and False)
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listener, *kinds)
    return heard


def press_key(pid, target, key, title="."):
    """Gives target the focus in the program's window titled so, then presses key."""
    window = subprocess.run(["xdotool", "search", "--pid", str(pid), "--onlyvisible", "--name", title],
                            capture_output=True, text=True).stdout.split()
    # The window made last is the one asked for: a dialog comes after the main window.
    subprocess.run(["xdotool", "windowfocus", "--sync", window[-1]])
    target.queryComponent().grabFocus()
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", key])


def fresh(node):
    """node with its properties read anew: only a client listening to their
    changes (as a screen reader does) has them kept up to date."""
    node.clearCache()
    return node


def told_after_enter(frame, pid):
    """The heard call field's focus and caret events as Enter presses OK, with
    the description read as a screen reader reads it on the focus event."""
    def keep(event):
        if event.source.name != FIELDS[0]:
            return None
        if event.type.startswith("object:state-changed:focused"):
            return ("focus", fresh(event.source).description) if event.detail1 else None
        return ("caret", event.detail1)
    ok = find(frame, pyatspi.ROLE_PUSH_BUTTON, "OK")
    return events(["object:state-changed:focused", "object:text-caret-moved"],
                  lambda: press_key(pid, ok, "Return"), 1.5, keep)


def key(*keys):
    for k in keys:
        subprocess.run(["xdotool", "key", k])
        time.sleep(0.3)


CONTEST = "Настройка соревнования"


def told_as_tabbed_into(before, field, pid):
    """What the field tells as Tab brings the focus to it from before: its
    focus must come first, or Orca takes the caret for it and says only "tab"."""
    def keep(event):
        if event.source != field:
            return None
        if event.type.startswith("object:state-changed:focused"):
            return "focus" if event.detail1 else None
        return "caret"
    return events(["object:state-changed:focused", "object:text-caret-moved", "object:text-selection-changed"],
                  lambda: press_key(pid, before, "Tab", CONTEST), 1.2, keep)


def contest_window_by_ear(app, frame, pid):
    """The contest window, opened and left by keys, tells each field's focus
    first and each list's new value; the entry takes keys again after it."""
    press_key(pid, find(frame, pyatspi.ROLE_TEXT, FIELDS[0]), "Alt_L")
    key("Right", "Right", "Return")
    dialog = wait_for(lambda: next((d for d in app if d.name == CONTEST), None), 5)
    assert dialog is not None, "the contest window did not open"
    roles = (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX,
             pyatspi.ROLE_RADIO_BUTTON)
    controls = [n for n in walk(dialog) if n.getRole() in roles]
    for name in ["LOCATION:", "SOAPBOX:", "Тур-1 начало"]:
        field = find(dialog, pyatspi.ROLE_TEXT, name)
        told = told_as_tabbed_into(controls[controls.index(field) - 1], field, pid)
        assert told and told[0] == "focus", (name, told)
    mode = next(n for n in controls if n.getRole() == pyatspi.ROLE_COMBO_BOX and n.name == "SSB")
    assert mode.queryText().getText(0, -1) == "SSB"  # the value a reader speaks as the list gets the focus
    changed = events("object:text-changed:insert", lambda: press_key(pid, mode, "Down", CONTEST), 1,
                     lambda e: e.any_data if e.source == mode else None)
    assert changed == ["CW"], changed
    key("Escape")
    call = find(frame, pyatspi.ROLE_TEXT, FIELDS[0])
    assert wait_for(lambda: call.getState().contains(pyatspi.STATE_FOCUSED), 5), "the entry lost the keys"


def focus_after_key(table, pid, key):
    """The rows whose cells told of getting the focus as the grid got it and key was pressed."""
    def row(event):
        if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_TABLE_CELL:
            return table.queryTable().getRowAtIndex(event.source.getIndexInParent())
        return None
    return events("object:state-changed:focused", lambda: press_key(pid, table, key), 1.5, row)


def screen_reader_runs(running):
    """Says on the AT-SPI bus whether a screen reader runs, as the desktop does when one starts."""
    from gi.repository import Gio, GLib
    Gio.bus_get_sync(Gio.BusType.SESSION, None).call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
        GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled", GLib.Variant("b", running))),
        None, Gio.DBusCallFlags.NONE, -1, None)


def main():
    program = os.path.abspath(sys.argv[1])
    try:
        pyatspi.Registry.getDesktop(0).childCount
    except Exception as e:
        print("skip: no AT-SPI registry:", e)
        return SKIP
    screen_reader_runs(False)
    folder = tempfile.mkdtemp()
    # A player that keeps what it was asked to play: the tone heard or not.
    bin = tempfile.mkdtemp()
    played = os.path.join(bin, "played")
    with open(os.path.join(bin, "paplay"), "w") as player:
        player.write(f'#!/bin/sh\necho "$1" >> {played}\n')
    os.chmod(os.path.join(bin, "paplay"), 0o755)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", LANG="C.UTF-8",
               QT_QPA_PLATFORM="xcb", PATH=bin + ":" + os.environ["PATH"])
    # A copy of its own, so that the settings.ini it writes beside itself at
    # the end lands in the test's folder, not in the build.
    own = shutil.copy(program, folder)
    proc = subprocess.Popen([own], cwd=folder, env=env)
    try:
        def application():
            try:
                desktop = pyatspi.Registry.getDesktop(0)
                for app in desktop:
                    if app is not None and app.get_process_id() == proc.pid and app.childCount > 0:
                        return app
            except Exception:
                return None
            return None
        app = wait_for(application)
        assert app is not None, f"the program never appeared on the AT-SPI bus (exit status {proc.poll()})"
        frame = app.getChildAtIndex(0)

        names = {n.name for n in walk(frame) if n.getRole() == pyatspi.ROLE_TEXT}
        missing = [f for f in FIELDS if f not in names]
        assert not missing, f"fields without their names: {missing}; heard: {sorted(names)}"

        table = find(frame, pyatspi.ROLE_TABLE, "Журнал связей")
        assert table is not None, "the log grid is not a table"
        assert rows(table) == [], rows(table)
        record(frame, table, "UA1A", "001")
        record(frame, table, "RA3B", "002")
        read = rows(table)
        header = [table.queryTable().getColumnHeader(c).name for c in range(table.queryTable().nColumns)]
        assert header[4] == "CALL-1", header
        assert [r[4] for r in read] == ["UA1A", "RA3B"], read
        assert [r[6] for r in read] == ["001", "002"], read

        call = find(frame, pyatspi.ROLE_TEXT, FIELDS[0])
        call.queryEditableText().setTextContents("UA1A")
        described = wait_for(lambda: call.description or None, 5)
        assert described == "Повтор: уже записан первой станцией, Heard = 1", described
        # The bus is on, but no screen reader says it runs: no tone. Once one
        # does, the next repeat sounds.
        time.sleep(0.5)
        assert not os.path.exists(played), "a tone without a screen reader"
        screen_reader_runs(True)
        time.sleep(0.3)
        call.queryEditableText().setTextContents("")
        call.queryEditableText().setTextContents("UA1A")
        assert wait_for(lambda: os.path.exists(played), 5), "no tone with a screen reader"

        # Ctrl+Left at the end of a field: the word there (this question hung
        # the program), and the whole text as one run, or the reader cuts it.
        text = call.queryText()
        word = text.getTextAtOffset(text.characterCount, pyatspi.TEXT_BOUNDARY_WORD_START)
        assert tuple(word) == ("UA1A", 0, 4), word
        run = text.getAttributeRun(0, False)
        assert tuple(run)[1:] == (0, 4), run

        # The grid lands on the newest row, and Up moves the screen reader to the row above.
        heard = focus_after_key(table, proc.pid, "Up")
        assert heard == [1, 0], heard

        # Nothing is heard while nobody types, though the clock ticks; and the
        # report field keeps its "599" quietly while the call is typed.
        idle = events("object:text-changed", lambda: None, 2.5, lambda e: e.source.name)
        assert len(idle) <= 2, idle  # the minute may turn meanwhile: one real change of the UTC time
        typed = events("object:text-changed", lambda: [call.queryEditableText().setTextContents(t)
                                                       for t in ("UA", "U", "R")], 1,
                       lambda e: e.source.name if e.source.name == FIELDS[1] else None)
        assert typed == [], typed

        # Enter on OK: the reader hears the field's focus first (its caret
        # coming first, Orca takes that for the focus and stays silent), and
        # what was recorded with it.
        call.queryEditableText().setTextContents("UA1B")
        find(frame, pyatspi.ROLE_TEXT, FIELDS[2]).queryEditableText().setTextContents("003")
        told = told_after_enter(frame, proc.pid)
        assert told and told[0] == ("focus", "Записано: UA1B 003"), told
        press_key(proc.pid, call, "Tab")
        assert wait_for(lambda: fresh(call).description == "", 5) is not None, call.description  # said once

        contest_window_by_ear(app, frame, proc.pid)

        print("read as a screen reader would:", read)
        return 0
    finally:
        proc.terminate()
        proc.wait(10)


if __name__ == "__main__":
    sys.exit(main())
