#!/usr/bin/env bash
# Makes the README's picture with the program itself: Tarvex under its own Xvfb, listing the
# sample replays, with the details of a 4v4 game open beside the list.
# Usage: scripts/screenshot.sh BUILD_FOLDER OUTPUT.png
set -euo pipefail
build=$1
output=$2

work=$(mktemp -d)
pids=()
tarvex_pid=
run_label=screenshot
scenario="the list and the details"
. "$(dirname "$0")/../tests/e2e/x_screen.sh"
trap cleanup EXIT

replays="$work/home/Documents/Command and Conquer Generals Zero Hour Data/Replays"
mkdir -p "$replays"
"$build/bin/make_sample_replays" "$replays"

start_x
# A dark grey desktop, so the rounded corners show against something.
xsetroot -solid '#1b1c1e'

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb \
  "$build/bin/tarvex" >"$work/tarvex.log" 2>&1 &
tarvex_pid=$!
window=$(window_named Tarvex) || fail "Tarvex did not show its window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The fourth row: "4v4 Guerre totale.rep".
xdotool mousemove $((X + 100)) $((Y + 35 + 3 * 13 + 6)) click --repeat 2 --delay 120 1
# The shot is taken once the details window shows the map's name in orange.
shown=
for _ in $(seq 100); do
  if xdotool search --onlyvisible --name '^MoreForm$' >/dev/null 2>&1; then
    import -window root "$work/screen.png"
    orange=$(/usr/bin/convert "$work/screen.png" -crop "170x13+$((X + 277 + 11))+$((Y + 11))" -depth 8 txt:- |
      sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
      awk '$1 > 180 && $2 > 100 && $2 < 160 && $3 < 100 { n++ } END { print n + 0 }')
    [ "$orange" -gt 20 ] && { shown=1; break; }
  fi
  sleep 0.1
done
[ -n "$shown" ] || { echo "screenshot: the details window did not show the replay" >&2; exit 1; }
# Both windows and a margin of desktop round them.
/usr/bin/convert "$work/screen.png" -crop "$((280 - 3 + 192 + 24))x$((310 + 24))+$((X - 12))+$((Y - 12))" +repage -strip -define png:exclude-chunks=date,time "$output"
echo "screenshot: $output"
