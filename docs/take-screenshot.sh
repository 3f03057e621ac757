#!/bin/sh
# Takes the README's pictures of the real program: starts it under Xvfb and answers the name box
# and the greeting; docs/narrator.png is the whole screen while Merlin introduces the game, and
# docs/screenshot.png the game window once he has dictated the first exercise. docs/progress.png is the
# "I tuoi progressi" window of a second run, opened with Alt+P over a history of twelve games in the
# file's own format, in a data folder of its own.
# Usage, from the top of the repository after a build: docs/take-screenshot.sh [build-dir]
set -e
build=${1:-build}
[ -n "$DISPLAY" ] || exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"

"$build/src/quorvane" >/dev/null 2>&1 &
game=$!
trap 'kill $game 2>/dev/null' EXIT

answer() { # types $1 and Enter into the box titled "Quorvane"
    box=$(xdotool search --sync --onlyvisible --name '^Quorvane$' | head -1)
    xdotool windowfocus --sync "$box"
    [ -z "$1" ] || xdotool type --delay 50 "$1"
    xdotool key Return
}
answer Luca
sleep 1.5
answer ""
sleep 6
import -window root PNG24:docs/narrator.png
sleep 19

window=$(xdotool search --onlyvisible --name QUORVANE | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage PNG24:docs/screenshot.png

kill $game 2>/dev/null
wait $game 2>/dev/null || true

# Fourteen games of Luca's over ten days, and two of his sister's: 7 x 7 missed at first and right in his last
# games, 7 x 8 still missed, 7 x 3 missed once in his last game.
data=$(mktemp -d)
trap 'kill $game 2>/dev/null; rm -rf "$data"' EXIT
mkdir -p "$data/quorvane"
history="$data/quorvane/history.csv"
printf '\357\273\277data,nome,giuste,sbagliate' >"$history"
for f in 1 2 3 4 5 6 7 8 9 10; do printf ',7 x %d giuste,7 x %d sbagliate' $f $f >>"$history"; done
printf '\r\n' >>"$history"
for g in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16; do
    name=Luca; [ $((g % 7)) -eq 0 ] && name=Giulia
    right=0 wrong=0 facts=
    for f in 1 2 3 4 5 6 7 8 9 10; do
        r=$((1 + (g * f) % 4 + g / 5)) w=0
        [ $f -eq 7 ] && r=$((1 + g / 3)) w=$((g < 11 ? 3 - g / 4 : 0))
        [ $f -eq 8 ] && r=$((1 + g / 8)) w=3
        [ $f -eq 3 ] && [ $g -eq 16 ] && w=1
        right=$((right + r)) wrong=$((wrong + w)) facts="$facts,$r,$w"
    done
    # Two games a day on the last days, in the afternoon and the evening.
    day=$(( g < 10 ? 16 - g : 6 - (g - 10) / 2 )) hour=$(( g >= 10 && g % 2 ? 20 : 17 ))
    printf '%s,%s,%d,%d%s\r\n' "$(date -d "$((day)) days ago $hour:30" +%Y-%m-%dT%H:%M:%S%:z)" $name $right $wrong \
        "$facts" >>"$history"
done

XDG_DATA_HOME="$data" "$build/src/quorvane" --progress >/dev/null 2>&1 &
game=$!
progress=$(xdotool search --sync --onlyvisible --name '^I tuoi progressi$' | head -1)
sleep 2
eval "$(xdotool getwindowgeometry --shell "$progress")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage PNG24:docs/progress.png
