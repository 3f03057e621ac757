#!/bin/bash
# Run as root inside a throwaway Debian root without systemd as PID 1 (tools/check-upgrades.sh copies it there):
# installs the package afresh, upgrades to it from each earlier package given, with no statoverride on the record's
# directory, with one that keeps the service from the record (the configuration must stop, saying what to change,
# and leave the record as it was) and with one it can work under (honoured), and purges it after each. Checks each
# time that the champion set before is kept byte for byte, that no file of the package has a set-user-id or
# set-group-id bit, that the service's socket is enabled and that the account owns the record. Prints one line per
# scenario and its time, and the failed checks.
# With MAKE_INSTALL_FROM=<checkout>, it also runs `make install` as root from that checkout onto /usr/local, over the
# set-user-id helper an earlier `make install` left, and checks the same.
# usage: package-lifecycle.sh <package> [<set-group-id layout's package> <set-user-id layout's package>]
set -euo pipefail

new=$1
setgid_package=${2-}
setuid_package=${3-}
account=quorvane
shared=/var/games/quorvane
retired=/usr/lib/games/quorvane/quorvane-record
player=bambino
failures=0
scenario=

check()
{
    local what=$1
    shift
    "$@" || {
        echo "  FAIL ($scenario): $what"
        failures=$((failures + 1))
    }
}

# Back to a root without the game: the package, the record, the account and every statoverride gone.
reset()
{
    if dpkg-query -W quorvane >/dev/null 2>&1; then
        dpkg --purge quorvane >/dev/null
    fi
    local path
    for path in "$shared" "$retired"; do
        if dpkg-statoverride --list "$path" >/dev/null; then
            dpkg-statoverride --remove "$path"
        fi
    done
    if getent passwd "$account" >/dev/null; then
        # Without the cron package it says, on every run, that it has no crontab to clean.
        deluser --quiet --system "$account" 2>/dev/null
    fi
    if getent group "$account" >/dev/null; then
        delgroup --quiet --system "$account"
    fi
    rm -rf "$shared"
}

apt_install()
{
    apt-get install -y -q --no-install-recommends "$1" >"/tmp/apt.log" 2>&1
}

# The champion's bytes, and who owns the directory and the pair with what mode.
pair_bytes() { (cd "$shared" && sha256sum azerbilox.txt nzerbilox.txt); }
pair_owners() { stat -c '%U:%G %a %n' "$shared" "$shared/azerbilox.txt" "$shared/nzerbilox.txt"; }

# As a player, through the earlier layout's helper (score as argument, name on standard input).
set_champion()
{
    printf "Niccolò D'Amico" | setpriv --reuid="$player" --regid="$player" --init-groups -- "$retired" 77
}

no_setid_file()
{
    local files
    files=$(dpkg -L quorvane | while read -r path; do [ ! -e "$path" ] || find "$path" -maxdepth 0 -perm /6000; done)
    [ -z "$files" ] || {
        echo "  set-user-id or set-group-id: $files"
        return 1
    }
}

# What an installed package must show; $1: the directory's owners and mode.
check_installed()
{
    check "the directory is $1" [ "$(stat -c '%U:%G %a' "$shared")" = "$1" ]
    check "the account logs in nowhere and lives in $shared" \
        [ "$(getent passwd "$account" | cut -d: -f6,7)" = "$shared:/usr/sbin/nologin" ]
    local file
    for file in azerbilox.txt nzerbilox.txt; do
        [ ! -e "$shared/$file" ] || check "$file is the account's" [ "$(stat -c %U "$shared/$file")" = "$account" ]
    done
    check "the socket is enabled" [ "$(systemctl is-enabled quorvane-record.socket)" = enabled ]
    check "no set-user-id or set-group-id file" no_setid_file
    check "what root runs is root's" [ -z "$(find /usr/lib/games/quorvane -not -user root)" ]
    check "the retired helper is gone" [ ! -e "$retired" ]
    check "its statoverride is gone" bash -c "! dpkg-statoverride --list $retired"
}

check_purged()
{
    dpkg --purge quorvane >/dev/null
    check "purge removes $shared" [ ! -e "$shared" ]
    check "purge leaves no statoverride on the retired helper" bash -c "! dpkg-statoverride --list $retired"
}

begin()
{
    scenario=$1
    scenario_started=$(date +%s)
    reset
}
end()
{
    printf '%-60s %4d s\n' "$scenario" $(($(date +%s) - scenario_started))
}

getent passwd "$player" >/dev/null || useradd --create-home "$player"

begin "fresh install, purge"
check "the package installs" apt_install "$new"
check_installed "$account:$account 755"
check_purged
end

# usage: upgrade <layout> <its package> <statoverride on the directory: none, refused or honoured>
upgrade()
{
    local layout=$1 old=$2 override=$3 bytes owners status=0
    begin "upgrade from the $layout layout, statoverride $override"
    check "the $layout package installs" apt_install "$old"
    check "a player sets the champion through the $layout helper" set_champion
    case $override in
    refused)
        dpkg-statoverride --update --add root games 0775 "$shared"
        ;;
    honoured)
        getent passwd "$account" >/dev/null ||
            adduser --system --group --quiet --no-create-home --home "$shared" "$account"
        dpkg-statoverride --update --add "$account" "$account" 0750 "$shared"
        ;;
    esac
    bytes=$(pair_bytes)
    owners=$(pair_owners)
    apt_install "$new" || status=$?
    if [ "$override" = refused ]; then
        check "the configuration stops" [ "$status" != 0 ]
        check "it says what to change" grep -qF "dpkg-statoverride --remove $shared" /tmp/apt.log
        sed -n 's/^quorvane-record-setup: /  said: /p' /tmp/apt.log
        check "the record is untouched" [ "$(pair_owners)" = "$owners" ]
        # As the message says.
        dpkg-statoverride --remove "$shared"
        check "the configuration ends after the change" bash -c "dpkg --configure quorvane >/tmp/configure.log 2>&1"
    else
        check "the upgrade succeeds" [ "$status" = 0 ]
    fi
    check "the champion is kept byte for byte" [ "$(pair_bytes)" = "$bytes" ]
    if [ "$override" = honoured ]; then
        check_installed "$account:$account 750"
    else
        check_installed "$account:$account 755"
    fi
    check_purged
    end
}

for override in none refused honoured; do
    [ -z "$setgid_package" ] || upgrade set-group-id "$setgid_package" "$override"
    [ -z "$setuid_package" ] || upgrade set-user-id "$setuid_package" "$override"
done

# The checks of an installed package on what `make install` installed under /usr/local.
check_made_install()
{
    local prefix=/usr/local
    make -C "$1" install >/tmp/make-install.log 2>&1 || {
        tail -n 20 /tmp/make-install.log
        check "make install succeeds" false
    }
    check "the directory is $account:$account 755" [ "$(stat -c '%U:%G %a' "$shared")" = "$account:$account 755" ]
    check "the socket is enabled" [ "$(systemctl is-enabled quorvane-record.socket)" = enabled ]
    check "no set-user-id or set-group-id file" [ -z "$(find $prefix/games $prefix/lib/games -perm /6000)" ]
    check "what root runs is root's" [ -z "$(find $prefix/lib/games/quorvane -not -user root)" ]
    check "the earlier helper is gone" [ ! -e $prefix/lib/games/quorvane/quorvane-record ]
    systemctl disable --quiet quorvane-record.socket
    xargs rm -f <"$1/build/install_manifest.txt"
}
if [ -n "${MAKE_INSTALL_FROM-}" ]; then
    begin "make install over an earlier one"
    install -D -m 4755 /bin/true /usr/local/lib/games/quorvane/quorvane-record
    check_made_install "$MAKE_INSTALL_FROM"
    end
fi
reset

if [ "$failures" = 0 ]; then
    echo "install, upgrades and purge: all checks passed"
else
    echo "install, upgrades and purge: $failures checks failed"
    exit 1
fi
