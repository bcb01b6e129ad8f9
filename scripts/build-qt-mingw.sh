#!/usr/bin/env bash
# Builds the static Qt 6.4 for 64-bit Windows that scripts/build-windows.sh
# cross-builds with, from Debian's own qt6-base source package (the version
# of Debian's Qt, whose moc, rcc and uic it uses) and an SQLite amalgamation
# made from Debian's sqlite3 source, with Debian's MinGW-w64 (posix
# threads). It installs into /opt/qt-mingw, the prefix Qt's CMake files are
# made for (VIREOK_QT_MINGW_ROOT names another, as for the cross build);
# with a folder as argument it also writes qt-mingw.tar.xz there.
# About 40 to 55 minutes on two cores.
set -euo pipefail
prefix=${VIREOK_QT_MINGW_ROOT:-/opt/qt-mingw}
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
apt_get() { DEBIAN_FRONTEND=noninteractive $sudo apt-get "$@"; }

apt_get install -y -qq --no-install-recommends cmake ninja-build g++-mingw-w64-x86-64-posix \
  gcc-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools tcl dpkg-dev xz-utils >/dev/null
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}

# apt-get source needs source entries: Debian's own, as source.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
    $sudo tee /etc/apt/sources.list.d/vireok-src.sources >/dev/null
  apt_get update -qq
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source --download-only "qt6-base=$version" sqlite3 >/dev/null
tar xf qt6-base_*.orig.tar.xz
src="$work/qtbase-everywhere-src-$upstream"
mkdir sqlite && tar xf sqlite3_*.orig.tar.xz -C sqlite
(cd sqlite/sqlite3-* && ./configure >/dev/null && make sqlite3.c >/dev/null)
# Debian's source leaves the bundled SQLite out; Qt's driver builds it in.
mkdir -p "$src/src/3rdparty/sqlite"
cp sqlite/sqlite3-*/sqlite3.c sqlite/sqlite3-*/sqlite3.h "$src/src/3rdparty/sqlite/"
# The Windows platform plugin asks for the OpenGL loader whenever dynamic GL
# is configured, OpenGL or not; this Qt has no OpenGL.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

$sudo rm -rf "$prefix"
$sudo mkdir -p "$prefix"
# Qt's own toolchain file loads this one from the install.
$sudo tee "$prefix/mingw.cmake" >/dev/null <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# What Vireok uses, static, with every third-party library built in: no
# OpenGL, D-Bus, ICU (the program has its own code page) or tablet events
# (Debian has no Wintab header).
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw.cmake" \
  -DCMAKE_C_FLAGS="-ffile-prefix-map=$work=." -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work=." \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_testlib=ON -DFEATURE_sql_sqlite=ON \
  -DFEATURE_system_sqlite=OFF -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF \
  -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF >/dev/null
cmake --build "$work/build" --parallel
$sudo cmake --install "$work/build" >/dev/null
# The installed .prl and CMake files name the build folder, which goes.
grep -rlZ "$work" "$prefix" | $sudo xargs -0 -r sed -i "s#$work#/usr/src/qt6-base#g"

if [ $# -gt 0 ]; then
  mkdir -p "$1"
  tar -C "$(dirname "$prefix")" -cJf "$1/qt-mingw.tar.xz" "$(basename "$prefix")"
  echo "$1/qt-mingw.tar.xz"
fi
