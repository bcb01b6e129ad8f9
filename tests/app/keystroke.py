#!/usr/bin/python3
"""Milliseconds from a key pressed on the X server to its letter drawn in
the field under (x, y, width, height) of the window: the median of rounds,
each letter taken back with BackSpace before the next.
Usage: keystroke.py WINDOW X Y WIDTH HEIGHT [ROUNDS]"""
import statistics
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import xtest


def main():
    window_id, x, y, width, height = (int(a) for a in sys.argv[1:6])
    rounds = int(sys.argv[6]) if len(sys.argv) > 6 else 20
    d = display.Display()
    window = d.create_resource_object("window", window_id)

    def pixels():
        return window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data

    def press(name):
        code = d.keysym_to_keycode(XK.string_to_keysym(name))
        xtest.fake_input(d, X.KeyPress, code)
        xtest.fake_input(d, X.KeyRelease, code)
        d.sync()

    def until(changed, limit=5.0):
        start = time.monotonic()
        while not changed():
            if time.monotonic() - start > limit:
                sys.exit("keystroke.py: the field did not change within %.0f s" % limit)
        return time.monotonic() - start

    took = []
    for _ in range(rounds):
        empty = pixels()
        press("A")
        took.append(until(lambda: pixels() != empty) * 1000)
        press("BackSpace")
        until(lambda: pixels() == empty)
        time.sleep(0.05)
    print("%.1f" % statistics.median(took))


main()
