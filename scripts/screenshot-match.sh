#!/usr/bin/env bash
# Makes the README's picture of the match window with the program itself: Tarvex under its own
# Xvfb, listing one real replay with the real map cache of the game's maps as the player's, the
# details window docked and the match window opened from its map picture.
# Usage: scripts/screenshot-match.sh BUILD_FOLDER SHARED_FOLDER OUTPUT.png
set -euo pipefail
build=$1
shared=$2
output=$3

work=$(mktemp -d)
pids=()
tarvex_pid=
run_label=screenshot
scenario="the match window"
. "$(dirname "$0")/../tests/e2e/x_screen.sh"
trap cleanup EXIT

"$build/bin/make_e2e_home" "$work/home" \
  "$shared/testdata/replays/real/00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep" \
  "$shared/testdata/maps/MapCache.ini"

# Wide enough for the match window beside the two others.
screen_size=1600x900
start_x
xsetroot -solid '#1b1c1e'

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb \
  "$build/bin/tarvex" >"$work/tarvex.log" 2>&1 &
tarvex_pid=$!
main=$(window_named Tarvex) || fail "Tarvex did not show its window"
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 100)) $((Y + 41)) click --repeat 2 --delay 120 1
details=$(window_named MoreForm) || fail "no details window"
eval "$(xdotool getwindowgeometry --shell "$details")"
DX=$X DY=$Y
sleep 0.5
xdotool mousemove $((DX + 96)) $((DY + 49)) click 1
match=$(window_named MatchForm) || fail "the match window did not open"
eval "$(xdotool getwindowgeometry --shell "$match")"
MX=$X MY=$Y MW=$WIDTH MH=$HEIGHT
# The pointer out of the way, the windows drawn.
xdotool mousemove $((MX + 400)) $((MY + 5))
sleep 1
import -window root "$work/screen.png"
left=$((MX < DX ? MX : DX - 280 + 3))
right=$((MX < DX ? DX + 192 : MX + MW))
# The match window is as tall as its time line's rows: the crop as tall as the tallest window.
height=$((MH > 310 ? MH : 310))
/usr/bin/convert "$work/screen.png" -crop "$((right - left + 24))x$((height + 24))+$((left - 12))+$((MY - 12))" \
  +repage -strip -define png:exclude-chunks=date,time "$output"
echo "screenshot-match: $output"
