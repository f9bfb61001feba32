#!/usr/bin/env bash
# Installs the build into a staging prefix and checks what a desktop, a shell and a
# packager see of it: the programs, a valid menu entry, well-formed file type and
# metadata, every file the menu entry and the file type name, the manual pages and
# completion, the licence, and a command line that loads no Qt until asked for a PDF.
set -euo pipefail
build=$1
version=$2
stage=$(mktemp -d "${TMPDIR:-/tmp}/quelvar-install.XXXXXX")
trap 'rm -rf "$stage"' EXIT
# Every install rule is in dist/; its script, unlike the top one, writes no manifest
# into the build folder, so a build folder the user cannot write installs too.
cmake -DCMAKE_INSTALL_PREFIX="$stage/usr" -P "$build/dist/cmake_install.cmake" >/dev/null
bin=$stage/usr/bin
share=$stage/usr/share
app=io.github.quelvar.quelvar
fail() { echo "check_install: $*" >&2; exit 1; }

for program in quelvar quelvar-cli quelvar-indicator-sim; do
    [ -x "$bin/$program" ] || fail "bin/$program is missing"
    MANPAGER=cat MANWIDTH=100 man -l "$share/man/man1/$program.1.gz" >"$stage/$program.man" ||
        fail "man -l cannot show the manual page of $program"
    for section in SYNOPSIS FILES "EXIT STATUS" EXAMPLES; do
        grep -q "^$section" "$stage/$program.man" || fail "man $program has no $section"
    done
    [ -f "$share/bash-completion/completions/$program" ] || [ "$program" = quelvar ] ||
        fail "no bash completion for $program"
done
# Each command under COMMANDS, none moved to a section of its own by a line of its help.
sed -n '/^COMMANDS/,/^[A-Z]/p' "$stage/quelvar-cli.man" >"$stage/commands.man"
for command in $("$bin/quelvar-cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z-]*\) .*/\1/p'); do
    grep -q "^  *quelvar-cli $command" "$stage/commands.man" ||
        fail "man quelvar-cli lacks $command under COMMANDS"
done
completed=$(bash -c "source '$share/bash-completion/completions/quelvar-cli';
    COMP_WORDS=(quelvar-cli ex); COMP_CWORD=1; _quelvar_cli; echo \"\${COMPREPLY[*]}\"")
[ "$completed" = export ] || fail "quelvar-cli ex completes to '$completed'"

desktop-file-validate "$share/applications/$app.desktop"
xmllint --noout "$share/mime/packages/quelvar.xml" "$share/metainfo/$app.metainfo.xml"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --pedantic --no-net "$share/metainfo/$app.metainfo.xml" >/dev/null
fi
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$share/applications/$app.desktop")
icon=$(sed -n 's/^Icon=//p' "$share/applications/$app.desktop")
[ -x "$bin/$exec_name" ] || fail "Exec names $exec_name, which is not installed"
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 16 24 32 48 64 128 256; do
    [ -f "$share/icons/hicolor/${size}x${size}/apps/$icon.png" ] || fail "no ${size}px icon"
done
grep -q "MimeType=application/x-quelvar-setup;" "$share/applications/$app.desktop" ||
    fail "the menu entry does not open setup files"
grep -q '<glob pattern="\*.sf"/>' "$share/mime/packages/quelvar.xml" || fail "no *.sf glob"
grep -q "<icon name=\"$icon\"/>" "$share/mime/packages/quelvar.xml" || fail "file type icon"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" \
    "$share/metainfo/$app.metainfo.xml" || fail "metadata names another menu entry"
for shot in $(sed -n 's|.*<image>.*/\([^/]*\.png\)</image>|\1|p' "$share/metainfo/$app.metainfo.xml"); do
    [ -s "$share/quelvar/screenshots/$shot" ] || fail "screenshot $shot is not installed"
done
grep -q "^License: Expat" "$share/doc/quelvar/copyright" || fail "no licence in copyright"
gzip -t "$share/doc/quelvar/changelog.gz" || fail "changelog.gz is not whole"

QT_QPA_PLATFORM=offscreen "$bin/quelvar" --version 2>/dev/null | grep -q "$version" || fail "quelvar --version is not $version"
"$bin/quelvar-cli" --version | grep -q "$version" || fail "quelvar-cli --version is not $version"
! ldd "$bin/quelvar-cli" | grep -q libQt || fail "quelvar-cli links Qt"
"$bin/quelvar-cli" new "$stage/a.sf"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$bin/quelvar-cli" report "$stage/a.sf" --pdf "$stage/a.pdf" || fail "report --pdf failed"
[ "$(head -c 5 "$stage/a.pdf")" = "%PDF-" ] || fail "report --pdf wrote no PDF"
# Installed means installed: the editor, ended by SIGTERM, writes its settings into the
# user's own file, never beside itself.
XDG_CONFIG_HOME=$stage/config QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$bin/quelvar" --simulator 2>/dev/null &
editor=$!
# It takes SIGTERM once its handler is in place (slow under the sanitizers).
for _ in $(seq 6000); do
    caught=$(sed -n 's/^SigCgt:\s*//p' "/proc/$editor/status" 2>/dev/null || true)
    [ -n "$caught" ] && (( 0x$caught & 0x4000 )) && break
    sleep 0.01
done
kill -TERM "$editor"
wait "$editor" || fail "the staged editor ended with $? on SIGTERM"
[ -f "$stage/config/quelvar/quelvar.INI" ] || fail "the staged editor wrote no user settings"
[ ! -e "$bin/quelvar.INI" ] || fail "the staged editor wrote settings beside itself"
echo "installed and valid: $stage"
