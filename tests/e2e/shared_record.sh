#!/bin/bash
# Two children with accounts of their own share one record on a computer where the game is installed: the first
# sets it, the second sees that champion at start-up and beats it, the first then sees the second.
# Runs as root inside an X server that accepts every local account (xvfb-run -s -ac).
# usage: shared_record.sh <build dir> <shared record dir>
set -euo pipefail
build=$1
shared=$2
here=$(dirname "$(readlink -f "$0")")
own_mark=.quorvane-test # marks a shared directory this test made, should an earlier run have been killed

skip()
{
    echo "SKIP: $*"
    exit 77
}
[ "$(id -u)" = 0 ] || skip "needs root, to make accounts and the shared directory"
if [ -e "$shared" ] && [ ! -e "$shared/$own_mark" ]; then
    skip "$shared exists and is not this test's own: the computer's record is left alone"
fi

work=$(mktemp -d)
users=()
made_parent=
cleanup()
{
    for user in "${users[@]}"; do userdel "$user" 2>/dev/null || true; done
    rm -rf "$work" "$shared"
    if [ -n "$made_parent" ]; then rmdir "$made_parent" 2>/dev/null || true; fi
}
trap cleanup EXIT
chmod 755 "$work"
# The accounts may not enter the checkout (under a home of mode 0700, as Debian 13 makes them): they run copies.
cp "$here/champion.py" "$here/play.py" "$work/"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
game="$work/prefix/bin/quorvane"
[ -x "$game" ] || game="$work/prefix/games/quorvane"

[ -d "$(dirname "$shared")" ] || made_parent=$(dirname "$shared")
mkdir -p "$shared"
touch "$shared/$own_mark"
chgrp games "$shared"
chmod 0775 "$shared"

for child in a b; do
    user="qvtest$child$$"
    useradd --no-create-home --home-dir "$work/home-$child" --shell /bin/sh "$user"
    users+=("$user")
    mkdir "$work/home-$child"
    chown "$user:" "$work/home-$child"
done

play_as()
{
    local user=$1 home=$2
    shift 2
    runuser -u "$user" -- env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=C.UTF-8 \
        dbus-run-session -- /usr/bin/python3 "$work/champion.py" "$game" "$@"
}
play_as "${users[0]}" "$work/home-a" Anna "" "" 1
play_as "${users[1]}" "$work/home-b" Bruno Anna 1 2
play_as "${users[0]}" "$work/home-a" Anna Bruno 2 0

[ "$(cat "$shared/azerbilox.txt")" = $'2\r' ] || { echo "FAIL: the shared best score is not 2"; exit 1; }
[ "$(cat "$shared/nzerbilox.txt")" = $'Bruno\r' ] || { echo "FAIL: the shared champion is not Bruno"; exit 1; }
[ "$(stat -c %G "$shared/nzerbilox.txt")" = games ] || { echo "FAIL: the champion file is not the games group's"; exit 1; }
echo "ok: one record shared by two accounts"
