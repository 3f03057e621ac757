# shellcheck shell=bash
# A throwaway Debian root for the release checks, sourced by them (bash): made with debootstrap where missing (or
# reused), its /proc, /sys and /dev mounted while the check runs, commands run in it as root with a plain
# environment. Packages installed in it never start services. Before sourcing, the check sets `release`, `root`
# (an absolute path) and `name` (its own name, for messages), and defines fail().

# The time of each step, from when this file is sourced: step_done <name> adds the time since the last one to steps.
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

# Makes the root unless it is there; returns 1 if it was there already.
make_root()
{
    local mirror
    [ ! -x "$root/bin/bash" ] || return 1
    mirror=${DEBIAN_MIRROR:-$(archive_address /etc/apt)} ||
        fail "no Debian archive in /etc/apt's sources: give one as DEBIAN_MIRROR=<address>"
    command -v debootstrap >/dev/null || apt-get install -y -q debootstrap
    mkdir -p "$(dirname "$root")"
    # Made aside and renamed once complete, so that an interrupted run is never taken for a root.
    rm -rf "$root.partial"
    debootstrap --variant=minbase "$release" "$root.partial" "$mirror"
    mv "$root.partial" "$root"
}

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
            echo "$name: could not unmount ${mounted[i]}" >&2
    done
    mounted=()
    if [ -n "${root_lock-}" ]; then
        exec {root_lock}>&-
        root_lock=
    fi
}
# What another run left mounted is used as it is, and left.
mount_in_root()
{
    local target=$root$1
    shift
    ! mountpoint -q "$target" || return 0
    mount "$@" "$target"
    mounted+=("$target")
}
# Mounts what programs in the root expect; unmount_all undoes it. One check at a time in a root: a second waits.
enter_root()
{
    exec {root_lock}>"$root.lock"
    flock "$root_lock"
    # Packages installed in the root must not start services.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    mount_in_root /proc -t proc proc
    mount_in_root /sys -t sysfs sysfs
    mount_in_root /dev --bind /dev
    # Private, so that the tmpfs below never shows through on the host's /dev/shm.
    mount --make-private "$root/dev"
    mount_in_root /dev/pts --bind /dev/pts
    mount_in_root /dev/shm -t tmpfs -o mode=1777 shm
    cp /etc/resolv.conf "$root/etc/resolv.conf"
}

in_root()
{
    chroot "$root" env -i HOME=/root LANG=C.UTF-8 TERM=dumb DEBIAN_FRONTEND=noninteractive \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# A fresh clone of commit $2 of the checkout $source, with its history, at the path $1 of the root.
clone_commit()
{
    rm -rf "${root:?}$1"
    git clone --quiet --no-checkout "$(git -C "$source" rev-parse --path-format=absolute --git-common-dir)" "$root$1"
    git -C "$root$1" checkout --quiet --detach "$2"
}
