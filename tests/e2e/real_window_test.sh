#!/usr/bin/env bash
# Tarvex in a real X server (Xvfb): the window mask cuts the skin's corners on screen, the
# rows show their looks, the 20th row shows only its first pixel line, and the mouse and the
# arrow keys select rows.
# Usage: real_window_test.sh TARVEX MAKE_SAMPLE_REPLAYS
set -euo pipefail
tarvex=$1
make_samples=$2

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# No Wine prefix in this home: the game's default folder in the user's documents is listed.
replays="$work/home/Documents/Command and Conquer Generals Zero Hour Data/Replays"
mkdir -p "$replays"
"$make_samples" "$replays"
# Broken files after the samples in the listing order, so that rows 14 to 25 are invalid.
for i in $(seq 10 21); do echo "pas un replay" > "$replays/zz_casse_$i.rep"; done
rows=$(ls "$replays" | wc -l)
[ "$rows" -ge 20 ] || fail "only $rows replays made"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb "$tarvex" >"$work/tarvex.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvex$' | head -n 1) || fail "no Tarvex window"
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT
[ "$WIDTH" = 280 ] && [ "$HEIGHT" = 310 ] || fail "window is ${WIDTH}x${HEIGHT}"
sleep 0.5

shot() { import -window root "$work/shot.png"; }
# The colour of a screen pixel at window coordinates, as "r,g,b".
pixel() {
  /usr/bin/convert "$work/shot.png" -crop "1x1+$((X + $1))+$((Y + $2))" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -n 1
}
expect() { # x y colour what
  local got
  got=$(pixel "$1" "$2")
  [ "$got" = "$3" ] || fail "$4: pixel ($1,$2) is $got, expected $3"
}
expect_not() {
  local got
  got=$(pixel "$1" "$2")
  [ "$got" != "$3" ] || fail "$4: pixel ($1,$2) is $got"
}

shot
root=$(/usr/bin/convert "$work/shot.png" -crop 1x1+2+2 -depth 8 txt:- | sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p')
for corner in "0 0" "279 0" "0 309" "279 309" "1 1" "278 308"; do
  expect $corner "$root" "corner outside the rounded outline shows what lies behind the window"
done
expect_not 140 1 "$root" "the frame's top edge"
magenta=$(/usr/bin/convert "$work/shot.png" -crop "280x310+$X+$Y" -depth 8 txt:- | grep -ci '#F000FF' || true)
[ "$magenta" = 0 ] || fail "$magenta pixels of the skin's key colour are on screen"

row_y() { echo $((35 + $1 * 13 + 6)); }   # the middle of a row, in window coordinates
expect 240 "$(row_y 0)" "0,0,0" "valid row, not selected"
expect 240 "$(row_y 14)" "251,98,98" "invalid row, not selected"
expect 240 282 "251,98,98" "the 20th row's first pixel line"
expect_not 240 283 "251,98,98" "below the list"

xdotool mousemove $((X + 240)) $((Y + $(row_y 2))) click 1
sleep 0.3
xdotool key Down
sleep 0.3
shot
expect 240 "$(row_y 3)" "50,42,42" "the row selected by a click and the Down key"
expect 240 "$(row_y 2)" "0,0,0" "the row the Down key left"

xdotool mousemove $((X + 240)) $((Y + $(row_y 14))) click 1
sleep 0.3
shot
expect 240 "$(row_y 14)" "238,12,12" "invalid row, selected"
expect 240 "$(row_y 3)" "0,0,0" "one selected row at most"

echo "real window: mask, row looks, 20th row and selection as expected ($rows rows)"
