#!/usr/bin/env bash
# The Debian package as a player gets it, checked without installing it: made by
# scripts/build-deb.sh (again only when the sources changed), clean for lintian, holding what the
# project's own install puts in place, depending on the Qt libraries its programs link; its
# programs, unpacked into a scratch folder, print what the native build's tarvex-info prints and
# show Tarvex's window on a screen of their own.
# Usage: deb_check.sh BUILD_DIR   (the native build: its tarvex-info and its sample replays)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)

work=$(mktemp -d)
pids=()
tarvex_pid=
run_label=deb
scenario="making the package"
. "$root/tests/e2e/x_screen.sh"
trap cleanup EXIT

bash "$root/scripts/build-deb.sh" | tee "$work/make.log"
deb=$(tail -n 1 "$work/make.log")
[[ -f $deb ]] || fail "no package: $deb"
version=$(dpkg-deb -f "$deb" Version)

scenario="lintian"
# Errors and warnings fail; the informational and pedantic tags are shown for the record.
lintian --fail-on error,warning -I --pedantic "${deb%.deb}.changes" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian found errors or warnings"; }
grep '^[A-Z]: ' "$work/lintian.log" | sed 's/^/  lintian: /' || true

scenario="the package's files"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$work/packaged"
# What the project's own install puts in place; debhelper compresses the manual pages.
DESTDIR="$work/installed" cmake --install "$build" --prefix /usr >"$work/install.log" ||
  { cat "$work/install.log" >&2; fail "cmake --install of the native build"; }
(cd "$work/installed" && find . -type f -printf '%P\n') | sed 's,^\(usr/share/man/.*\.[1-9]\)$,\1.gz,' |
  sort >"$work/expected"
diff <(grep -v '^usr/share/doc/' "$work/packaged") "$work/expected" >"$work/files.diff" ||
  { cat "$work/files.diff" >&2; fail "the package holds other files than the install (< package, > install)"; }
app_id=io.github.tarvex.tarvex
for file in usr/bin/tarvex usr/bin/tarvex-info usr/share/applications/$app_id.desktop \
  usr/share/metainfo/$app_id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$app_id.svg \
  usr/share/man/man1/tarvex.1.gz usr/share/man/man1/tarvex-info.1.gz \
  usr/share/doc/tarvex/copyright usr/share/doc/tarvex/changelog.gz; do
  grep -qxF "$file" "$work/packaged" || fail "no $file in the package"
done
grep -q "^usr/share/icons/hicolor/[0-9]*x[0-9]*/apps/$app_id.png$" "$work/packaged" ||
  fail "no rendered icon in the package"

scenario="the package's dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libstdc++6 libc6; do
  grep -qxF "$library" <<<"$names" || fail "Depends names no $library: $depends"
done

scenario="tarvex-info from the package"
dpkg-deb -x "$deb" "$work/root"
bin=$work/root/usr/bin
[[ $("$bin/tarvex-info" --version) == "tarvex-info $version" ]] ||
  fail "tarvex-info --version says $("$bin/tarvex-info" --version), the package is $version"
# The same lines as the native build's own, and the same exit status, on the same files.
compare_info() { # folder
  local ours=0 theirs=0
  "$bin/tarvex-info" --json --match "$1" >"$work/packaged.jsonl" 2>&1 || ours=$?
  "$build/bin/tarvex-info" --json --match "$1" >"$work/native.jsonl" 2>&1 || theirs=$?
  [[ -s $work/native.jsonl ]] || fail "the native tarvex-info printed nothing on $1"
  cmp -s "$work/packaged.jsonl" "$work/native.jsonl" ||
    fail "the package's tarvex-info prints other lines on $1"
  [[ $ours == "$theirs" ]] || fail "on $1 the package's tarvex-info exits with $ours, the native one with $theirs"
  echo "tarvex-info --json --match: $(wc -l <"$work/native.jsonl") lines, as the native build's, on $1"
}
compgen -G "$build/bin/*.rep" >/dev/null || fail "no sample replays in $build/bin"
compare_info "$build/bin"
real=$root/../shared/testdata/replays/real
if [[ -d $real ]]; then
  compare_info "$(cd "$real" && pwd)"
elif [[ ${CI:-} == true ]]; then
  fail "the real replays are missing ($real)"
else
  echo "SKIPPED: the real replays ($real, in the shared folder beside the clone)"
fi

scenario="tarvex from the package shows its window"
# A home of its own whose documents folder holds the sample replays: no Wine prefix, so Tarvex
# lists them.
replays="$work/documents/Command and Conquer Generals Zero Hour Data/Replays"
mkdir -p "$replays" "$work/home"
cp "$build"/bin/*.rep "$replays/"
start_x
env -u WINEPREFIX HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
  XDG_DOCUMENTS_DIR="$work/documents" QT_QPA_PLATFORM=xcb "$bin/tarvex" >"$work/tarvex.log" 2>&1 &
tarvex_pid=$!
main=$(window_named Tarvex) || fail "no Tarvex window"
sized() { geometry_of "$main" && [[ "$WW,$WH" == "280,310" ]]; }
wait_until sized || fail "the window is ${WW}x$WH"
# The skin's black list panel, the replays' names written on it, and the close glyph, each
# waited for until it is drawn (10 s at most).
wait_pixel $((WX + 100)) $((WY + 250)) "0,0,0" "the list's panel below its rows"
wait_pixels $((WX + 10)) $((WY + 35)) 220 13 'r + g + b > 300' 20 "no replay's name on the list's first row"
wait_pixels $((WX + 246)) $((WY + 11)) 12 13 'r > 180 && g > 100 && g < 160 && b < 100' 5 \
  "no close glyph on the skin"

scenario="close"
xdotool mousemove $((WX + 251)) $((WY + 17)) click 1
expect_clean_exit 15
echo "deb: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB), Depends: $depends"
