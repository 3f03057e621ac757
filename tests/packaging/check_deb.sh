#!/bin/bash
# Builds the Debian package as `make package` does and checks its control fields and contents: the libraries
# the program links, the run-time data it needs, exactly the files of an install under /usr, and lintian's verdict.
# usage: check_deb.sh <version>
set -euo pipefail
. "$(dirname "$0")/common.sh"
version=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$(dirname "$0")/../../packaging/build-deb.sh" "$work/out" >"$work/build.log" 2>&1 || {
    cat "$work/build.log" >&2
    fail "the package build failed"
}
deb="$work/out/quorvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$work/out")"

field()
{
    dpkg-deb -f "$deb" "$1"
}
[ "$(field Package)" = quorvane ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
depends=$(field Depends)
names()
{
    local names
    names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
    grep -qxF "$1" <<<"$names" || fail "Depends does not name $1: $depends"
}
# Named by hand: what the program opens at run time without linking it.
for package in espeak-ng-data fonts-liberation2 fonts-roboto-unhinted; do
    names "$package"
done
# The Wayland platform plugin, for a session without XWayland.
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)'"
dpkg-deb -x "$deb" "$work/root"
program="$work/root/usr/games/quorvane"
# Found by dpkg-shlibdeps: the package of every library the program links (Qt, espeak-ng, libpcaudio, libc, ...).
names libqt6widgets6
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for library in $(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }'); do
    owner=$(dpkg -S "*/$multiarch/$library")
    names "${owner%%:*}"
done
grep -q '^ Description: ' <<<"$(dpkg-deb -I "$deb")" || fail "no Description"
# The maintainer scripts that set up the shared record on install and forget it on purge.
dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
    [ -x "$work/control/$script" ] || fail "no $script in the package"
done
# Debian's own judgement of the package: no error, no warning (those that cannot be helped are overridden in it).
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"

# Debian 12 keeps the packages' units in /lib/systemd/system, which 13 merged into /usr: checked as if there.
if [ -d "$work/root/lib/systemd/system" ]; then
    mkdir -p "$work/root/usr/lib/systemd"
    mv "$work/root/lib/systemd/system" "$work/root/usr/lib/systemd/"
fi
check_file_list "$work/root/usr"
[ -z "$(cd "$work/root" && find . -type f -not -path './usr/*')" ] || fail "files outside /usr"
check_icon_sizes "$work/root/usr"
grep -q ', stripped' <<<"$(file "$program")" || fail "the packaged program is not stripped"
check_program_answers "$program" "$version"
echo "package $(basename "$deb") in order"
