#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# build/vireok_<version>_amd64.deb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$root/build"
cpack -G DEB
