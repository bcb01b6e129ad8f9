#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vireok in the current folder
# (vireok.mdb is kept there).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
exec "$root/build/vireok"
