#!/usr/bin/env bash
# Builds the Debian package from the build tree and meets it as a user
# would: validated, unpacked, started as an unprivileged user whose program
# folder is read-only, its manual opened from the menu; in CI also installed
# with apt-get and removed again.
# Usage: tst_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source_dir="$2"
scratch="$(mktemp -d)"
xvfb=""
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT

cd "$build"
cpack -G DEB -B "$scratch/out" >/dev/null
deb="$(ls "$scratch"/out/vireok_*_amd64.deb)"

desktop-file-validate "$source_dir/packaging/org.example.vireok.desktop"
appstreamcli validate --no-net "$source_dir/packaging/org.example.vireok.metainfo.xml" >/dev/null
lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v "root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1

dpkg-deb -x "$deb" "$scratch/root"
for file in usr/bin/vireok \
            usr/share/applications/org.example.vireok.desktop \
            usr/share/metainfo/org.example.vireok.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/vireok.svg \
            usr/share/icons/hicolor/16x16/apps/vireok.png \
            usr/share/icons/hicolor/48x48/apps/vireok.png \
            usr/share/icons/hicolor/256x256/apps/vireok.png \
            usr/share/doc/vireok/copyright \
            usr/share/doc/vireok/changelog.gz \
            usr/share/man/man1/vireok.1.gz \
            usr/share/vireok/manual.pdf; do
  [ -e "$scratch/root/$file" ] || { echo "the package lacks $file"; exit 1; }
done

# The program's folder is read-only to its user, as an installed program's is.
chmod -R a+rX,a-w "$scratch/root"
chmod 755 "$scratch"

# A virtual display, and an xdg-open that only notes what it is asked to
# open: the manual is opened from the menu as a user opens it.
mkdir -p "$scratch/bin"
# shellcheck disable=SC2016 # "$1" and "$OPENED" are the script's own
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"$OPENED"\n' >"$scratch/bin/xdg-open"
chmod 755 "$scratch/bin/xdg-open"
Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do
  [ -s "$scratch/display" ] && xdpyinfo -display ":$(cat "$scratch/display")" >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY=":$(cat "$scratch/display")"
export DISPLAY

# open_manual PROGRAM: starts it as an unprivileged user in a new home
# folder, checks that its store and settings land where they belong, chooses
# "Справка" -> "Руководство пользователя" and prints the file it opened.
open_manual() {
  local home
  home="$(mktemp -d "$scratch/home.XXXX")"
  mkdir -p "$home/work" "$home/config"
  touch "$home/opened"
  chmod -R 777 "$home"
  local run=(env QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$home/config" HOME="$home/work" OPENED="$home/opened"
             PATH="$scratch/bin:/usr/bin:/bin" "$1")
  # Root may write anywhere; the user of a desktop may not.
  [ "$(id -u)" -eq 0 ] && run=(runuser -u nobody -- "${run[@]}")
  (cd "$home/work" && exec "${run[@]}") >"$home/program.log" 2>&1 &
  local program=$!
  # Ends the program as the desktop does at logout (runuser, where it runs
  # under it, would kill it two seconds later); says why it failed.
  stop() {
    kill -TERM "$(pgrep -P "$program" || echo "$program")" 2>/dev/null || true
    wait "$program" || true
    [ -z "${1:-}" ] || { echo "$1" >&2; cat "$home/program.log" >&2; return 1; }
  }
  local window=""
  for _ in $(seq 100); do
    window="$(xdotool search --onlyvisible --name 'Vireok' 2>/dev/null | head -1)" || true
    [ -n "$window" ] && [ -s "$home/work/vireok.mdb" ] && break
    sleep 0.1
  done
  [ -s "$home/work/vireok.mdb" ] || { stop "no store in the working folder"; return 1; }
  [ -n "$window" ] || { stop "no window on the display"; return 1; }
  sleep 0.5
  # A click opens the first menu, Left wraps round to the last, "Справка",
  # and Enter chooses its first item; an open menu is the program's only
  # other window.
  xdotool mousemove --window "$window" 20 10 click 1
  local first="" menu=""
  for _ in $(seq 50); do
    first="$(xdotool search --onlyvisible --class '^vireok$' 2>/dev/null | grep -vx "$window" | head -1)" || true
    [ -n "$first" ] && break
    sleep 0.1
  done
  [ -n "$first" ] || { stop "the first menu did not open"; return 1; }
  xdotool key Left
  for _ in $(seq 50); do
    menu="$(xdotool search --onlyvisible --class '^vireok$' 2>/dev/null | grep -vx "$window" | head -1)" || true
    [ -n "$menu" ] && [ "$menu" != "$first" ] && break
    sleep 0.1
  done
  if [ -z "$menu" ] || [ "$menu" = "$first" ]; then
    stop "the last menu did not open"
    return 1
  fi
  xdotool key Return
  for _ in $(seq 50); do
    [ -s "$home/opened" ] && break
    sleep 0.1
  done
  stop
  [ -f "$home/config/vireok/settings.ini" ] || { stop "no settings.ini under XDG_CONFIG_HOME"; return 1; }
  [ -s "$home/opened" ] || { stop "the manual's menu item opened nothing"; return 1; }
  local url
  url="$(head -1 "$home/opened")"
  echo "${url#file://}"
}

# expect_manual PROGRAM MANUAL: the manual PROGRAM opens is MANUAL, which exists.
expect_manual() {
  local opened
  opened="$(open_manual "$1")" || return 1
  [ "$opened" = "$2" ] || { echo "$1 opened $opened, not $2"; return 1; }
  [ -f "$opened" ] || { echo "$1 opened $opened, which does not exist"; return 1; }
}

expect_manual "$scratch/root/usr/bin/vireok" "$scratch/root/usr/share/vireok/manual.pdf"
[ ! -e "$scratch/root/usr/bin/settings.ini" ] || { echo "settings.ini beside the program"; exit 1; }

# Installed for real only in CI: on a developer's desktop the test leaves
# the system alone.
if [ -n "${CI:-}" ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
  installed=0
  expect_manual /usr/bin/vireok /usr/share/vireok/manual.pdf && installed=1
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq vireok >/dev/null
  [ "$installed" -eq 1 ] || exit 1
  if [ -e /usr/bin/vireok ] || [ -e /usr/share/vireok ]; then
    echo "apt-get remove left files behind"
    exit 1
  fi
fi
echo "package checked: $(basename "$deb"), $(stat -c %s "$deb") bytes"
