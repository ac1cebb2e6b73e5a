#!/usr/bin/env bash
# Tarvex in a real X server of its own, used as a player uses it, once without a window manager
# and once under openbox: what only a real screen shows (the window mask, the window manager's
# moves, pointer grabs and focus). Each scenario starts the real program in a home folder that
# holds a Steam Proton prefix with 100 replays and ends it by its process id; the match window's
# scenario, one with a real replay and the real map cache from SHARED (skipped without them).
# Usage: scenarios.sh TARVEX MAKE_E2E_HOME none|openbox [SHARED]
set -euo pipefail
tarvex=$1
make_home=$2
wm=$3
shared=${4:-}

work=$(mktemp -d)
pids=()
tarvex_pid=
run_label=$wm
scenario=setup
. "$(dirname "$0")/x_screen.sh"
trap cleanup EXIT

"$make_home" "$work/home"
start_x
[ "$wm" = openbox ] && start_openbox

# The main window's layout, in window coordinates.
row_y() { echo $((35 + $1 * 13 + 6)); }   # the middle of the list's visible row n
bar_x=254                                   # the middle of the scroll bar's column
bar_top=33
readonly orange_test='r > 180 && g > 100 && g < 160 && b < 100'
readonly not_black='r + g + b > 60'

start_tarvex() {
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb "$tarvex" \
    >"$work/tarvex.log" 2>&1 &
  tarvex_pid=$!
  main=$(window_named Tarvex) || fail "no Tarvex window"
  geometry_of "$main"
  MX=$WX MY=$WY
  # The rows are drawn once the eighth (a broken replay) shows its red: the list's panel is
  # black before any row is.
  wait_pixel $((MX + 240)) $((MY + $(row_y 7))) "251,98,98" "the eighth row once shown"
}
stop_tarvex() {
  kill "$tarvex_pid" 2>/dev/null || true
  wait "$tarvex_pid" 2>/dev/null || true
  tarvex_pid=
}
click_at() { xdotool mousemove "$1" "$2" click "${3:-1}"; }
# A press held for $3 seconds at (x, y): the hold itself is what is tested.
hold_at() { xdotool mousemove "$1" "$2" mousedown 1; sleep "$3"; xdotool mouseup 1; }

# The scroll bar's position as the scroller shows it: the scroller's top is the first black
# line down the middle of the track, and the layout rule puts it at 13 + 222 * P / 81 (rounded
# half to even) for the 100 replays (81 positions, a 3-pixel scroller).
scroller_top() {
  local top
  top=$(/usr/bin/convert "$work/shot.png" -crop "1x225+$((MX + bar_x))+$((MY + bar_top + 13))" -depth 8 txt:- |
    awk -F'[,:() ]+' '/^[0-9]/ && $3 == 0 && $4 == 0 && $5 == 0 { print $2 + 13; exit }')
  [ -n "$top" ] || fail "no scroller on the bar"
  echo "$top"
}
top_for_position() {
  awk -v p="$1" 'BEGIN { x = 222 * p / 81; r = int(x + 0.5); if (r - x == 0.5 && r % 2 == 1) r--; print 13 + r }'
}
position_for_top() {
  local p
  for p in $(seq 0 81); do [ "$(top_for_position "$p")" = "$1" ] && { echo "$p"; return; }; done
  echo -1
}
# The list shows replay `first` on its first row: replay i is broken (light red) when i % 10 == 7.
expect_list_from() {
  local k i colour
  for k in 0 1 2 3 4 5 6 7 8 9 10; do
    i=$(($1 + k))
    colour="0,0,0"; [ $((i % 10)) = 7 ] && colour="251,98,98"
    expect_pixel $((MX + 240)) $((MY + $(row_y $k))) "$colour" "list row $k (replay $i, bar at $1)"
  done
}
bar_and_list_agree() { # what
  shot
  local top position
  top=$(scroller_top)
  position=$(position_for_top "$top")
  [ "$position" -ge 0 ] || fail "$1: the scroller's top $top is not where the layout puts a position"
  expect_list_from "$position"
  echo "$position"
}
# The scroller's position once the bar and the list have stopped moving: two shots a tenth of
# a second apart show the same position, and the list matches it.
scroller_still_at() { # what
  local before now
  before=$(bar_and_list_agree "$1")
  for _ in $(seq 100); do
    sleep 0.1
    now=$(bar_and_list_agree "$1")
    [ "$now" = "$before" ] && { echo "$now"; return 0; }
    before=$now
  done
  fail "$1: the scroll bar never stopped moving"
}
shot_scroller_at() { shot; [ "$(scroller_top)" = "$(top_for_position "$1")" ]; }
# Waits until the scroller shows position $1, then checks the list against it.
wait_position() { # position what
  wait_until shot_scroller_at "$1" || fail "$2: the scroll bar never reached position $1"
  bar_and_list_agree "$2" >/dev/null
}

scenario="centred, corners cut"
start_tarvex
[ "$MX" = 372 ] && [ "$MY" = 229 ] || fail "the window is at $MX,$MY, not centred"
shot
root=$(pixel 2 2)
for corner in "0 0" "279 0" "0 309" "279 309" "1 1" "278 308"; do
  set -- $corner
  expect_pixel $((MX + $1)) $((MY + $2)) "$root" "the corner outside the rounded outline"
done
magenta=$(count_pixels "$MX" "$MY" 280 310 'r == 240 && g == 0 && b == 255')
[ "$magenta" = 0 ] || fail "$magenta pixels of the skin's key colour are on screen"
expect_pixel $((MX + 240)) $((MY + 282)) "0,0,0" "the 20th row's first pixel line"
# A press in a cut corner reaches the desktop behind, not the window: nothing moves.
xdotool mousemove $((MX + 1)) $((MY + 1)) mousedown 1 mousemove $((MX + 61)) $((MY + 41)) mouseup 1
settle
geometry_of "$main"
[ "$WX,$WY" = "$MX,$MY" ] || fail "a press in the cut corner moved the window to $WX,$WY"
stop_tarvex

scenario="double click shows the details docked"
start_tarvex
xdotool mousemove $((MX + 100)) $((MY + $(row_y 0))) click --repeat 2 --delay 120 1
details=$(window_named MoreForm) || fail "no details window"
wait_geometry "$details" "$((MX + 277)),$MY,192,310" "the details window"
wait_pixel $((WX + 96)) $((WY + 49)) "0,200,0" "the map picture"
[ "$(count_pixels $((WX + 11)) $((WY + 11)) 170 13 "$orange_test")" -gt 20 ] || fail "no map name"
[ "$(count_pixels $((WX + 11)) $((WY + 31)) 55 35 "$orange_test")" -gt 20 ] || fail "no version and length"
for row in 0 1; do
  icons=$(count_pixels $((WX + 149)) $((WY + 75 + row * 28)) 25 26 "$not_black")
  [ "$icons" -gt 500 ] || fail "the army icon of player row $row is missing ($icons pixels)"
done
[ "$(count_pixels $((WX + 149)) $((WY + 75 + 2 * 28)) 25 26 "$not_black")" = 0 ] ||
  fail "a third player row was drawn"
stop_tarvex

scenario="scrolling by wheel, arrows, track and drag"
start_tarvex
click_at $((MX + 100)) $((MY + $(row_y 0)))   # the list takes the focus with a selection
xdotool click 5 click 5 click 5
wait_position 15 "three wheel notches"
hold_at $((MX + bar_x)) $((MY + bar_top + 245)) 0.4
p=$(scroller_still_at "holding the lower arrow")
[ "$p" -gt 15 ] || fail "holding the lower arrow scrolled nothing"
# Paging by 5 stops at the first position whose scroller has passed the pointer.
hold_at $((MX + bar_x)) $((MY + bar_top + 200)) 2
p=$(scroller_still_at "paging on the track")
[ $(($(top_for_position $((p - 5))) + 3)) -le 200 ] && [ $(($(top_for_position "$p") + 3)) -gt 200 ] ||
  fail "paging on the track stopped at position $p, not where the scroller passed the pointer at 200"
top=$(top_for_position "$p")
xdotool mousemove $((MX + bar_x)) $((MY + bar_top + top + 1)) mousedown 1
xdotool mousemove $((MX + bar_x)) $((MY + bar_top + 80)) mousemove $((MX + bar_x)) $((MY + bar_top + 100))
xdotool mouseup 1
wait_position 31 "dragging the scroller's top to 99"
stop_tarvex

scenario="typing a player's name shows only his replays"
start_tarvex
click_at $((MX + 100)) $((MY + $(row_y 0)))
xdotool type --delay 50 nic
# The field's lit top edge, over the list's last row.
wait_pixel $((MX + 120)) $((MY + 269)) "79,80,82" "the filter's field"
# Nic played the ten replays 3, 13, ... 93, all readable: ten rows of text, the first one
# selected, none red, and nothing below them.
expect_pixel $((MX + 240)) $((MY + $(row_y 0))) "50,42,42" "the first match, selected"
[ "$(count_pixels $((MX + 24)) $((MY + 35)) 223 234 'r > 200 && g < 120')" = 0 ] ||
  fail "a broken replay's row is shown"
for k in $(seq 0 17); do
  texts=$(count_pixels $((MX + 24)) $((MY + 35 + k * 13)) 100 13 'r + g + b > 300')
  if [ "$k" -lt 10 ]; then [ "$texts" -gt 10 ] || fail "row $k shows no replay"
  else [ "$texts" = 0 ] || fail "row $k shows a replay"; fi
done
xdotool key Escape
wait_pixel $((MX + 240)) $((MY + 269)) "0,0,0" "the list's last row once the field closed"
# The whole list again, from the selected replay 3 on: replay 7 is broken.
expect_pixel $((MX + 240)) $((MY + $(row_y 0))) "50,42,42" "the same replay, selected"
expect_pixel $((MX + 240)) $((MY + $(row_y 4))) "251,98,98" "replay 7"
stop_tarvex

scenario="history and about open centred and close on their glyph"
start_tarvex
for button in "235 297 history" "250 297 about"; do
  set -- $button
  name=$3
  click_at $((MX + $1)) $((MY + $2))
  about=$(window_sized 192 121) || fail "no $name window"
  wait_geometry "$about" "$((MX + 44)),$((MY + 94)),192,121" "the $name window"
  wait_pixels $((WX + 11)) $((WY + 11)) 160 98 'r == g && g == b && r > 100' 50 "$name shows no grey text"
  click_at $((WX + 176)) $((WY + 5))
  wait_hidden "$about"
done
stop_tarvex

scenario="dragging the skin moves both windows"
start_tarvex
xdotool mousemove $((MX + 100)) $((MY + $(row_y 1))) click --repeat 2 --delay 120 1
details=$(window_named MoreForm) || fail "no details window"
xdotool mousemove $((MX + 100)) $((MY + 20)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((MX + 100 + 10 * step)) $((MY + 20 + 7 * step)); sleep 0.05; done
xdotool mouseup 1
wait_geometry "$main" "$((MX + 60)),$((MY + 42))" "after the drag, the main window"
wait_geometry "$details" "$((MX + 60 + 277)),$((MY + 42))" "after the drag, the details window"
stop_tarvex

if [ "$wm" = openbox ]; then
  # Minimising needs a window manager: without one, nothing on the screen can iconify.
  scenario="minimise"
  start_tarvex
  xdotool mousemove $((MX + 100)) $((MY + $(row_y 1))) click --repeat 2 --delay 120 1
  window_named MoreForm >/dev/null || fail "no details window"
  click_at $((MX + 235)) $((MY + 17))
  wait_gone Tarvex
  wait_gone MoreForm
  kill -0 "$tarvex_pid" || fail "minimising ended the program"
  stop_tarvex

  # Another program in front: a click on the details window's header or rows activates Tarvex.
  scenario="a click on the details window brings Tarvex forward"
  start_tarvex
  xdotool mousemove $((MX + 100)) $((MY + $(row_y 1))) click --repeat 2 --delay 120 1
  geometry_of "$(window_named MoreForm)" || fail "no details window"
  xmessage -geometry 200x100+$((MX + 20))+$((MY + 60)) -title Other "in front" 2>/dev/null &
  pids+=($!)
  other=$(window_named Other) || fail "no other window"
  # On the header beside the map picture (a click on the picture opens the match window), and
  # on the rows.
  for y in 40 200; do
    xdotool windowactivate --sync "$other"
    click_at $((WX + 40)) $((WY + y))
    wait_until eval '[ "$(xdotool getactivewindow)" = "$main" ]' || fail "a click at y $y left Tarvex behind"
  done
  xdotool key Down
  wait_pixel $((MX + 240)) $((MY + $(row_y 2))) "50,42,42" "the row the Down key selects"
  stop_tarvex
fi

scenario="a player's career from his row: read, moved by its frame, gone with the main window"
start_tarvex
xdotool mousemove $((MX + 100)) $((MY + $(row_y 0))) click --repeat 2 --delay 120 1
geometry_of "$(window_named MoreForm)" || fail "no details window"
# Kestrel's row, the first.
click_at $((WX + 60)) $((WY + 88))
career=$(window_named PlayerForm) || fail "no career window"
geometry_of "$career"
CX=$WX CY=$WY
# The reading's bar filled to its end in orange once his games' orders are read.
wait_pixel $((CX + 621)) $((CY + 420)) "223,132,59" "the reading's bar, full"
xdotool mousemove $((CX + 4)) $((CY + 200)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((CX + 4 + 5 * step)) $((CY + 200 + 4 * step)); sleep 0.05; done
xdotool mouseup 1
wait_geometry "$career" "$((CX + 30)),$((CY + 24))" "after the drag, the career window"
if [ "$wm" = openbox ]; then
  # On this small screen the career window covers the main window's buttons.
  xdotool windowminimize "$main"
  wait_gone PlayerForm
else
  xdotool key Escape
  wait_gone PlayerForm
fi
stop_tarvex

real_replay="$shared/testdata/replays/real/00-41-30_2v2_Nic_BOMD2MAS_HardAI_HardAI.rep"
if [ -f "$real_replay" ] && [ -f "$shared/testdata/maps/MapCache.ini" ]; then
  scenario="the match window from the map picture: the marks go as the cursor goes back"
  "$make_home" "$work/match-home" "$real_replay" "$shared/testdata/maps/MapCache.ini"
  HOME="$work/match-home" XDG_CONFIG_HOME="$work/match-home/.config" QT_QPA_PLATFORM=xcb "$tarvex" \
    >"$work/tarvex.log" 2>&1 &
  tarvex_pid=$!
  main=$(window_named Tarvex) || fail "no Tarvex window"
  geometry_of "$main"
  MX=$WX MY=$WY
  xdotool mousemove $((MX + 100)) $((MY + $(row_y 0))) click --repeat 2 --delay 120 1
  details=$(window_named MoreForm) || fail "no details window"
  geometry_of "$details"
  DX=$WX DY=$WY
  # The header is drawn with the rows: Nic's blue disc on the map picture.
  wait_pixels $((DX + 72)) $((DY + 26)) 48 46 'r == 34 && g == 52 && b == 254' 3 "no start disc on the map picture"
  click_at $((DX + 96)) $((DY + 49))
  match=$(window_named MatchForm) || fail "no match window"
  geometry_of "$match"
  # Nic's blue and |BOMD|2MA.S^'s green: his marks round his spot, more than his start disc.
  readonly nic_blue='r == 34 && g == 52 && b == 254' bomd_green='r == 62 && g == 209 && b == 46'
  wait_pixels $((WX + 11)) $((WY + 11)) 256 256 "$nic_blue" 300 "Nic's marks are not on the map"
  [ "$(count_pixels $((WX + 11)) $((WY + 11)) 256 256 "$bomd_green")" -gt 300 ] ||
    fail "|BOMD|2MA.S^'s marks are not on the map"
  # The cursor, at the end, dragged back to the start of the time line: only the discs stay.
  xdotool mousemove $((WX + 524)) $((WY + 300)) mousedown 1
  for step in 1 2 3 4 5 6 7 8; do xdotool mousemove $((WX + 524 - 55 * step)) $((WY + 300)); sleep 0.05; done
  xdotool mouseup 1
  shot_without_marks() { shot; [ "$(count_pixels $((WX + 11)) $((WY + 11)) 256 256 "$nic_blue")" -lt 120 ]; }
  wait_until shot_without_marks || fail "the marks stay with the cursor at the start"
  [ "$(count_pixels $((WX + 11)) $((WY + 11)) 256 256 "$nic_blue")" -gt 20 ] || fail "Nic's start disc went too"
  xdotool key Escape
  wait_gone MatchForm
  stop_tarvex
else
  echo "real window ($wm): the real replay or map cache is missing; the match window's scenario is skipped"
fi

scenario="close ends the program"
start_tarvex
click_at $((MX + 251)) $((MY + 17))
expect_clean_exit 10

echo "real window ($wm): all scenarios as expected"
