#!/bin/bash
# Builds the Debian package from two checkouts of one commit, one after the other, and compares the two .deb files
# byte for byte: two folders, two times, and for the second build another umask, time zone and length of build path.
# Prints each build's time and SHA-256; where they differ, diffoscope (if installed) shows where.
# usage: tools/check-reproducible.sh <checkout> <another checkout of the same commit>
set -euo pipefail
first=$(realpath "$1")
second=$(realpath "$2")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# ccache would hand the second build the first one's objects, and so hide a difference; the date comes from
# debian/changelog alone.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER SOURCE_DATE_EPOCH
for variable in $(compgen -e); do
    [[ $variable != CCACHE_* ]] || unset "$variable"
done

# usage: build <name> <checkout> [variable=value...]
build()
{
    local name=$1 checkout=$2 started deb
    shift 2
    started=$(date +%s)
    env "$@" "$checkout/packaging/build-deb.sh" "$out/$name" >"$out/$name.log" 2>&1 || {
        tail -n 40 "$out/$name.log" >&2
        echo "check-reproducible: the build in $checkout failed" >&2
        exit 1
    }
    deb=$(echo "$out/$name"/*.deb)
    echo "$name build ($checkout): $(($(date +%s) - started)) s, $(basename "$deb") sha256 $(sha256sum <"$deb" | cut -d' ' -f1)"
}
build first "$first"
mkdir -p "$out/a/much/longer/temporary/folder"
(umask 0002 && build second "$second" TZ=Pacific/Kiritimati TMPDIR="$out/a/much/longer/temporary/folder")

if cmp -s "$out"/first/*.deb "$out"/second/*.deb; then
    echo "check-reproducible: the same bytes twice"
else
    echo "check-reproducible: the two packages differ" >&2
    if command -v diffoscope >/dev/null; then
        diffoscope "$out"/first/*.deb "$out"/second/*.deb >&2 || true
    fi
    exit 1
fi
