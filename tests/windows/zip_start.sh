#!/usr/bin/env bash
# The players' zip, as a player uses it: made by cpack, unpacked into a Wine prefix of its own
# that holds nothing else, tarvex.exe started from there shows its skinned window and its
# close button ends it with status 0; tarvex-info.exe from the zip answers too, and tarvex.exe
# carries its icon.
# Usage: zip_start.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
pids=()
tarvex_pid=
export WINEPREFIX="$work/prefix" HOME="$work/home" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
unset WINEPATH
before_cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
run_label=zip
scenario="packing"
. "$(dirname "$0")/../e2e/x_screen.sh"
trap cleanup EXIT

name="tarvex-$version-win64"
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
[ -f "$work/package/$name.zip" ] || fail "cpack made no $name.zip"

scenario="unpacking into a new prefix"
mkdir -p "$HOME"
start_x   # Wine's desktop process of the new prefix belongs to this display
wine wineboot --init </dev/null >"$work/wineboot.log" 2>&1 || fail "wineboot failed"
wineserver -w
unzip -q "$work/package/$name.zip" -d "$WINEPREFIX/drive_c/Program Files"
folder="C:\\Program Files\\$name"

scenario="tarvex.exe's icon"
# Explorer and shortcuts show the program's own icon: one group of the sizes drawn for it.
resources=$(x86_64-w64-mingw32-objdump -p "$WINEPREFIX/drive_c/Program Files/$name/tarvex.exe" |
  sed -n '/The .rsrc Resource Directory/,$p')
grep -q '^0[0-9a-f]*   Entry: ID: 0x00000e,' <<<"$resources" || fail "tarvex.exe has no icon group"
images=$(grep -A1 '^0[0-9a-f]*   Entry: ID: 0x000003,' <<<"$resources" | grep -o 'IDs: [0-9]*')
[ "$images" = "IDs: 6" ] || fail "tarvex.exe's icon holds ${images:-no images}, not its 6 sizes"

scenario="the libraries as players get them"
# Without the debugging symbols the compiler's runtime comes with (the zip's largest file).
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  ! x86_64-w64-mingw32-objdump -h "$WINEPREFIX/drive_c/Program Files/$name/$dll" | grep -q '\.debug_' ||
    fail "$dll keeps its debugging symbols"
done

scenario="tarvex-info.exe"
wine "$folder\\tarvex-info.exe" --version </dev/null >"$work/info.log" 2>&1 || fail "tarvex-info.exe failed"
grep -q "$version" "$work/info.log" || fail "tarvex-info.exe --version said: $(cat "$work/info.log")"

scenario="tarvex.exe shows its window"
wine "$folder\\tarvex.exe" </dev/null >"$work/tarvex.log" 2>&1 &
tarvex_pid=$!
main=$(window_named Tarvex || window_named Tarvex || window_named Tarvex) || fail "no Tarvex window"
wait_until eval 'geometry_of "$main" && [ "$WW,$WH" = "280,310" ]' || fail "the window is ${WW}x$WH"
# The skin: the close button's orange glyph where the layout puts it, and its black list panel.
wait_pixels $((WX + 246)) $((WY + 11)) 12 13 'r > 180 && g > 100 && g < 160 && b < 100' 5 \
  "no close glyph on the skin"
expect_pixel $((WX + 100)) $((WY + 100)) "0,0,0" "the list's panel"
root=$(pixel 2 2)
expect_pixel "$WX" "$WY" "$root" "the cut corner"

scenario="close"
xdotool mousemove $((WX + 251)) $((WY + 17)) click 1
expect_clean_exit 15
echo "zip: $name.zip starts tarvex.exe in a prefix of its own"
