#!/usr/bin/env bash
# The launcher entry and the software centre's metadata pass the desktop's own
# validators, name the same id, and the icon they name exists in every size.
# Usage: launcher_files.sh <source dir> <build dir> <app id>
set -u
SRC=$1 BUILD=$2 ID=$3
fail() { echo "FAILED: $*"; exit 1; }
desktop=$SRC/packaging/$ID.desktop
metainfo=$SRC/packaging/$ID.metainfo.xml
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is missing (scripts/setup.sh installs it)"
command -v appstreamcli >/dev/null || fail "appstreamcli is missing (scripts/setup.sh installs it)"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -qx "Icon=$ID" "$desktop" || fail "the entry does not name the icon $ID"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$metainfo" || fail "the metadata does not launch $ID.desktop"
for size in 16 24 32 48 64 128 256; do
  icon=$BUILD/icons/hicolor/${size}x${size}/apps/$ID.png
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}x${size} icon at $icon"
done
echo "PASSED"
