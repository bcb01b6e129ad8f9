#!/usr/bin/env bash
# Runs screenreader.py with the program on a private D-Bus session, AT-SPI
# bus and X display. Exits 77 (skipped) where one of them cannot start.
set -u
program=$1
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
launcher=/usr/libexec/at-spi-bus-launcher
for tool in dbus-run-session xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "skip: no $tool"; exit 77; }
done
[ -x "$launcher" ] || { echo "skip: no $launcher"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skip: no python3-pyatspi"; exit 77; }

exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
  "$0" --launch-immediately &
  bus=$!
  /usr/bin/python3 "$1" "$2"
  rc=$?
  kill $bus 2>/dev/null
  exit $rc' "$launcher" "$here/screenreader.py" "$program"
