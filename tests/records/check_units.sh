#!/bin/bash
# The record service's units as systemd reads them: verify finds no fault (not even a warning), and the service's
# exposure, as systemd rates it offline, stays at or below the threshold (0 to 100: an exposure of 0.6 is 6).
# usage: check_units.sh UNIT_DIRECTORY THRESHOLD
set -euo pipefail
cd "$1"
# Manual pages are no part of what is checked here: the game's is installed with the game.
findings=$(systemd-analyze verify --man=no quorvane-record.socket quorvane-record.service 2>&1) ||
    { echo "FAIL: systemd-analyze verify: $findings" >&2; exit 1; }
[ -z "$findings" ] || { echo "FAIL: systemd-analyze verify: $findings" >&2; exit 1; }
systemd-analyze security --offline=yes --threshold="$2" quorvane-record.service | tail -n 1
