#!/bin/bash
# Checks the package's life on a family's computer that runs no systemd as PID 1: in a throwaway Debian 12 root, the
# packages of the two earlier layouts of the computer's record are built from this checkout's history (the
# set-group-id one, built with CPack, and the set-user-id one) beside this commit's, and tools/package-lifecycle.sh
# installs, upgrades and purges them there. In a Debian 13 root this commit's package is built and installed and
# purged too; lintian judges it on both. In the Debian 12 root `make install` as root is checked as well. Prints the
# time of each step.
# usage: sudo tools/check-upgrades.sh   (uncommitted changes are not seen)
# The roots are $QUORVANE_ROOTS/{bookworm,trixie} (default /var/tmp/quorvane-roots), made with debootstrap if
# missing and kept; so are the packages built there, under /var/cache/quorvane-check/<commit>/, for the next run.
set -euo pipefail

source=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
name=check-upgrades
commit=$(git -C "$source" rev-parse HEAD)
# The last commits of the two earlier layouts: the games group's set-group-id helper, and the record account's
# set-user-id helper.
setgid_commit=$(git -C "$source" rev-parse 4a8962a)
setuid_commit=$(git -C "$source" rev-parse d5b29e0)
roots=$(realpath -m "${QUORVANE_ROOTS:-/var/tmp/quorvane-roots}")

fail()
{
    echo "$name: $*" >&2
    exit 1
}

[ "$(id -u)" = 0 ] || fail "needs root (debootstrap, mount, chroot): run it with sudo"
[ -z "$(git -C "$source" status --porcelain --untracked-files=no)" ] ||
    echo "$name: uncommitted changes are not checked, only commit ${commit:0:12}" >&2
case "$roots/" in "$source"/*) fail "the roots $roots would be inside the checkout $source" ;; esac
. "$source/tools/debian-root.sh"
log=$roots/check-upgrades.log
mkdir -p "$roots"
exec > >(tee "$log") 2>&1
trap unmount_all EXIT

# Sets package to the path in the root of commit $1's package, built by the shell commands $2 in a clone of it at
# /root/quorvane-build (output into $out) unless an earlier run built it.
build_package()
{
    local at=$1 commands=$2 cache=/var/cache/quorvane-check/$1
    mkdir -p "$root/var/cache/quorvane-check"
    if ! compgen -G "$root$cache/*.deb" >/dev/null; then
        clone_commit /root/quorvane-build "$at"
        in_root nice bash -c "set -e; out=$cache.partial; rm -rf \$out; mkdir -p \$out; cd /root/quorvane-build; $commands
            mv \$out $cache" >"$root$cache.log" 2>&1 || {
            tail -n 40 "$root$cache.log"
            fail "$release: the package of ${at:0:12} did not build (log: $root$cache.log)"
        }
        step_done "$release: package of ${at:0:12}"
    fi
    package=$(echo "$root$cache"/*.deb)
    package=${package#"$root"}
}
# Built as each commit built its package: CPack on the built tree (only the installed targets), or debian/.
# That tree configures its tests always: the tools they would run are named, not installed.
cpack_build='cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
        -DSTRACE=/bin/true -DXVFB_RUN=/bin/true -DDBUS_RUN_SESSION=/bin/true -DXDOTOOL=/bin/true -DXPROP=/bin/true \
        -DLIBFAKETIME=/bin/true
    cmake --build build -j2 --target quorvane quorvane-record icons
    (cd build && cpack -G DEB)
    cp build/quorvane_*.deb $out/'
debian_build='packaging/build-deb.sh $out'

status=0
for release in bookworm trixie; do
    root=$roots/$release
    if make_root; then
        step_done "$release: debootstrap --variant=minbase"
    fi
    enter_root
    clone_commit /root/quorvane-build "$commit"
    # What the packages' builds need, the tools of the checks (systemctl, offline; lintian), and for the
    # set-group-id layout's its X11 plugins' package, which it names, and the X library its benchmarks configure with.
    in_root bash -c 'apt-get update -q && apt-get build-dep -y -q /root/quorvane-build &&
        apt-get install -y -q --no-install-recommends ninja-build dpkg-dev file lintian systemd \
        qt6-qpa-plugins libxcb1-dev' \
        >"$root.packages.log" 2>&1 || fail "$release: the packages could not be installed (log: $root.packages.log)"
    step_done "$release: packages"
    build_package "$commit" "$debian_build"
    new=$package
    echo "== $release: lintian $(basename "$new")"
    if in_root lintian --fail-on error,warning --display-info "$new"; then
        step_done "$release: lintian"
    else
        status=1
        step_done "$release: lintian FAILED"
    fi
    earlier=()
    if [ "$release" = bookworm ]; then
        build_package "$setgid_commit" "$cpack_build"
        earlier=("$package")
        build_package "$setuid_commit" "$debian_build"
        earlier+=("$package")
    fi
    cp "$source/tools/package-lifecycle.sh" "$root/root/package-lifecycle.sh"
    echo "== $release: install, upgrades, purge"
    # `make install` from this commit's clone too, in the Debian 12 root.
    make_install=()
    if [ "$release" = bookworm ]; then
        clone_commit /root/quorvane-build "$commit"
        make_install=(MAKE_INSTALL_FROM=/root/quorvane-build)
    fi
    if in_root "${make_install[@]}" bash /root/package-lifecycle.sh "$new" "${earlier[@]}"; then
        step_done "$release: install, upgrades, purge"
    else
        status=1
        step_done "$release: install, upgrades, purge FAILED"
    fi
    unmount_all
done

echo
echo "== commit ${commit:0:12}: $([ "$status" = 0 ] && echo "all checks passed" || echo FAILED), log in $log"
printf '%s\n' "${steps[@]}"
printf '%-40s %5d s\n' total $(($(date +%s) - started))
exit "$status"
