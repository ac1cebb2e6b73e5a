#!/usr/bin/env bash
# Makes the README's picture of a player's career with the program itself: Tarvex under its own
# Xvfb, listing the real replays with the real map cache of the game's maps as the player's, the
# details of a replay docked and the career of one of its players opened from his row, once the
# orders of his games are read.
# Usage: scripts/screenshot-career.sh BUILD_FOLDER SHARED_FOLDER OUTPUT.png
set -euo pipefail
build=$1
shared=$2
output=$3

work=$(mktemp -d)
pids=()
tarvex_pid=
run_label=screenshot
scenario="the career window"
. "$(dirname "$0")/../tests/e2e/x_screen.sh"
trap cleanup EXIT

real="$shared/testdata/replays/real"
"$build/bin/make_e2e_home" "$work/home" "$real/Golden Replay #2.rep" "$shared/testdata/maps/MapCache.ini"
replays=$(find "$work/home" -type d -name Replays)
find "$real" -maxdepth 1 -name '*.rep' ! -name 'Golden Replay #2.rep' -exec cp {} "$replays" \;

# Wide enough for the career window beside the two others.
screen_size=1600x900
start_x
xsetroot -solid '#1b1c1e'

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb \
  "$build/bin/tarvex" >"$work/tarvex.log" 2>&1 &
tarvex_pid=$!
main=$(window_named Tarvex) || fail "Tarvex did not show its window"
eval "$(xdotool getwindowgeometry --shell "$main")"
# The filter finds the replay; a double click on its row docks the details; Escape gives the
# whole list back, the replay still selected.
xdotool mousemove $((X + 100)) $((Y + 41)) click 1
xdotool type --delay 40 'golden replay #2'
xdotool mousemove $((X + 100)) $((Y + 41)) click --repeat 2 --delay 120 1
xdotool key Escape
details=$(window_named MoreForm) || fail "no details window"
eval "$(xdotool getwindowgeometry --shell "$details")"
# tar, the fourth player's row (the observer has none).
xdotool mousemove $((X + 60)) $((Y + 74 + 3 * 28 + 14))
sleep 0.5
xdotool click 1
career=$(window_named PlayerForm) || fail "the career window did not open"
eval "$(xdotool getwindowgeometry --shell "$career")"
CX=$X CY=$Y
# The pointer on a map's row, the shot once the reading's bar is full.
xdotool mousemove $((CX + 400)) $((CY + 85 + 6))
full=
for _ in $(seq 100); do
  import -window root "$work/screen.png"
  orange=$(/usr/bin/convert "$work/screen.png" -crop "1x1+$((CX + 621))+$((CY + 420))" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p')
  [ "$orange" = "223 132 59" ] && { full=1; break; }
  sleep 0.1
done
[ -n "$full" ] || fail "the orders were not read"
xdotool mousemove $((CX + 300)) $((CY + 5))
sleep 0.5
import -window root "$work/screen.png"
eval "$(xdotool getwindowgeometry --shell "$main")"
left=$((CX < X ? CX : X))
right=$((CX < X ? X + 280 - 3 + 192 : CX + 640))
/usr/bin/convert "$work/screen.png" -crop "$((right - left + 24))x$((440 + 24))+$((left - 12))+$((CY - 12))" \
  +repage -strip -define png:exclude-chunks=date,time "$output"
echo "screenshot-career: $output"
