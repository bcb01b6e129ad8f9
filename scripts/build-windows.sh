#!/usr/bin/env bash
# Cross-builds Vireok for 64-bit Windows into build-win/ beside this folder,
# with Debian's MinGW-w64 and a static Qt 6.4 for Windows: taken from the
# tarball named by VIREOK_QT_MINGW, found unpacked at /opt/qt-mingw, or
# else built from Debian's source (scripts/build-qt-mingw.sh, 40 to 55
# minutes). With --if-qt-at-hand it builds no Qt and exits 3 instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
qt=/opt/qt-mingw

# What the Linux build needs (its icon tool and manual run first), then the
# cross compiler, Wine, NSIS, Debian's Qt host tools, and for the tests sqlite3
# (the store a Windows program wrote), python3-xlib (its keystrokes timed) and
# locales (a Russian Windows under Wine).
"$root/scripts/setup.sh" g++-mingw-w64-x86-64-posix wine64 qt6-base-dev-tools nsis sqlite3 python3-xlib locales

# The tarball's own Qt CMake files expect the prefix /opt/qt-mingw.
if [ -n "${VIREOK_QT_MINGW:-}" ] && [ ! -e "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  [ -f "$VIREOK_QT_MINGW" ] || { echo "build-windows: no file $VIREOK_QT_MINGW" >&2; exit 1; }
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo tar -C /opt -xJf "$VIREOK_QT_MINGW"
fi
if [ ! -e "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  if [ "${1:-}" = "--if-qt-at-hand" ]; then
    echo "build-windows: no Qt for Windows: set VIREOK_QT_MINGW to its tarball or unpack it at $qt" >&2
    exit 3
  fi
  echo "build-windows: no Qt for Windows at $qt and no VIREOK_QT_MINGW: building it from Debian's source" \
       "(scripts/build-qt-mingw.sh, about 40 to 55 minutes on two cores)" >&2
  "$root/scripts/build-qt-mingw.sh"
fi

# The icon and the manual are drawn by the Linux build's own tools first; its
# program writes the reports the Windows program's must equal.
host="$root/build-win/host"
cmake -S "$root" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVIREOK_TESTS=OFF -DVIREOK_BENCH=OFF \
      -DVIREOK_MANUAL=ON >/dev/null
cmake --build "$host" --target vireok-icons manual vireok

cmake -S "$root" -B "$root/build-win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows-cross.cmake" -DVIREOK_HOST_BUILD="$host" >/dev/null
cmake --build "$root/build-win" --parallel
