#!/bin/bash
# Children with accounts of their own share one record on a computer where the game is installed, and no child can
# spoil it for the others. An earlier version's pair, left to its champion, is handed over to the record's account;
# then, round after round, the champion attacks the files, the directory, the lock and its own helper, and the other
# child still reads the pair whole and beats it. Real games play the first and the last round.
# Runs as root inside an X server that accepts every local account (xvfb-run -s -ac).
# usage: shared_record.sh <build dir> <shared record dir> <record account>
set -euo pipefail
build=$1
shared=$2
account=$3
here=$(dirname "$(readlink -f "$0")")
own_mark=.quorvane-test # marks a shared directory made by an earlier version of this test

skip()
{
    echo "SKIP: $*"
    exit 77
}
fail()
{
    echo "FAIL: $*"
    exit 1
}
[ "$(id -u)" = 0 ] || skip "needs root, to make accounts and the shared directory"
if [ -e "$shared" ] && [ ! -e "$shared/$own_mark" ]; then
    skip "$shared exists and is not this test's own: the computer's record is left alone"
fi
# The rest runs in a mount namespace of its own, with empty folders over the shared directory's parent and over
# /usr/local, where the game is installed as `make install` does it: nothing of the computer's is touched, and another
# run of this test at the same time cannot pull the directory away.
parent=$(dirname "$shared")
if [ -z "${QUORVANE_PRIVATE_MOUNT:-}" ]; then
    # CTest keeps the suites of one run from sharing the accounts; this keeps apart runs from two build trees. Only
    # this process holds the lock, so that nothing the test leaves running can keep it.
    exec {lock}>/tmp/quorvane-shared-record.lock
    flock "$lock"
    reason=$(unshare --mount --propagation unchanged true 2>&1) || skip "no mount namespace here: $reason"
    made_parent=
    [ -d "$parent" ] || { mkdir -p "$parent" && made_parent=$parent; }
    status=0
    # Propagation left as it is: making all of / private fails in a plain chroot, whose root is no mount point.
    QUORVANE_PRIVATE_MOUNT=1 unshare --mount --propagation unchanged "$0" "$@" {lock}>&- || status=$?
    if [ -n "$made_parent" ]; then rmdir "$made_parent" 2>/dev/null || true; fi
    exit $status
fi
mounts=()
unmount_all()
{
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || true; done
}
trap unmount_all EXIT
# Nothing mounted here may show through outside the namespace. Where / is a mount point (a computer, a container),
# all of it becomes private at once. In a plain chroot it is not one: there each folder the test mounts over is first
# bound onto itself and made private, and these bindings, which a shared mount around the chroot passes on to its
# peers, are undone at the end.
bind_first=
mount --make-rprivate / 2>/dev/null || bind_first=yes
for folder in "$parent" /usr/local; do
    if [ -n "$bind_first" ]; then
        reason=$(mount --bind "$folder" "$folder" 2>&1) || skip "cannot mount in a mount namespace here: $reason"
        mounts+=("$folder")
        mount --make-private "$folder"
    fi
    reason=$(mount -t tmpfs -o mode=0755 quorvane-test "$folder" 2>&1) ||
        skip "cannot mount in a mount namespace here: $reason"
    mounts+=("$folder")
done

work=$(mktemp -d)
users=()
holders=()
made_account=
getent passwd "$account" >/dev/null || made_account=yes
cleanup()
{
    for holder in "${holders[@]}"; do kill -- "-$holder" 2>/dev/null || true; done
    for user in "${users[@]}"; do userdel "$user" 2>/dev/null || true; done
    rm -rf "$work"
    unmount_all
    if [ -n "$made_account" ]; then userdel "$account" || true; fi
}
trap cleanup EXIT
chmod 755 "$work"
# The accounts may not enter the checkout (under a home of mode 0700, as Debian 13 makes them): they run copies.
cp "$here/champion.py" "$here/play.py" "$work/"
# As root, the install makes the record's account, the helper set-user-id to it and the shared directory.
cmake --install "$build" --prefix /usr/local >/dev/null
game=/usr/local/games/quorvane
helper=/usr/local/lib/games/quorvane/quorvane-record

for child in a b; do
    user="qvtest$child$$"
    useradd --no-create-home --home-dir "$work/home-$child" --shell /bin/sh "$user"
    users+=("$user")
    mkdir "$work/home-$child"
    chown "$user:" "$work/home-$child"
done
names=(Anna Bruno)

# The pair as the set-group-id version left it: the champion's own files in a directory of the games group.
rm "$shared"/*
printf '1\r\n' >"$shared/azerbilox.txt"
printf 'Anna\r\n' >"$shared/nzerbilox.txt"
chown "${users[0]}:games" "$shared"/*.txt
chmod 0664 "$shared"/*.txt
chown root:games "$shared"
chmod 0775 "$shared"
# Installing the new version over it, as the package's postinst does too.
cmake --install "$build" --prefix /usr/local >/dev/null
for file in "$shared/azerbilox.txt" "$shared/nzerbilox.txt"; do
    [ "$(stat -c '%U %a' "$file")" = "$account 644" ] || fail "$file was not handed over: $(stat -c '%U %a' "$file")"
done

play_as()
{
    local user=$1 home=$2
    shift 2
    runuser -u "$user" -- env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=C.UTF-8 \
        dbus-run-session -- /usr/bin/python3 "$work/champion.py" "$game" "$@"
}
play_as "${users[1]}" "$work/home-b" Bruno Anna 1 2

# Round after round the champion (who saved last) attacks, and the other child reads the pair and beats it.
champion=1
score=2
as_champion()
{
    runuser -u "${users[$champion]}" -- "$@"
}
attack()
{
    local what=$1 outcome
    shift
    if outcome=$(as_champion "$@" 2>&1); then outcome=done; else outcome="refused: ${outcome##*: }"; fi
    echo "attack: $what -> $outcome"
}
# A holder keeps what it takes (a lease, a lock) while the other child plays; its whole process group ends later.
hold()
{
    local what=$1
    shift
    setsid runuser -u "${users[$champion]}" -- "$@" 2>/dev/null &
    holders+=("$!")
    sleep 0.3
    if kill -0 "$!" 2>/dev/null; then echo "attack: $what -> held"; else echo "attack: $what -> refused"; fi
}
other_child_beats_it()
{
    local victim=$((1 - champion)) expected answer
    expected=$(printf '%d %d\n%d\r\n%s\r\n' $((${#score} + 2)) $((${#names[$champion]} + 2)) "$score" \
        "${names[$champion]}")
    answer=$(timeout 20 runuser -u "${users[$victim]}" -- "$helper" --read) || fail "the other child's read failed"
    [ "$answer" = "$expected" ] || fail "the other child read $(printf %q "$answer")"
    score=$((score + 1))
    printf %s "${names[$victim]}" | timeout 20 runuser -u "${users[$victim]}" -- "$helper" "$score" ||
        fail "the other child could not beat the record with $score"
    for holder in "${holders[@]}"; do kill -- "-$holder" 2>/dev/null || true; done
    holders=()
    champion=$victim
}
records=("$shared/azerbilox.txt" "$shared/nzerbilox.txt")
for file in "${records[@]}" "$shared/record.lock"; do attack "chmod 0000 $file" chmod 0000 "$file"; done
attack "chmod 0777 $shared" chmod 0777 "$shared"
other_child_beats_it
for file in "${records[@]}"; do attack "truncate $file" truncate -s 0 "$file"; done
other_child_beats_it
for file in "${records[@]}"; do
    attack "rewrite $file" sh -c "echo 32767 >'$file'"
    attack "replace $file" ln -sf /dev/null "$file"
done
other_child_beats_it
for file in "${records[@]}"; do
    hold "read lease on $file" python3 -c 'import fcntl, os, sys, time
fd = os.open(sys.argv[1], os.O_RDONLY)
fcntl.fcntl(fd, fcntl.F_SETLEASE, fcntl.F_RDLCK)
time.sleep(60)' "$file"
done
for file in "${records[@]}" "$shared" "$shared/record.lock"; do hold "flock on $file" flock -n "$file" sleep 60; done
other_child_beats_it
# The champion stops and kills its own helper while it saves.
score=$((score + 1))
# Signalled once it has taken the record's account: while the champion can still reach it, it has not (or never
# will, which the attack then shows), for at most 5 s.
stop=$(as_champion sh -c '(sleep 1; printf %s "$3") | "$1" "$2" & pid=$!; tries=0
    while kill -0 $pid 2>/dev/null && [ $tries -lt 100 ]; do sleep 0.05; tries=$((tries + 1)); done
    kill -STOP $pid 2>/dev/null && echo stopped; kill -KILL $pid 2>/dev/null && echo killed; wait' sh "$helper" \
    "$score" "${names[$champion]}")
echo "attack: SIGSTOP and SIGKILL to its own helper -> ${stop:-refused}"
[ -z "$stop" ] || fail "the champion could signal its own helper: $stop"
other_child_beats_it

# A real game starts, shows the record whole and beats it.
play_as "${users[$((1 - champion))]}" "$work/home-$([ $champion = 0 ] && echo b || echo a)" \
    "${names[$((1 - champion))]}" "${names[$champion]}" "$score" $((score + 1))
for file in "${records[@]}"; do
    [ "$(stat -c '%U %a' "$file")" = "$account 644" ] || fail "$file is $(stat -c '%U %a' "$file")"
done
[ "$(stat -c '%U %a' "$shared/record.lock")" = "$account 600" ] || fail "the lock file is open to others"

# Another game holds the lock for good, as a helper frozen in its child's session would: the other child's game
# starts all the same, plays without the record and ends with status 0, and the pair stays as it was.
pair=$(cat "${records[@]}" | sha256sum)
setsid runuser -u "$account" -- flock "$shared/record.lock" sleep 600 &
holders+=("$!")
deadline=$((SECONDS + 10))
while flock -n "$shared/record.lock" true; do
    [ $SECONDS -lt $deadline ] || fail "the lock holder did not take the lock"
    sleep 0.1
done
play_as "${users[$champion]}" "$work/home-$([ $champion = 0 ] && echo a || echo b)" "${names[$champion]}" - - 3
[ "$(cat "${records[@]}" | sha256sum)" = "$pair" ] || fail "the pair changed while its lock was held"
echo "ok: one record shared by two accounts, and neither could spoil it for the other"
