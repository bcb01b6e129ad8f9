#!/bin/sh
# The portable zip under Wine as a Windows user meets it: unpacked
# anywhere and vireok.exe started without DISPLAY in its Windows environment
# (Windows has none), it shows its window with its log beside itself; when
# the session ends (a log-off), it writes settings.ini there before it is
# ended. Run on an X server of its own: xvfb-run -a sh windows_session.sh ZIP
set -eu
zip=$1
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
python3 -m zipfile -e "$zip" "$work"
cd "$work/Vireok"
for f in vireok.exe manual.pdf LICENSE.txt README.txt; do
  [ -f "$f" ] || { echo "FAIL: $f is not in the zip"; exit 1; }
done

shown() { xwininfo -root -tree | grep -q '"Kalvex Vireok v.1.4"'; }
$wine cmd /c "set DISPLAY=&& vireok.exe" >/dev/null 2>&1 &
for _ in $(seq 120); do shown && break; sleep 0.5; done
shown || { echo "FAIL: no main window without DISPLAY"; exit 1; }
[ -f vireok.mdb ] || { echo "FAIL: no vireok.mdb beside the program"; exit 1; }
[ ! -e settings.ini ] || { echo "FAIL: settings.ini before the session ended"; exit 1; }

$wine wineboot --end-session
for _ in $(seq 40); do grep -q '^\[Main\]' settings.ini 2>/dev/null && break; sleep 0.5; done
grep -q '^\[Main\]' settings.ini || { echo "FAIL: no settings.ini after the session ended"; exit 1; }
echo "PASS: unpacked, window shown without DISPLAY; vireok.mdb and settings.ini beside the program"
