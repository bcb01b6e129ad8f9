#!/usr/bin/python3
"""The real program as a process: from exec to the main window showing its
last row, under Xvfb.

    /usr/bin/python3 bench/startup-xvfb.py build/vireok /tmp/vireok-bench/plain-1000000.mdb [runs]

Each run copies the program and the store into a fresh folder (the store is
then in the system's file cache: a warm-file start), starts the program and
watches a few one-pixel columns of its window on the X server. The start
ends at the first frame that already equals the settled window, leaving out
the pixels that the clock changes. Prints each run's milliseconds, the
median, and the program's peak resident memory (VmHWM).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, Xatom, display, protocol  # python3-xlib

TITLE = "Kalvex Vireok"
COLUMN_STEP = 24
# Between looks at the screen: the watcher must not take the program's core.
POLL = 0.003


def start_server():
    for number in range(90, 120):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and not os.path.exists("/tmp/.X%d-lock" % number):
            server = subprocess.Popen(["Xvfb", ":%d" % number, "-noreset", "-screen", "0", "1280x1024x24"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(200):
                try:
                    return server, ":%d" % number, display.Display(":%d" % number)
                except Exception:
                    time.sleep(0.02)
            server.terminate()
    raise SystemExit("no Xvfb display")


def main_window(dpy):
    for child in dpy.screen().root.query_tree().children:
        try:
            name = child.get_wm_name() or ""
            if TITLE in name and child.get_attributes().map_state == X.IsViewable:
                return child
        except Exception:
            pass
    return None


def columns(window, width, height):
    strips = []
    for x in range(2, width, COLUMN_STEP):
        strips.append(window.get_image(x, 0, 1, height, X.ZPixmap, 0xFFFFFFFF).data)
    return strips


def close(dpy, window):
    # As a window manager closes it: the program's own shutdown runs.
    protocols = dpy.intern_atom("WM_PROTOCOLS")
    delete = dpy.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event)
    dpy.flush()


def one_run(program, store, disp, dpy):
    folder = tempfile.mkdtemp(prefix="vireok-start-")
    try:
        shutil.copy(program, os.path.join(folder, "vireok"))
        shutil.copy(store, os.path.join(folder, "vireok.mdb"))
        # The copy's write-back is setup, not the start.
        for name in ("vireok", "vireok.mdb"):
            fd = os.open(os.path.join(folder, name), os.O_RDONLY)
            os.fsync(fd)
            os.close(fd)
        time.sleep(0.3)
        env = dict(os.environ, DISPLAY=disp)
        env.pop("QT_QPA_PLATFORM", None)
        frames = []
        start = time.monotonic()
        proc = subprocess.Popen([os.path.join(folder, "vireok")], cwd=folder, env=env)
        window = None
        while window is None and time.monotonic() - start < 30:
            window = main_window(dpy)
            time.sleep(POLL)
        if window is None:
            raise SystemExit("the main window never appeared")
        geometry = window.get_geometry()
        until = time.monotonic() + 3.0
        while time.monotonic() < until:
            frames.append((time.monotonic() - start, columns(window, geometry.width, geometry.height)))
            time.sleep(POLL)
        # Pixels that change while nothing happens belong to the clock.
        settled = frames[-1][1]
        time.sleep(1.1)
        later = columns(window, geometry.width, geometry.height)
        with open("/proc/%d/status" % proc.pid) as status:
            peak = next(line for line in status if line.startswith("VmHWM")).split()[1]
        close(dpy, window)
        proc.wait(timeout=30)

        def masked(strips):
            out = []
            for strip, a, b in zip(strips, settled, later):
                out.append(bytes(p if a[i] == b[i] else 0 for i, p in enumerate(strip)))
            return out

        final = masked(settled)
        for when, strips in frames:
            if masked(strips) == final:
                return when * 1000.0, int(peak) / 1024.0
        return None, int(peak) / 1024.0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    program, store = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    server, disp, dpy = start_server()
    try:
        times, peaks = [], []
        for _ in range(runs):
            ms, peak = one_run(program, store, disp, dpy)
            print("exec to last row shown: %s ms, peak %.1f MB" % ("%.0f" % ms if ms else "?", peak), flush=True)
            if ms:
                times.append(ms)
            peaks.append(peak)
        times.sort()
        if times:
            print("median %.0f ms over %d runs; peak memory at most %.1f MB" % (times[len(times) // 2], len(times), max(peaks)))
    finally:
        dpy.close()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
