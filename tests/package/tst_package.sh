#!/usr/bin/env bash
# Builds the Debian package from the build tree and meets it as a user
# would: validated, unpacked, started as an unprivileged user whose program
# folder is read-only.
# Usage: tst_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source_dir="$2"
scratch="$(mktemp -d)"
trap 'pkill -f "$scratch/root/usr/bin/vireok" 2>/dev/null || true; rm -rf "$scratch"' EXIT

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
work="$scratch/work"
config="$scratch/config"
mkdir -p "$work" "$config"
chmod 777 "$work" "$config"
chmod 755 "$scratch"
run=(env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" HOME="$work" "$scratch/root/usr/bin/vireok")
# Root may write anywhere; the user of a desktop may not.
[ "$(id -u)" -eq 0 ] && run=(runuser -u nobody -- "${run[@]}")
(cd "$work" && exec "${run[@]}") >"$scratch/program.log" 2>&1 &
for _ in $(seq 100); do
  [ -s "$work/vireok.mdb" ] && break
  sleep 0.1
done
[ -s "$work/vireok.mdb" ] || { echo "no store in the working folder"; cat "$scratch/program.log"; exit 1; }
sleep 0.5
pkill -TERM -f "$scratch/root/usr/bin/vireok"
for _ in $(seq 100); do
  pgrep -f "$scratch/root/usr/bin/vireok" >/dev/null || break
  sleep 0.1
done
[ -f "$config/vireok/settings.ini" ] || { echo "no settings.ini under XDG_CONFIG_HOME"; cat "$scratch/program.log"; exit 1; }
[ ! -e "$scratch/root/usr/bin/settings.ini" ] || { echo "settings.ini beside the program"; exit 1; }
echo "package checked: $(basename "$deb"), $(stat -c %s "$deb") bytes"
