#!/bin/sh
# Takes the README's pictures of the real program: starts it under Xvfb and answers the name box
# and the greeting; docs/narrator.png is the whole screen while Merlin introduces the game, and
# docs/screenshot.png the game window once he has dictated the first exercise.
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
