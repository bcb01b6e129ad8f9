#!/bin/sh
# vireok.exe under Wine as a Windows user meets it: started without DISPLAY
# in its Windows environment (Windows has none), it shows its window; when
# the session ends (a log-off), it writes settings.ini before it is ended.
# Run on an X server of its own: xvfb-run -a sh windows_session.sh EXE
set -eu
exe=$1
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/vireok.exe"
cd "$work"

shown() { xwininfo -root -tree | grep -q '"Kalvex Vireok v.1.4"'; }
$wine cmd /c "set DISPLAY=&& vireok.exe" >/dev/null 2>&1 &
for _ in $(seq 120); do shown && break; sleep 0.5; done
shown || { echo "FAIL: no main window without DISPLAY"; exit 1; }
[ -f vireok.mdb ] || { echo "FAIL: no vireok.mdb beside the program"; exit 1; }
[ ! -e settings.ini ] || { echo "FAIL: settings.ini before the session ended"; exit 1; }

$wine wineboot --end-session
for _ in $(seq 40); do grep -q '^\[Main\]' settings.ini 2>/dev/null && break; sleep 0.5; done
grep -q '^\[Main\]' settings.ini || { echo "FAIL: no settings.ini after the session ended"; exit 1; }
echo "PASS: window shown without DISPLAY; settings.ini written at the end of the session"
