#!/bin/bash
# Checks the current commit on a given Debian release as a newcomer there would meet it: in a minimal root of that
# release (made with debootstrap, or reused), a fresh clone runs `CI=true make test`, then `make package`, and
# lintian checks that release's package. Prints the time of each step and the test and lintian results.
# usage: sudo tools/check-release.sh <release> [root directory]   (e.g. trixie; uncommitted changes are not seen)
# The root defaults to /var/tmp/quorvane-roots/<release>, or $QUORVANE_ROOTS/<release>; it is kept for the next run.
set -euo pipefail

# The archive this machine installs its own packages from, as debootstrap is given it: the first `URIs:` of the
# deb822 sources under $1/sources.list.d, or else the first `deb` line of $1/sources.list (its [options] skipped).
archive_address()
{
    local apt=$1 address
    address=$(awk '$1 == "URIs:" { print $2; exit }' "$apt"/sources.list.d/*.sources 2>/dev/null || true)
    if [ -z "$address" ] && [ -r "$apt/sources.list" ]; then
        address=$(sed -n 's/^[[:space:]]*deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]\+\).*/\2/p' \
            "$apt/sources.list" | head -n 1)
    fi
    [ -n "$address" ] || return 1
    echo "$address"
}

release=${1:?usage: $0 <release> [root directory]}
root=${2:-${QUORVANE_ROOTS:-/var/tmp/quorvane-roots}/$release}
source=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$source" rev-parse HEAD)
log=$root.log

fail()
{
    echo "check-release: $*" >&2
    exit 1
}

[ "$(id -u)" = 0 ] || fail "needs root (debootstrap, mount, chroot): run it with sudo"
mirror=${DEBIAN_MIRROR:-$(archive_address /etc/apt)} ||
    fail "no Debian archive in /etc/apt's sources: give one as DEBIAN_MIRROR=<address>"
mkdir -p "$(dirname "$root")"
root=$(realpath -m "$root")
case "$root/" in "$source"/*) fail "the root $root would be inside the checkout $source" ;; esac
[ -z "$(git -C "$source" status --porcelain --untracked-files=no)" ] ||
    echo "check-release: uncommitted changes are not checked, only commit ${commit:0:12}" >&2

started=$(date +%s)
last=$started
steps=()
step_done()
{
    local now
    now=$(date +%s)
    steps+=("$(printf '%-40s %5d s' "$1" $((now - last)))")
    last=$now
}

if [ ! -x "$root/bin/bash" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -q debootstrap
    # Made aside and renamed once complete, so that an interrupted run is never taken for a root.
    rm -rf "$root.partial"
    debootstrap --variant=minbase "$release" "$root.partial" "$mirror"
    mv "$root.partial" "$root"
    step_done "debootstrap --variant=minbase"
fi

# Packages installed in the root must not start services.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

exec > >(tee "$log") 2>&1

mounted=()
unmount_all()
{
    local pid i
    # Whatever the checks left running in the root (a display server, a sound server) would keep it busy.
    for pid in /proc/[0-9]*; do
        [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && kill "${pid#/proc/}" 2>/dev/null || true
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount --lazy "${mounted[i]}" ||
            echo "check-release: could not unmount ${mounted[i]}" >&2
    done
}
trap unmount_all EXIT
mount_in_root()
{
    local target=$root$1
    shift
    mount "$@" "$target"
    mounted+=("$target")
}
mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs sysfs
mount_in_root /dev --bind /dev
# Private, so that the tmpfs below never shows through on the host's /dev/shm.
mount --make-private "$root/dev"
mount_in_root /dev/pts --bind /dev/pts
mount_in_root /dev/shm -t tmpfs -o mode=1777 shm
cp /etc/resolv.conf "$root/etc/resolv.conf"

in_root()
{
    chroot "$root" env -i HOME=/root LANG=C.UTF-8 TERM=dumb DEBIAN_FRONTEND=noninteractive \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# A fresh clone of the commit at the given path of the root.
clone_commit()
{
    rm -rf "${root:?}$1"
    git clone --quiet --no-checkout "$(git -C "$source" rev-parse --path-format=absolute --git-common-dir)" "$root$1"
    git -C "$root$1" checkout --quiet --detach "$commit"
}
checkout=/root/quorvane
clone_commit $checkout

echo "== $release, commit $(git -C "$source" log -1 --format='%h %s' "$commit")"
status=0
# Runs one step in the root and times it; after a failure the later steps are skipped.
step()
{
    local name=$1
    shift
    [ "$status" = 0 ] || return 0
    in_root "$@" || status=$?
    step_done "$name$([ "$status" = 0 ] || echo " FAILED ($status)")"
}
# The one thing a newcomer installs by hand: make itself.
step "make (apt-get install)" bash -c 'apt-get update -q && apt-get install -y -q make'
installed_packages() { in_root dpkg-query -W -f='${Status}\n' | grep -c '^install ok installed$'; }
before=$(installed_packages)
step "packages for make run (make deps)" make -C $checkout deps
# All that `make run` installs, when the root was made afresh for this run.
run_packages=$(($(installed_packages) - before))
step "packages for make test (make test-deps)" make -C $checkout test-deps
step "build (CI=true make build)" make -C $checkout CI=true build
step "tests (CI=true make test)" make -C $checkout CI=true test
step "make package" make -C $checkout CI=true package
step "lintian" bash -c "cd $checkout && lintian --fail-on error,warning --display-info build/quorvane_*.deb"
# Two more package builds, from the first clone and from a second one made only now, must give the same bytes.
again=/root/quorvane-again
clone_commit $again
step "reproducible (two clones, two builds)" $checkout/tools/check-reproducible.sh $checkout $again

echo
echo "== $release: commit ${commit:0:12}, $([ "$status" = 0 ] && echo "all steps passed" || echo FAILED), log in $log"
printf '%s\n' "${steps[@]}"
printf '%-40s %5d s\n' total $(($(date +%s) - started))
in_root dpkg-query -W -f='${Package} ${Version}\n' qt6-base-dev g++ cmake lintian 2>/dev/null || true
echo "make deps installed $run_packages packages"
grep -E 'tests passed|tests failed' "$log" || true
if [ "$status" = 0 ] || [[ "${steps[-1]}" == lintian* ]]; then
    echo "lintian: $(grep -c '^E: ' "$log") errors, $(grep -c '^W: ' "$log") warnings, $(grep -c '^I: ' "$log") notes"
fi
exit "$status"
