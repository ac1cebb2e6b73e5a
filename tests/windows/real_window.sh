#!/usr/bin/env bash
# tarvex.exe under Wine in a real X server of its own, used as a player uses it: the game's
# registry value names a user data folder in the Wine prefix's documents, whose Replays folder
# holds the scenario's replays and a maps\ picture. Checked from the screen's pixels, as the
# Linux scenarios do; the drag here goes through the Windows-only answer to the window system's
# hit test (the press becomes a press on a caption, and Wine moves the window). At a scale of 2
# (Windows' 192 dots per inch) the windows are twice as large in screen pixels, and the hit test
# turns screen pixels into the window's own.
# Usage: real_window.sh TARVEX.EXE MAKE_E2E_HOME.EXE WINE_RUN 1|2        (WINEPREFIX set)
set -euo pipefail
tarvex=$1
make_replays=$2
wine_run=$3
s=$4

work=$(mktemp -d)
pids=()
tarvex_pid=
readonly game_key='HKLM\SOFTWARE\Electronic Arts\EA GAMES\Command and Conquer Generals Zero Hour'
readonly leaf="Tarvex Scenario Data"
readonly desktop_key='HKCU\Control Panel\Desktop'
documents="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Documents"
before_cleanup() {
  "$wine_run" reg delete "$game_key" /reg:32 /f >/dev/null 2>&1 || true
  "$wine_run" reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1 || true
  # Wine's desktop process holds our display: it must not outlive the display.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "${documents:?}/$leaf"
}
run_label=Wine
scenario=setup
# The screen grows with the scale, so that the windows fit as they do at 1024 x 768.
screen_size="$((1024 * s))x$((768 * s))"
. "$(dirname "$0")/../e2e/x_screen.sh"
trap cleanup EXIT
# Wine's desktop process, if one runs in the prefix, belongs to no display or to another: the
# prefix's processes start again on our display.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
start_x

"$wine_run" "$make_replays" "Z:$documents/$leaf/Replays" || fail "the replays could not be written"
"$wine_run" reg add "$game_key" /reg:32 /v UserDataLeafName /t REG_SZ /d "$leaf" /f >/dev/null ||
  fail "the registry value could not be written"
"$wine_run" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d $((96 * s)) /f >/dev/null ||
  fail "the screen's scale could not be set"

echo "scale $s"
row_y() { echo $((35 + $1 * 13 + 6)); }   # the middle of the list's visible row n
# Screen coordinates of the point (x, y) of a window at (X, Y) on screen: x, y in the window's
# own pixels.
in_main() { echo $((MX + $1 * s)) $((MY + $2 * s)); }
in_window() { echo $((WX + $1 * s)) $((WY + $2 * s)); }
readonly orange_test='r > 180 && g > 100 && g < 160 && b < 100'
readonly not_black='r + g + b > 60'
click_at() { xdotool mousemove "$1" "$2" click "${3:-1}"; }

scenario="centred, corners cut"
# Wine itself, not its wrapper, so that the process id is the program's own. Its output goes to
# a file: Wine's helper processes must not hold the caller's pipes.
WINEDEBUG=-all wine "$tarvex" </dev/null >"$work/tarvex.log" 2>&1 &
tarvex_pid=$!
# A program's first window in a prefix takes Wine a while (its graphics set-up).
main=$(window_named Tarvex || window_named Tarvex || window_named Tarvex) || fail "no Tarvex window"
wait_geometry "$main" "$((372 * s)),$((229 * s)),$((280 * s)),$((310 * s))" "the main window (centred)"
MX=$WX MY=$WY
# The rows are drawn once the eighth (a broken replay) shows its red: the list's panel is black
# before any row is.
wait_pixel $(in_main 240 "$(row_y 7)") "251,98,98" "the eighth row's colour (a broken replay)"
root=$(pixel 2 2)
for corner in "0 0" "$((WW - 1)) 0" "0 $((WH - 1))" "$((WW - 1)) $((WH - 1))" "1 1" "$((WW - 2)) $((WH - 2))"; do
  set -- $corner
  expect_pixel $((MX + $1)) $((MY + $2)) "$root" "the corner outside the rounded outline"
done
expect_pixel $(in_main 240 "$(row_y 0)") "0,0,0" "the first row's colour (a valid replay)"

scenario="double click shows the details docked"
# At x 130 of the list: in screen pixels at scale 2 (260) it is right of the scroll bar, where
# a hit test that took screen pixels for the window's own would answer "caption" and the
# double click would move the window instead.
xdotool mousemove $(in_main 130 "$(row_y 0)") click --repeat 2 --delay 120 1
details=$(window_named MoreForm) || fail "no details window"
wait_geometry "$details" "$((MX + 277 * s)),$MY,$((192 * s)),$((310 * s))" "the details window"
wait_pixel $(in_window 96 49) "0,200,0" "the map picture"
[ "$(count_pixels $(in_window 11 11) $((170 * s)) $((13 * s)) "$orange_test")" -gt 20 ] || fail "no map name"
[ "$(count_pixels $(in_window 11 31) $((55 * s)) $((35 * s)) "$orange_test")" -gt 20 ] || fail "no version and length"
for row in 0 1; do
  icons=$(count_pixels $(in_window 149 $((75 + row * 28))) $((25 * s)) $((26 * s)) "$not_black")
  [ "$icons" -gt 500 ] || fail "the army icon of player row $row is missing ($icons pixels)"
done

scenario="a player's career: his army's row shows its games in the list, Escape restores it"
# Kestrel's row, the first.
click_at $(in_window 60 88)
career=$(window_named PlayerForm) || fail "no career window"
geometry_of "$career"
[ "$WW" -eq $((640 * s)) ] && [ "$WH" -eq $((440 * s)) ] || fail "the career window is ${WW}x$WH"
# The reading's bar filled to its end in orange once his games' orders are read.
wait_pixel $(in_window 621 420) "223,132,59" "the reading's bar, full"
[ "$(count_pixels $(in_window 16 12) $((300 * s)) $((16 * s)) "$orange_test")" -gt 20 ] ||
  fail "no name in the career window"
# His first army's row: the list shows its three files, so the broken eighth row goes.
click_at $(in_window 400 91)
click_at $(in_window 624 4)
wait_gone PlayerForm
wait_pixel $(in_main 240 "$(row_y 7)") "0,0,0" "the eighth row, filtered out"
# Escape in the list gives the whole list back (a click on its selected row gives it the keys).
click_at $(in_main 130 "$(row_y 0)")
xdotool key Escape
wait_pixel $(in_main 240 "$(row_y 7)") "251,98,98" "the eighth row's colour, back"

scenario="dragging the skin moves both windows"
read -r x y <<<"$(in_main 100 20)"
xdotool mousemove "$x" "$y" mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((x + 10 * step)) $((y + 7 * step)); sleep 0.1; done
xdotool mouseup 1
wait_geometry "$main" "$((MX + 60)),$((MY + 42))" "after the drag, the main window"
MX=$WX MY=$WY
wait_geometry "$details" "$((MX + 277 * s)),$MY" "after the drag, the details window"

scenario="about opens centred and closes on its glyph"
click_at $(in_main 250 297)
about=$(window_named "A propos") || fail "no about window"
wait_geometry "$about" "$((MX + 44 * s)),$((MY + 94 * s)),$((192 * s)),$((121 * s))" "the about window"
wait_pixels $(in_window 11 11) $((160 * s)) $((98 * s)) 'r == g && g == b && r > 100' 50 \
  "the about window shows no grey text"
click_at $(in_window 176 5)
wait_gone "A propos"

scenario="close ends the program"
click_at $(in_main 251 17)
expect_clean_exit 15

echo "real window (Wine, scale $s): all scenarios as expected"
