#!/bin/sh
# Takes docs/screenshot.png of the real program: starts it under Xvfb, answers the name box and
# the greeting, waits until Merlin has dictated the first exercise, and keeps the game window.
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
sleep 25

window=$(xdotool search --onlyvisible --name QUORVANE | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage PNG24:docs/screenshot.png
