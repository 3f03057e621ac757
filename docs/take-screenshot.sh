#!/bin/sh
# Takes the README's pictures of the real program: starts it under Xvfb and answers the name box
# and the greeting; docs/narrator.png is the whole screen while Merlin introduces the game, and
# docs/screenshot.png the game window once he has dictated the first exercise. docs/progress.png is the
# "I tuoi progressi" window of `quorvane --progress` over a history of sixteen games in the file's own
# format, in a data folder of its own; docs/progress-page.png the first page of the PDF it saves (Salva come PDF).
# docs/progress-class.png is the class view over thirty children, one of them with a 250-character name, and
# docs/progress-class-page.png the first page of its PDF.
# Usage, from the top of the repository after a build: docs/take-screenshot.sh [build-dir]
set -e
build=${1:-build}
[ -n "$DISPLAY" ] || exec xvfb-run -a -s "-screen 0 1366x768x24" "$0" "$@"

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
trap 'kill $game 2>/dev/null || true; rm -rf "$data"' EXIT
mkdir -p "$data/quorvane"
history="$data/quorvane/history.csv"
header() { # the history's first line
    printf '\357\273\277data,nome,giuste,sbagliate'
    for f in 1 2 3 4 5 6 7 8 9 10; do printf ',7 x %d giuste,7 x %d sbagliate' $f $f; done
    printf '\r\n'
}
header >"$history"
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

shoot() { # the progress window as docs/$1.png, and the first page of the PDF it saves as docs/$1-page.png
    progress=$(xdotool search --sync --onlyvisible --name '^I tuoi progressi$' | head -1)
    xdotool windowfocus --sync "$progress"
    [ -z "$2" ] || xdotool key "$2"
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$progress")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage PNG24:"docs/$1.png"
    xdotool key alt+p
    box=$(xdotool search --sync --onlyvisible --name '^Salva come PDF$' | head -1)
    xdotool windowfocus --sync "$box"
    xdotool key ctrl+a
    xdotool type "$data/$1.pdf"
    xdotool key Return
    while [ ! -s "$data/$1.pdf" ]; do sleep 0.2; done
    pdftoppm -r 70 -png -singlefile "$data/$1.pdf" "docs/$1-page"
    kill $game
    wait $game 2>/dev/null || true
}
shoot progress

# Thirty children, 7 x 1 ... 7 x n missed by the n-th of every ten, in three games each.
header >"$history"
names="Ada Bruno Carla Dario Elena Fabio Gaia Ivo Luca Marta Nico Olga Pietro Rita Sara Tommaso Ugo Viola Zeno
    Alice Bianca Cesare Dora Enzo Flavia Guido Irene Leo Mia"
n=0
for name in $names "Giulia $(printf 'm%.0s' $(seq 243))"; do
    n=$((n + 1))
    for g in 1 2 3; do
        facts= wrong=0
        for f in 1 2 3 4 5 6 7 8 9 10; do
            if [ $f -le $((n % 10)) ]; then facts="$facts,0,1" wrong=$((wrong + 1)); else facts="$facts,2,0"; fi
        done
        printf '%s,%s,%d,%d%s\r\n' "$(date -d "$((n % 7 + 4 - g)) days ago 10:$((10 + n))" +%Y-%m-%dT%H:%M:%S%:z)" \
            "$name" $((2 * (10 - wrong))) $wrong "$facts" >>"$history"
    done
done
XDG_DATA_HOME="$data" "$build/src/quorvane" --progress >/dev/null 2>&1 &
game=$!
shoot progress-class End
