#!/bin/bash
# Times what a newcomer waits for on this machine, its packages already installed: `make test` and then
# `CI=true make test`, each in a fresh clone of the current commit, taken in turn so that both meet the same load;
# prints every run's phases and the median of each.
# usage: tools/time-make-test.sh [runs]   (3 unless given; uncommitted changes are not seen)
set -euo pipefail
runs=${1:-3}
source=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$source" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-timing.XXXXXX")
trap 'rm -rf "$work"' EXIT
# A compiler cache would hand a fresh clone the objects of earlier builds, which a newcomer does not have.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
export CCACHE_DISABLE=1

median()
{
    tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

declare -A seconds_of=([plain]="" [ci]="")
for ((run = 1; run <= runs; run++)); do
    for kind in plain ci; do
        clone=$work/$kind-$run
        git clone --quiet --no-checkout "$(git -C "$source" rev-parse --path-format=absolute --git-common-dir)" "$clone"
        git -C "$clone" checkout --quiet --detach "$commit"
        started=$(date +%s)
        status=0
        if [ $kind = ci ]; then
            env CI=true make -C "$clone" test >"$clone.log" 2>&1 || status=$?
        else
            env -u CI make -C "$clone" test >"$clone.log" 2>&1 || status=$?
        fi
        seconds=$(($(date +%s) - started))
        if [ "$status" != 0 ]; then
            tail -n 40 "$clone.log"
            echo "time-make-test: $kind run $run failed" >&2
            exit 1
        fi
        seconds_of[$kind]+="$seconds "
        echo "== $kind run $run: $seconds s, load $(cut -d' ' -f1-3 /proc/loadavg)"
        sed -n '/phase by phase/,$p' "$clone.log"
        rm -rf "$clone"
    done
done
echo "== commit ${commit:0:12}, $(nproc) cores, median of $runs: make test $(median "${seconds_of[plain]}") s," \
    "CI=true make test $(median "${seconds_of[ci]}") s"
