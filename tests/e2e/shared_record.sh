#!/bin/bash
# Children with accounts of their own share one record on a computer where the game is installed, kept by the record
# service, and no child can spoil it for the others. An earlier version's pair, left to its champion, is handed over
# to the record's account; round after round the champion attacks the files, the directory and the service, and the
# other child still reads the pair whole and beats it, each request answered within a second. Real games, at a
# child's pace, play the first and the last round. The service takes a save only with a ticket of the saver's own,
# unused, unexpired, for a score its age allows and a name that reads as one; with the service gone, a game still
# plays and ends well.
# Runs as root inside an X server that accepts every local account (xvfb-run -s -ac).
# usage: shared_record.sh <build dir> <shared record dir> <record account> <record socket>
set -euo pipefail
build=$1
shared=$2
account=$3
socket=$4
here=$(dirname "$(readlink -f "$0")")
own_mark=.quorvane-test # marks a shared directory made by an earlier version of this test

skip()
{
    echo "SKIP: $*"
    exit 77
}
# On standard error: said from inside a command substitution too.
fail()
{
    echo "FAIL: $*" >&2
    [ -z "${work:-}" ] || sed 's/^/service: /' "$work/service.log" >&2 2>/dev/null || true
    exit 1
}
[ "$(id -u)" = 0 ] || skip "needs root, to make accounts and the shared directory"
if [ -e "$shared" ] && [ ! -e "$shared/$own_mark" ]; then
    skip "$shared exists and is not this test's own: the computer's record is left alone"
fi
# The rest runs in a mount namespace of its own, with empty folders over the shared directory's parent, over
# /usr/local, where the game is installed as `make install` does it, over the socket's folder and over the folder
# where the install enables the socket: nothing of the computer's is touched, and another run of this test at the
# same time cannot pull a folder away.
parent=$(dirname "$shared")
folders=("$parent" /usr/local "$(dirname "$socket")" /etc/systemd/system)
if [ -z "${QUORVANE_PRIVATE_MOUNT:-}" ]; then
    # CTest keeps the suites of one run from sharing the accounts; this keeps apart runs from two build trees. Only
    # this process holds the lock, so that nothing the test leaves running can keep it.
    exec {lock}>/tmp/quorvane-shared-record.lock
    flock "$lock"
    reason=$(unshare --mount --propagation unchanged true 2>&1) || skip "no mount namespace here: $reason"
    made=()
    for folder in "${folders[@]}"; do [ -d "$folder" ] || { mkdir -p "$folder" && made+=("$folder"); }; done
    status=0
    # Propagation left as it is: making all of / private fails in a plain chroot, whose root is no mount point.
    QUORVANE_PRIVATE_MOUNT=1 unshare --mount --propagation unchanged "$0" "$@" {lock}>&- || status=$?
    for folder in "${made[@]}"; do rmdir "$folder" 2>/dev/null || true; done
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
for folder in "${folders[@]}"; do
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
# Killed outright: a stopped holder would keep a gentler signal pending.
release_holders()
{
    for holder in "${holders[@]}"; do kill -KILL -- "-$holder" 2>/dev/null || true; done
    holders=()
}
services=()
made_account=
getent passwd "$account" >/dev/null || made_account=yes
cleanup()
{
    release_holders
    for service in "${services[@]}"; do kill "$service" 2>/dev/null || true; done
    for user in "${users[@]}"; do userdel "$user" 2>/dev/null || true; done
    rm -rf "$work"
    unmount_all
    if [ -n "$made_account" ]; then userdel "$account" || true; fi
}
trap cleanup EXIT
chmod 755 "$work"
# The accounts may not enter the checkout (under a home of mode 0700, as Debian 13 makes them): they run copies.
cp "$here/champion.py" "$here/play.py" "$here/recordclient.py" "$here/recordattack.py" "$work/"
game=/usr/local/games/quorvane
service=/usr/local/lib/games/quorvane/quorvane-recordd
# As root, the install makes the record's account and its directory, and enables the service's socket.
cmake --install "$build" --prefix /usr/local >/dev/null

for child in a b; do
    user="qvtest$child$$"
    useradd --no-create-home --home-dir "$work/home-$child" --shell /bin/sh "$user"
    users+=("$user")
    mkdir "$work/home-$child"
    chown "$user:" "$work/home-$child"
done
names=(Anna Bruno)

# The pair as the set-group-id version left it: the champion's own files in a directory of the games group.
rm -f "$shared"/*
printf '1\r\n' >"$shared/azerbilox.txt"
printf 'Anna\r\n' >"$shared/nzerbilox.txt"
records=("$shared/azerbilox.txt" "$shared/nzerbilox.txt")
pair=$(cat "${records[@]}" | sha256sum)
chown "${users[0]}:games" "${records[@]}"
chmod 0664 "${records[@]}"
chown root:games "$shared"
chmod 0775 "$shared"
# Installing the new version over it, as the package's postinst does too.
cmake --install "$build" --prefix /usr/local >/dev/null
for file in "${records[@]}"; do
    [ "$(stat -c '%U %a' "$file")" = "$account 644" ] || fail "$file was not handed over: $(stat -c '%U %a' "$file")"
done
[ "$(cat "${records[@]}" | sha256sum)" = "$pair" ] || fail "the pair changed when it was handed over"

# The service as its socket unit starts it: the listening socket passed in, as the record's account, no groups.
serve() # <socket> <option>...
{
    local at=$1 deadline=$((SECONDS + 10))
    shift
    systemd-socket-activate -l "$at" setpriv --reuid="$account" --regid="$account" --clear-groups -- \
        "$service" "$@" 2>>"$work/service.log" &
    services+=("$!")
    until [ -S "$at" ]; do
        [ $SECONDS -lt $deadline ] || fail "no socket at $at"
        sleep 0.1
    done
    chmod 0666 "$at" # the unit's SocketMode
}
serve "$socket" --directory "$shared"
# A second service whose tickets expire after a second, on a directory of its own.
short=$parent/short-lived
short_socket=$(dirname "$socket")/short-lived.socket
mkdir "$short"
chown "$account:$account" "$short"
serve "$short_socket" --directory "$short" --ticket-lifetime 1

# One request of child $1 to the service at $2, answered within a second whatever the other child does; prints the
# answer.
ask_at() # <child> <socket> <word>...
{
    local child=$1 at=$2
    shift 2
    runuser -u "${users[$child]}" -- python3 "$work/recordclient.py" "$at" "$*" 1 ||
        fail "${names[$child]}'s request $* had no answer within a second"
}
ask()
{
    local child=$1
    shift
    ask_at "$child" "$socket" "$@"
}
# Tickets begun now, for the saves of later rounds: as a game's, well before the save. The service keeps 8 for each
# account, used or not, and drops the oldest for a ninth: these are used oldest first, before the games' own come.
tickets=("" "")
begin_tickets() # <child> <how many>
{
    local i answer
    for ((i = 0; i < $2; i++)); do
        answer=$(ask "$1" begin)
        [[ $answer == "ticket "* ]] || fail "${names[$1]} could not begin a game: $answer"
        tickets[$1]+=" ${answer#ticket }@$SECONDS"
    done
}
# Sets `ticket` to child $1's oldest, once it is old enough for a score of $2.
take_ticket() # <child> <score>
{
    local began
    read -r ticket "tickets[$1]" <<<"${tickets[$1]}"
    began=${ticket#*@}
    ticket=${ticket%@*}
    while [ $((SECONDS - began)) -le "$2" ]; do sleep 0.2; done
}
begin_tickets 0 8
begin_tickets 1 6
short_ticket=$(ask_at 0 "$short_socket" begin)

play_as()
{
    local child=$1
    shift
    runuser -u "${users[$child]}" -- env -i HOME="$work/home-$child" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin \
        LANG=C.UTF-8 dbus-run-session -- /usr/bin/python3 "$work/champion.py" "$game" "$@"
}
play_as 1 Bruno Anna 1 2

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
# A holder keeps what it takes (a lease, a lock, connections) while the other child plays; its whole process group
# ends later.
hold()
{
    local what=$1
    shift
    setsid runuser -u "${users[$champion]}" -- "$@" 2>/dev/null &
    holders+=("$!")
    disown
    sleep 0.3
    if kill -0 "$!" 2>/dev/null; then echo "attack: $what -> held"; else echo "attack: $what -> refused"; fi
}
expect_pair() # <child> <score> <name>
{
    local answer
    answer=$(ask "$1" read)
    [ "$answer" = "$(printf 'ok %d %d\n%d\r\n%s\r' $((${#2} + 2)) $(($(printf %s "$3" | wc -c) + 2)) "$2" "$3")" ] ||
        fail "${names[$1]} read $(printf %q "$answer")"
}
other_child_beats_it()
{
    local victim=$((1 - champion)) answer
    expect_pair "$victim" "$score" "${names[$champion]}"
    score=$((score + 1))
    take_ticket "$victim" "$score"
    answer=$(ask "$victim" save "$ticket" "$score" "${names[$victim]}")
    [ "$answer" = saved ] || fail "${names[$victim]} could not beat the record with $score: $answer"
    champion=$victim
}
for file in "${records[@]}" "$shared/record.lock" "$shared/tickets"; do attack "chmod 0000 $file" chmod 0000 "$file"; done
attack "chmod 0777 $shared" chmod 0777 "$shared"
other_child_beats_it
for file in "${records[@]}" "$shared/tickets"; do attack "truncate $file" truncate -s 0 "$file"; done
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
release_holders

# The champion turns on the service itself: it stops it, stops its own requests halfway, never ends one, and holds
# connection after connection. Meanwhile the other child reads and saves, each within a second, and its real game
# starts, shows the record and beats it.
attack "SIGSTOP to the service" kill -STOP "${services[0]}"
for how in stopped unfinished "idle 300"; do
    # shellcheck disable=SC2086 # the attack's name and count
    hold "a client $how" python3 "$work/recordattack.py" "$socket" $how
done
other_child_beats_it
play_as "$champion" "${names[$champion]}" "${names[$champion]}" "$score" $((score + 1))
release_holders
score=$((score + 1))
for file in "${records[@]}"; do
    [ "$(stat -c '%U %a' "$file")" = "$account 644" ] || fail "$file is $(stat -c '%U %a' "$file")"
done
for file in "$shared/record.lock" "$shared/tickets"; do
    [ "$(stat -c '%U %a' "$file")" = "$account 600" ] || fail "$file is open to others: $(stat -c '%U %a' "$file")"
done

# A save is taken only with a ticket its account began, not used before, not expired, for a score no higher than
# the seconds since, and a name that reads as one. A refused save leaves the pair as it was and is said once in the
# service's log.
saves=0
refusals=0
expect_save() # <what> <answer> <child> <socket> <ticket> <score> <name>
{
    local what=$1 expected=$2 child=$3 at=$4 answer before
    shift 4
    before=$(cat "${records[@]}" | sha256sum)
    answer=$(ask_at "$child" "$at" save "$@")
    echo "save: $what -> $answer"
    [ "${answer%% *}" = "$expected" ] || fail "$what: $expected expected"
    saves=$((saves + 1))
    if [ "$expected" = refused ]; then
        refusals=$((refusals + 1))
        [ "$(cat "${records[@]}" | sha256sum)" = "$before" ] || fail "$what: the pair changed"
    else
        champion=$child
        score=$2
        expect_pair "$child" "$score" "$3"
    fi
}
take_ticket 1 $((score + 1))
expect_save "another account's ticket" refused 0 "$socket" "$ticket" $((score + 1)) Anna
expect_save "no ticket" refused 0 "$socket" 0123456789abcdef0123456789abcdef $((score + 1)) Anna
expect_save "an expired ticket" refused 0 "$short_socket" "${short_ticket#ticket }" 1 Anna
fresh=$(ask 0 begin)
expect_save "a score above the seconds since the ticket" refused 0 "$socket" "${fresh#ticket }" 2 Anna
take_ticket 0 $((score + 1))
expect_save "an honest game" saved 0 "$socket" "$ticket" $((score + 1)) Anna
expect_save "a used ticket" refused 0 "$socket" "$ticket" $((score + 1)) Anna
# The names an audit tried (a direction override, a zero-width space, a pile of combining accents, none, a system
# message with an impossible score), then ordinary Italian names, one with a decomposed accent.
refused_names=($'Anna\xe2\x80\xaeanihC' $'An\xe2\x80\x8bna' $'Anna\xcc\x81\xcc\x81\xcc\x81' ''
    'Record azzerato dal sistema. Riavvia il computer')
# The two children take turns.
for name in "${refused_names[@]}"; do
    take_ticket $((saves % 2)) $((score + 1))
    claimed=$((score + 1))
    [[ $name != Record* ]] || claimed=32767
    expect_save "the name $(printf %q "$name")" refused $((saves % 2)) "$socket" "$ticket" "$claimed" "$name"
done
for name in "Niccolò D'Amico" $'Zoe\xcc\x88 Nicolo\xcc\x80'; do
    take_ticket $((saves % 2)) $((score + 1))
    expect_save "the name $name" saved $((saves % 2)) "$socket" "$ticket" $((score + 1)) "$name"
done
said=$(grep -c "salvataggio rifiutato" "$work/service.log" || true)
[ "$said" = "$refusals" ] || fail "$refusals saves refused, $said said in the service's log"

# With the service gone and its socket left behind, another child's game starts and plays without the record, and a
# new best score that cannot be saved is said in a box: status 0. The pair stays as it was.
pair=$(cat "${records[@]}" | sha256sum)
kill "${services[0]}"
wait "${services[0]}" || true
[ -S "$socket" ] || fail "the socket went with the service"
play_as $((1 - champion)) "${names[$((1 - champion))]}" - - 3
[ "$(cat "${records[@]}" | sha256sum)" = "$pair" ] || fail "the pair changed without the service"
echo "ok: one record shared by two accounts, and neither could spoil it for the other"
