#!/bin/bash
# Installs the build into a temporary prefix, as `make install` does into /usr/local, and checks that a desktop
# finds what it needs there: program, menu entry, icons, AppStream metadata and manual page, each accepted by the
# distribution's own validators.
# usage: check_install.sh <build dir> <version>
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
check_file_list "$prefix"
[ -x "$prefix/games/quorvane" ] || fail "games/quorvane is not executable"
check_icon_sizes "$prefix"

desktop="$prefix/share/applications/org.example.quorvane.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
grep -qx 'Exec=quorvane' "$desktop" || fail "the desktop entry does not start quorvane"
grep -qx 'Icon=org.example.quorvane' "$desktop" || fail "the desktop entry names another icon"
grep -q '^Categories=Education;' "$desktop" || fail "the desktop entry is not in Education"
grep -qx 'Exec=quorvane --progress' "$desktop" || fail "the desktop entry has no action that opens the progress window alone"

metainfo="$prefix/share/metainfo/org.example.quorvane.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metadata"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata does not list release $version"

warnings=$(zcat "$prefix/share/man/man6/quorvane.6.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page has formatting warnings: $warnings"

check_program_answers "$prefix/games/quorvane" "$version"
echo "installed tree in order"
