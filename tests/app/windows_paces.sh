#!/usr/bin/env bash
# vireok.exe under Wine as a user meets it, from a folder on C: in a Wine
# prefix of its own: the first start makes the store, two QSOs typed and
# recorded, a second copy refused, the Cabrillo and ERMAK reports written
# through the real menus and save dialog byte for byte as the Linux build
# writes them from the same store, the log cleared with its copy kept,
# settings.ini read back by the Linux build, and no confirmed QSO lost to
# kill -9 while typing. Prints the start-up and keystroke times of both
# builds.
# Run on an X server of its own:
#   xvfb-run -a -s "-screen 0 1280x1024x24" windows_paces.sh VIREOK_EXE LINUX_VIREOK
set -euo pipefail
exe=$1
linux=$2
wine=/usr/lib/wine/wine64
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; pkill -f "$work/linux/vireok" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
# A comparison that fails is told and the later ones still run; the test
# fails at its end.
failed=0
differs() {
  echo "FAIL: $*"
  failed=1
}
$wine wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -k 2>/dev/null || true # the first start also starts Wine, as a user's does
logs="$WINEPREFIX/drive_c/Logs"
mkdir -p "$logs" "$work/linux"
cp "$exe" "$logs/vireok.exe"
cp "$linux" "$work/linux/vireok"
title='Kalvex Vireok v.1.4'

# waits up to 20 s for a command to succeed
until_true() {
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
main_window() { xdotool search --all --onlyvisible --pid "$1" --name "^$title\$" 2>/dev/null | head -1; }
# a window of the program other than its main window: a box or a dialog
other_window() { xdotool search --onlyvisible --pid "$1" --name '.' 2>/dev/null | grep -vx "$2" | head -1; }
has_other() { [ -n "$(other_window "$1" "$2")" ]; }
no_other() { [ -z "$(other_window "$1" "$2")" ]; }
has_main() { [ -n "$(main_window "$1")" ]; }
rows() { sqlite3 "$1" "SELECT call1 || ' ' || nr1 || ' ' || call2 || ' ' || nr2 FROM qso ORDER BY id" | tr '\n' ';'; }

# start_windows / start_linux: starts the program, sets pid and window,
# and the seconds it took to show its window.
start_windows() {
  local t0
  t0=$(date +%s.%N)
  cd "$logs"
  $wine 'C:\Logs\vireok.exe' >>"$work/wine.log" 2>&1 &
  pid=$!
  cd - >/dev/null
  until_true has_main "$pid" || fail "vireok.exe showed no window"
  window=$(main_window "$pid")
  took=$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN {printf "%.1f", b - a}')
}
start_linux() {
  local t0
  t0=$(date +%s.%N)
  (cd "$work/linux" && exec env QT_QPA_PLATFORM=xcb ./vireok) >>"$work/linux.log" 2>&1 &
  pid=$!
  until_true has_main "$pid" || fail "the Linux build showed no window"
  window=$(main_window "$pid")
  took=$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN {printf "%.1f", b - a}')
}
focus() {
  xdotool windowfocus --sync "$1"
  sleep 0.3
}
# type_qso HEARD NUMBER WORKED NUMBER: the six fields from the first, the
# reports as the program proposes them, then OK
type_qso() {
  focus "$window"
  xdotool type --delay 20 "$1"
  xdotool key Tab Tab
  xdotool type --delay 20 "$2"
  xdotool key Tab
  xdotool type --delay 20 "$3"
  xdotool key Tab Tab
  xdotool type --delay 20 "$4"
  xdotool key Return space
}
# journal N: the N-th command of the "Журнал" menu, chosen with the keys
# once the menu is seen open
journal() {
  local menu=""
  for _ in 1 2 3; do
    focus "$window"
    xdotool mousemove --window "$window" 20 10 click 1
    for _ in $(seq 20); do
      menu=$(other_window "$pid" "$window")
      [ -n "$menu" ] && break
      sleep 0.1
    done
    [ -n "$menu" ] && break
  done
  [ -n "$menu" ] || fail "the menu \"Журнал\" did not open"
  for _ in $(seq "$1"); do
    xdotool key Down
    sleep 0.1
  done
  xdotool key Return
  for _ in $(seq 20); do
    shown "$menu" || return 0
    sleep 0.1
  done
  fail "the menu stayed open"
}
# answer KEYS: the box or dialog that opens takes KEYS and closes (a box
# shown as its window still takes the focus may miss the first keys)
shown() { xdotool search --onlyvisible --pid "$pid" --name . 2>/dev/null | grep -qx "$1"; }
answer() {
  until_true has_other "$pid" "$window" || fail "no box or dialog opened"
  local box
  box=$(other_window "$pid" "$window")
  for _ in 1 2 3; do
    focus "$box"
    xdotool key --delay 100 "$@"
    for _ in $(seq 20); do
      shown "$box" || return 0
      sleep 0.1
    done
  done
  fail "the box or dialog stayed open"
}
# export_report N NAME: writes the report of menu command N under the
# proposed name, kept, and moves it to NAME beside the store
export_report() {
  local folder=$1 n=$2 name=$3
  journal "$n"
  answer Return # the save dialog, its proposed name kept
  answer Return # "Выгрузка в файл ..."
  [ -f "$folder/RA3-SWL.cbr" ] || fail "no RA3-SWL.cbr in $folder"
  mv "$folder/RA3-SWL.cbr" "$folder/$name"
}
# keystroke: the median milliseconds from a key to its letter drawn in the
# empty heard call field, which has the focus (the client area of 604 x 391
# under the menu bar; the field at 192, 304)
keystroke() {
  local height
  focus "$window"
  height=$(xwininfo -id "$window" | awk '/Height:/ {print $NF}')
  /usr/bin/python3 "$here/keystroke.py" "$window" 198 $((height - 391 + 304 + 8)) 8 12
}
quit() {
  journal 5
  until_true sh -c "! kill -0 $pid 2>/dev/null" || fail "the program did not end"
}

# The first start makes the store beside the program.
start_windows
first_start=$took
[ -s "$logs/vireok.mdb" ] || fail "no vireok.mdb in C:\\Logs"
type_qso UA1ABC 001 RA3XYZ 015
type_qso UA9DEF 002 RN3ABC 016
rows_are() { [ "$(rows "$logs/vireok.mdb")" = "$1" ]; }
until_true rows_are 'UA1ABC 001 RA3XYZ 015;UA9DEF 002 RN3ABC 016;' ||
  fail "the typed QSOs were stored as: $(rows "$logs/vireok.mdb")"

# A second copy on the same log is refused with a box, ends once the box is
# answered, and changes nothing.
first=$pid first_window=$window
cd "$logs"
$wine 'C:\Logs\vireok.exe' >>"$work/wine.log" 2>&1 &
second=$!
cd - >/dev/null
box() { xdotool search --all --onlyvisible --pid "$second" --name . 2>/dev/null | head -1; }
has_box() { [ -n "$(box)" ]; }
until_true has_box || fail "the second copy said nothing"
[ "$(xdotool getwindowname "$(box)")" = Vireok ] || fail "the second copy showed $(xdotool getwindowname "$(box)")"
focus "$(box)"
xdotool key Return
ended() { ! kill -0 "$second" 2>/dev/null; }
until_true ended || fail "the second copy went on after its box"
pid=$first window=$first_window
type_qso UA0GHI 003 RA3XYZ 017
until_true sh -c "[ \$(sqlite3 '$logs/vireok.mdb' 'SELECT count(*) FROM qso') = 3 ]" ||
  fail "the first copy did not go on recording after the second was refused"
xdotool windowmove --sync "$window" 100 80
quit
grep -q '^\[Main\]' "$logs/settings.ini" || fail "no settings.ini beside the program after its end"

# The report header as the contest window keeps it, Cyrillic included.
sqlite3 "$logs/vireok.mdb" "DELETE FROM log; INSERT INTO log (CALLSIGN, CONTEST, NAMEE, ADDRESS1, CLUB,
  POSNR10, POSNR11, POSNR20, POSNR21) VALUES ('RA3-SWL', 'RDXC', 'Иван Петров', 'Москва, ул. Ленина 1',
  'Радиоклуб «Эфир»', '4', '7', '4', '7')"
cp "$logs/vireok.mdb" "$work/linux/vireok.mdb"

start_windows
warm_start=$took
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h}')
windows_key=$(keystroke)
export_report "$logs" 1 cabrillo.cbr
export_report "$logs" 2 ermak.cbr
journal 4
answer shift+Tab Return # "Очистить лог?": Да
until_true sh -c "[ \$(sqlite3 '$logs/vireok.mdb' 'SELECT count(*) FROM qso') = 0 ]" || fail "the log was not cleared"
copy=""
for f in "$logs"/*.mdb; do
  [ "${f##*/}" = vireok.mdb ] || copy=${f##*/}
done
[ -n "$copy" ] || fail "no copy of the log was kept before the clear"
[ "$(sqlite3 "$logs/$copy" 'SELECT count(*) FROM qso')" = 3 ] || fail "the kept copy $copy lacks QSOs"
quit

# The Linux build: its settings from the Windows program, its reports from
# the same store. Windows keeps the frame's place, which under Wine with no
# window manager lies a title bar above the window.
cp "$logs/settings.ini" "$work/linux/settings.ini"
saved=$(tr -d '\r' <"$logs/settings.ini" |
        awk -F= '/^\[/ {main = ($0 == "[Main]")} main && $1 == "Left" {x = $2} main && $1 == "Top" {y = $2}
                 END {print x "," y}')
[ "${saved%,*}" = 100 ] || differs "Windows saved the window's place as $saved, not at 100 from the left"
start_linux
linux_start=$took
place=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x "," y}')
[ "$place" = "$saved" ] || differs "the Linux build put the window at $place, not where Windows left it ($saved)"
linux_size=$(xwininfo -id "$window" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h}')
# The client area is fixed; the height follows the menu bar's font, which
# under Wine is whatever the Linux side has installed.
[ "${size%x*}" = "${linux_size%x*}" ] || differs "the window is $size under Wine and $linux_size on Linux"
linux_key=$(keystroke)
export_report "$work/linux" 1 cabrillo.cbr
export_report "$work/linux" 2 ermak.cbr
quit
for report in cabrillo.cbr ermak.cbr; do
  cmp "$logs/$report" "$work/linux/$report" || differs "$report differs between the builds"
done
grep -q '^QSO: ' "$logs/cabrillo.cbr" || differs "the Cabrillo report has no QSO lines"
iconv -f CP1251 -t UTF-8 "$logs/ermak.cbr" | grep -q 'Иван Петров' || differs "the ERMAK report lacks the Cyrillic name"

# kill -9 while the next QSO is being typed: every confirmed one is in the
# store file, even copied alone.
killed() { sqlite3 "$1" "SELECT count(*) FROM qso WHERE call1 LIKE 'UA%KIL'"; }
confirmed() { [ "$(killed "$logs/vireok.mdb")" = "$1" ]; }
for round in $(seq 10); do
  start_windows
  type_qso "UA${round}KIL" "$round" RA3XYZ 020
  until_true confirmed "$round" || fail "QSO $round was not recorded"
  focus "$window"
  xdotool type --delay 20 UA9NEX
  kill -9 "$pid"
  until_true sh -c "! kill -0 $pid 2>/dev/null"
  cp "$logs/vireok.mdb" "$work/alone.mdb"
  got=$(killed "$work/alone.mdb")
  [ "$got" = "$round" ] || fail "after kill $round the store file alone holds $got of $round confirmed QSOs"
  [ "$(sqlite3 "$work/alone.mdb" 'PRAGMA integrity_check')" = ok ] || fail "the store is damaged after kill $round"
done

[ "$failed" = 0 ] || exit 1
echo "PASS: vireok.exe under Wine: store, typing, second copy, exports equal to Linux, clear, settings, 10 kills"
echo "start-up to the window: vireok.exe ${first_start} s (Wine starting too), ${warm_start} s (Wine running); Linux ${linux_start} s"
echo "a key to its letter on the screen (median of 20): vireok.exe ${windows_key} ms; Linux ${linux_key} ms"
