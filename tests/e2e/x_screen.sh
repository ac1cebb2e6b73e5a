# Helpers of the real-window scenarios: a screen of our own, its pixels, and the windows on it.
# Sourced by the scenario scripts (Linux, and tarvex.exe under Wine), which set `work` (a
# temporary folder), `pids`, `tarvex_pid` and `run_label`, and trap EXIT with cleanup. A script
# with more to undo defines before_cleanup, run once the program is ended, before the screen goes.

cleanup() {
  if [ -n "$tarvex_pid" ]; then kill "$tarvex_pid" 2>/dev/null || true; fi
  if declare -F before_cleanup >/dev/null; then before_cleanup; fi
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}

# A failed check: which run and scenario, what was wrong, and the program's own output.
fail() {
  echo "FAIL ($run_label, $scenario): $*" >&2
  [ -s "$work/tarvex.log" ] && sed 's/^/  tarvex: /' "$work/tarvex.log" >&2
  exit 1
}

# Waits up to $1 seconds for the program to end by itself, and checks that it ended with status 0.
expect_clean_exit() {
  local status=0
  timeout "$1" tail --pid="$tarvex_pid" -f /dev/null || fail "the program is still running"
  wait "$tarvex_pid" || status=$?
  tarvex_pid=
  [ "$status" = 0 ] || fail "the program ended with status $status"
}

# Starts Xvfb on a free display (1024 x 768, or $screen_size) and exports DISPLAY; its process
# id goes into `pids`. The server never resets: by default it does when its last client leaves,
# refusing connections meanwhile, and between two scenarios no client may be left.
start_x() {
  Xvfb -displayfd 3 -screen 0 "${screen_size:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

# Starts openbox and waits until it manages the screen.
start_openbox() {
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not start"
}

shot() { import -window root "$work/shot.png"; }

# The scenarios wait for what they check, never a fixed time: a window, a pixel, a place.
# Runs "$@" until it succeeds, for up to 10 s; its status is the last try's.
wait_until() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  "$@"
}

# Takes shots until the pixel (x, y) is colour, for up to 10 s.
shot_pixel_is() { shot; [ "$(pixel "$1" "$2")" = "$3" ]; }
wait_pixel() { # x y colour what
  wait_until shot_pixel_is "$1" "$2" "$3" || fail "$4: pixel ($1,$2) is $(pixel "$1" "$2"), expected $3"
}

# Takes shots until at least $6 pixels of the rectangle x y w h match the awk test $5.
shot_count_above() { shot; [ "$(count_pixels "$1" "$2" "$3" "$4" "$5")" -gt "$6" ]; }
wait_pixels() { # x y w h test more-than what
  wait_until shot_count_above "$1" "$2" "$3" "$4" "$5" "$6" || fail "$7"
}

# Waits until the window $1 is at "x,y", or at "x,y,w,h" with that size.
geometry_is() {
  geometry_of "$1" 2>/dev/null || return 1
  case $2 in
    *,*,*,*) [ "$WX,$WY,$WW,$WH" = "$2" ] ;;
    *) [ "$WX,$WY" = "$2" ] ;;
  esac
}
wait_geometry() { # window place what
  wait_until geometry_is "$1" "$2" || fail "$3 is at $WX,$WY ${WW}x$WH, not $2"
}

# A check that nothing happened has no event to wait for: the program gets this long to do
# what it must not.
settle() { sleep 0.3; }

# The colour of the screen pixel (x, y) of the last shot, as "r,g,b".
pixel() {
  /usr/bin/convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -n 1
}

# How many pixels of the rectangle x y w h of the last shot match the awk test on r, g, b.
count_pixels() { # x y w h test
  /usr/bin/convert "$work/shot.png" -crop "$3x$4+$1+$2" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk "{ r=\$1; g=\$2; b=\$3; if ($5) n++ } END { print n+0 }"
}

expect_pixel() { # x y colour what
  local got
  got=$(pixel "$1" "$2")
  [ "$got" = "$3" ] || fail "$4: pixel ($1,$2) is $got, expected $3"
}

# The first visible window whose name is exactly $1, waiting up to 10 s.
window_named() {
  local found
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}

# The first visible window of width $1 and height $2, waiting up to 10 s.
window_sized() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      geometry_of "$id" 2>/dev/null && [ "$WW,$WH" = "$1,$2" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Waits until the window $1 (an id) is no longer visible.
wait_hidden() {
  for _ in $(seq 50); do xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1" || return 0; sleep 0.1; done
  fail "the window $1 is still shown"
}

# Sets WX, WY, WW, WH to the window's place and size on screen.
geometry_of() {
  eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/W/')"
  WX=$WX WY=$WY WW=$WWIDTH WH=$WHEIGHT
}

# Waits until the window named $1 is no longer visible.
wait_gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window $1 is still shown"
}
