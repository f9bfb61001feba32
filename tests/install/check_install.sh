#!/usr/bin/env bash
# Installs the build into a staging prefix and checks what a desktop sees of it:
# the programs, a valid menu entry, a well-formed file type and metadata, and every
# file the menu entry and the file type name.
set -euo pipefail
build=$1
stage=$(mktemp -d "${TMPDIR:-/tmp}/quelvar-install.XXXXXX")
trap 'rm -rf "$stage"' EXIT
# Every install rule is in dist/; its script, unlike the top one, writes no manifest
# into the build folder, so a build folder the user cannot write installs too.
cmake -DCMAKE_INSTALL_PREFIX="$stage/usr" -P "$build/dist/cmake_install.cmake" >/dev/null
share=$stage/usr/share
fail() { echo "check_install: $*" >&2; exit 1; }

for program in quelvar quelvar-cli quelvar-indicator-sim; do
    [ -x "$stage/usr/bin/$program" ] || fail "bin/$program is missing"
done
desktop-file-validate "$share/applications/quelvar.desktop"
xmllint --noout "$share/mime/packages/quelvar.xml" "$share/metainfo/quelvar.metainfo.xml"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$share/applications/quelvar.desktop")
icon=$(sed -n 's/^Icon=//p' "$share/applications/quelvar.desktop")
[ -x "$stage/usr/bin/$exec_name" ] || fail "Exec names $exec_name, which is not installed"
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 16 24 32 48 64 128 256; do
    [ -f "$share/icons/hicolor/${size}x${size}/apps/$icon.png" ] || fail "no ${size}px icon"
done
grep -q "MimeType=application/x-quelvar-setup;" "$share/applications/quelvar.desktop" ||
    fail "the menu entry does not open setup files"
grep -q '<glob pattern="\*.sf"/>' "$share/mime/packages/quelvar.xml" || fail "no *.sf glob"
grep -q "<icon name=\"$icon\"/>" "$share/mime/packages/quelvar.xml" || fail "file type icon"
grep -q "<launchable type=\"desktop-id\">quelvar.desktop</launchable>" \
    "$share/metainfo/quelvar.metainfo.xml" || fail "metadata names another menu entry"
QT_QPA_PLATFORM=offscreen "$stage/usr/bin/quelvar" --version 2>/dev/null | grep -q "$2" || fail "quelvar --version is not $2"
"$stage/usr/bin/quelvar-cli" --version | grep -q "$2" || fail "quelvar-cli --version is not $2"
echo "installed and valid: $stage"
