#!/bin/bash
# `make run` installs no sound server, no window manager and no test tool: neither in its own package list, nor among
# what apt brings with it (dependencies and recommendations, every alternative counted).
# usage: check_run_packages.sh <source directory>
set -euo pipefail

setting() { make -s --no-print-directory -C "$1" "print-$2"; }
run=$(setting "$1" RUN_PACKAGES)
servers="pulseaudio pipewire pipewire-pulse wireplumber"
status=0
for package in $run; do
    for unwanted in $servers $(setting "$1" TEST_PACKAGES); do
        [ "$package" != "$unwanted" ] || { echo "make run installs $package" && status=1; }
    done
done
window_managers=$(apt-cache showpkg x-window-manager | sed '1,/^Reverse Provides:/d' | cut -d' ' -f1)
# shellcheck disable=SC2086 # one package a word
brought=$(apt-cache depends --recurse --no-suggests --no-conflicts --no-breaks --no-replaces --no-enhances $run |
    grep -v '^ ' | sort -u)
for unwanted in $servers $window_managers; do
    ! grep -qx -- "$unwanted" <<<"$brought" || { echo "make run brings $unwanted with it" && status=1; }
done
exit $status
