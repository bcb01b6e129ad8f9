#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
extra=()
# The test against a real NTP server needs chronyd; installing chrony on a
# desktop replaces its time service, so only CI installs it.
[ -n "${CI:-}" ] && extra+=(chrony)
"$root/scripts/setup.sh" "${extra[@]}"
"$root/scripts/build.sh"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
