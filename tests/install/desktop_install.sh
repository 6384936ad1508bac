#!/usr/bin/env bash
# `cmake --install` into a temporary prefix gives a desktop that knows Linkhaven: a valid launcher
# entry, .lhd files in any case of our MIME type and opened by linkhaven.desktop, a man page
# without warnings and a manual whose links and pictures are all there.
#   desktop_install.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "desktop_install: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
for f in bin/linkhaven bin/linkhaven-cli share/applications/linkhaven.desktop \
         share/mime/packages/linkhaven.xml share/icons/hicolor/scalable/apps/linkhaven.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-linkhaven-database.svg \
         share/man/man1/linkhaven-cli.1 share/linkhaven/help/manual.html \
         share/linkhaven/sounds/rmdsound.wav share/linkhaven/skin/Paper.ini \
         share/linkhaven/skin/paper.png; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done

out=$(desktop-file-validate "$share/applications/linkhaven.desktop" 2>&1) ||
    fail "desktop-file-validate failed: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"

# A desktop of our own: nothing from the user's or the machine's settings decides the answers.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_DATA_DIRS=$share:/usr/share XDG_CONFIG_DIRS=$work/etc
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_DIRS"
update-mime-database "$share/mime" >/dev/null
update-desktop-database "$share/applications"

"$prefix/bin/linkhaven-cli" new "$work/x.lhd" >/dev/null
"$prefix/bin/linkhaven-cli" new "$work/X.LHD" >/dev/null
for f in x.lhd X.LHD; do
    type=$(xdg-mime query filetype "$work/$f")
    [ "$type" = application/x-linkhaven-database ] || fail "$f has the type '$type'"
done
default=$(xdg-mime query default application/x-linkhaven-database)
[ "$default" = linkhaven.desktop ] || fail "the default for .lhd files is '$default'"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/linkhaven-cli.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the man page warns: $warnings"

# Every local link and picture of the manual is installed beside it.
help=$share/linkhaven/help
targets=$(grep -oE '(href|src)="[^"#]+' "$help/manual.html" | sed -E 's/^(href|src)="//' |
    grep -vE '^[a-z]+:' | sort -u || true)
for target in $targets; do
    [ -e "$help/$target" ] || fail "the manual points at a missing $target"
done
echo "desktop_install: all good"
