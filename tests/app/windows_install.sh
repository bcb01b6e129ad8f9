#!/bin/sh
# The installer under Wine, as a user without administrator rights meets it
# on a Russian Windows whose Documents folder has Cyrillic letters in its
# path: a silent install puts the program in a folder of the user's own and
# a Start-menu entry whose working folder is Documents\Vireok; the program
# started from that entry, or in its own folder, keeps its log and
# settings.ini there; a silent uninstall removes the program and keeps the
# data folder whole.
# Run on an X server of its own: xvfb-run -a sh windows_install.sh SETUP.EXE
set -eu
setup=$1
work=$(mktemp -d)
# A Wine prefix and home of the test's own: Wine links Documents to $HOME.
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all
mkdir -p "$HOME"
wine=/usr/lib/wine/wine64
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# A Russian Windows: Wine takes its code page (cp1251) from the Linux
# locale, made here for the test alone.
mkdir -p "$work/locale"
localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" || fail "no Russian locale (Debian package locales)"
export LOCPATH="$work/locale" LANG=ru_RU.UTF-8
unset LC_ALL LC_CTYPE
$wine wineboot --init >/dev/null 2>&1
# Documents as a user named Иван has it, moved by OneDrive.
shell='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
for key in "User Shell Folders" "Shell Folders"; do
  $wine reg add "$shell\\$key" /v Personal /d 'C:\users\Иван\OneDrive\Документы' /f >/dev/null ||
    fail "Documents could not be moved"
done
mkdir -p "$WINEPREFIX/drive_c/users/Иван/OneDrive/Документы"

user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
program="$user_dir/AppData/Local/Programs/Vireok"
data="$WINEPREFIX/drive_c/users/Иван/OneDrive/Документы/Vireok"
menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vireok"

$wine "$setup" /S
for f in vireok.exe manual.pdf LICENSE.txt uninstall.exe installed.txt; do
  [ -f "$program/$f" ] || fail "$f not installed"
done
[ -d "$data" ] || fail "no data folder Documents\\Vireok"
[ -f "$menu/Vireok.lnk" ] || fail "no Start-menu entry"
$wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireok' /v DisplayName >/dev/null ||
  fail "no entry among the installed programs"

# Started from its Start-menu entry, as the user starts it.
shown() { xwininfo -root -tree | grep -q '"Kalvex Vireok v.1.4"'; }
$wine start "C:\\users\\$(id -un)\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Vireok\\Vireok.lnk"
for _ in $(seq 120); do shown && break; sleep 0.5; done
shown || fail "no main window"
[ -f "$data/vireok.mdb" ] || fail "vireok.mdb is not in the data folder"
$wine wineboot --end-session
for _ in $(seq 40); do [ -f "$data/settings.ini" ] && break; sleep 0.5; done
[ -f "$data/settings.ini" ] || fail "settings.ini is not in the data folder"
[ ! -e "$program/settings.ini" ] && [ ! -e "$program/vireok.mdb" ] || fail "the program folder got the user's files"
/usr/lib/wine/wineserver -k 2>/dev/null || true

# Started in its own folder (Explorer, a shortcut made to vireok.exe), it
# works in the data folder; started anywhere else, it keeps its log there.
for start in "$program" "$work/elsewhere"; do
  mkdir -p "$start"
  (cd "$start" && $wine "$program/vireok.exe" >/dev/null 2>&1 &)
  for _ in $(seq 120); do shown && break; sleep 0.5; done
  shown || fail "no main window when started in $start"
  $wine wineboot --end-session
  /usr/lib/wine/wineserver -w
done
[ ! -e "$program/vireok.mdb" ] || fail "started in its own folder, the program made a log there"
[ -f "$work/elsewhere/vireok.mdb" ] || fail "started in another folder, the program made no log there"

# The uninstaller runs from a copy of itself and returns at once: wait for it.
$wine "$program/uninstall.exe" /S
for _ in $(seq 120); do [ -e "$program" ] || break; sleep 0.5; done
[ ! -e "$program" ] || fail "the program folder is still there"
[ ! -e "$menu" ] || fail "the Start-menu entries are still there"
! $wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireok' >/dev/null 2>&1 ||
  fail "still among the installed programs"
[ -f "$data/vireok.mdb" ] && [ -f "$data/settings.ini" ] || fail "the data folder lost the log or the settings"
echo "PASS: installed, started from the Start menu with its files in Documents\\Vireok, uninstalled, data kept"
