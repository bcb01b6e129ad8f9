#!/usr/bin/env bash
# Runs screenreader.py with the program on a private D-Bus session, AT-SPI
# bus and X display. Exits 77 (skipped) where one of them cannot start.
set -u
program=$1
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
launcher=/usr/libexec/at-spi-bus-launcher
for tool in dbus-run-session dbus-send xvfb-run xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "skip: no $tool"; exit 77; }
done
[ -x "$launcher" ] || { echo "skip: no $launcher"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skip: no python3-pyatspi"; exit 77; }

# The AT-SPI bus keeps the screen reader switch in the desktop's settings:
# the test's settings go to a folder of its own, not the user's.
XDG_CONFIG_HOME="$(mktemp -d)"
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

# Started by ctest, xvfb-run may not wait for its server (the signal it waits
# for can arrive ignored), so the display is waited for here; -noreset keeps
# it from resetting when that first look at it ends.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- bash -c '
  for i in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  "$0" --launch-immediately &
  bus=$!
  for i in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
  done
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
    { echo "skip: the AT-SPI bus did not start"; kill $bus 2>/dev/null; exit 77; }
  /usr/bin/python3 "$1" "$2"
  rc=$?
  kill $bus 2>/dev/null
  exit $rc' "$launcher" "$here/screenreader.py" "$program"
