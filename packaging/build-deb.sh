#!/bin/bash
# Builds the Debian package as Debian builds it (dpkg-buildpackage on debian/), from a copy of this source tree in
# a temporary folder: the build leaves its objects beside debian/ and its results in the parent folder, and neither
# belongs in the checkout. Puts quorvane_<version>_<arch>.deb into the given folder and prints its path.
# usage: packaging/build-deb.sh <output folder>
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
stage=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-deb.XXXXXX")
trap 'rm -rf "$stage"' EXIT

# dpkg-deb clamps the files' times to the changelog's date only when they are later: a date still to come leaves the
# build's own times in the package, and two builds differ.
[ "$(dpkg-parsechangelog -l "$source/debian/changelog" -S Timestamp)" -le "$(date +%s)" ] ||
    { echo "build-deb: debian/changelog's latest entry is dated in the future" >&2; exit 1; }

# Everything but version control and CMake build folders, which can be large and are no part of the source.
mkdir "$stage/quorvane"
(cd "$source" && find . -mindepth 1 -maxdepth 1 ! -name .git ! -exec test -e {}/CMakeCache.txt ';' -print0) |
    tar -C "$source" --null -T - -cf - | tar -C "$stage/quorvane" -xf -
(cd "$stage/quorvane" && dpkg-buildpackage -us -uc -b -Jauto)

deb=$stage/quorvane_$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)_$(dpkg --print-architecture).deb
mv "$deb" "$out/"
echo "$out/$(basename "$deb")"
