#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds the same
# tests with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/) and
# runs them again there; then cross-builds for Windows (build-win/) and runs
# the windows tier under Wine.
#   scripts/test.sh --quick   the release build's unit and window tests only:
#                             no child process, server, X server or package
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
quick=""
[ "${1:-}" = "--quick" ] && quick=1
extra=()
# The test against a real NTP server needs chronyd; installing chrony on a
# desktop replaces its time service, so only CI installs it.
[ -n "${CI:-}" ] && extra+=(chrony)
"$root/scripts/setup.sh" "${extra[@]}"
"$root/scripts/build.sh"
# The house style stays: every source as clang-format would write it.
if [ -z "$quick" ]; then
  (cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)
fi
cd "$root/build"
if [ -n "$quick" ]; then
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 -L 'unit|window'
  exit
fi
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2

# Memory errors and undefined arithmetic pass unseen in the release build:
# the whole suite once more with both sanitizers, stopping at the first report.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIREOK_BENCH=OFF -DVIREOK_PACKAGE_TEST=OFF \
      -DCMAKE_CXX_FLAGS="-O1 $sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$root/build-asan" --parallel
cd "$root/build-asan"
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2

# The Windows build's tests under Wine, where a Qt for Windows is at hand
# (VIREOK_QT_MINGW names its tarball, or it is unpacked at /opt/qt-mingw).
status=0
"$root/scripts/build-windows.sh" --if-qt-at-hand || status=$?
if [ "$status" -eq 3 ]; then
  echo "test: the windows tier is SKIPPED: no Qt for Windows here" >&2
  exit 0
fi
[ "$status" -eq 0 ] || exit "$status"
cd "$root/build-win"
ctest --output-on-failure -L windows --parallel 2
