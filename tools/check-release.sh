#!/bin/bash
# Checks the current commit on a given Debian release as a newcomer there would meet it: in a minimal root of that
# release (made with debootstrap, or reused), a fresh clone runs `CI=true make test`, then `make package`, and
# lintian checks that release's package. Prints the time of each step and the test and lintian results.
# usage: sudo tools/check-release.sh <release> [root directory]   (e.g. trixie; uncommitted changes are not seen)
# The root defaults to /var/tmp/quorvane-roots/<release>, or $QUORVANE_ROOTS/<release>; it is kept for the next run.
set -euo pipefail

release=${1:?usage: $0 <release> [root directory]}
root=${2:-${QUORVANE_ROOTS:-/var/tmp/quorvane-roots}/$release}
source=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
name=check-release
commit=$(git -C "$source" rev-parse HEAD)
log=$root.log

fail()
{
    echo "check-release: $*" >&2
    exit 1
}

[ "$(id -u)" = 0 ] || fail "needs root (debootstrap, mount, chroot): run it with sudo"
root=$(realpath -m "$root")
. "$source/tools/debian-root.sh"
case "$root/" in "$source"/*) fail "the root $root would be inside the checkout $source" ;; esac
[ -z "$(git -C "$source" status --porcelain --untracked-files=no)" ] ||
    echo "check-release: uncommitted changes are not checked, only commit ${commit:0:12}" >&2

if make_root; then
    step_done "debootstrap --variant=minbase"
fi

exec > >(tee "$log") 2>&1

trap unmount_all EXIT
enter_root

checkout=/root/quorvane
clone_commit $checkout "$commit"

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
clone_commit $again "$commit"
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
