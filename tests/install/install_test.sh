#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a packager gets: the two
# programs, the desktop entry and AppStream metadata under one application id, the icon in
# the hicolor theme (the SVG and each rendered PNG at its size), and no sample replay.
# Usage: install_test.sh BUILD_DIR APP_ID VERSION ICON_SIZE...
set -euo pipefail
build=$1
app_id=$2
version=$3
shift 3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log" >&2; rm -f "$prefix.log"; fail "cmake --install"; }
rm -f "$prefix.log"

for program in tarvex tarvex-info; do
  [[ -x $prefix/bin/$program ]] || fail "bin/$program missing"
done
"$prefix/bin/tarvex-info" --version | grep -qx "tarvex-info $version" || fail "installed tarvex-info is not version $version"

share=$prefix/share
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
[[ -f $desktop ]] || fail "no $app_id.desktop"
[[ -f $metainfo ]] || fail "no $app_id.metainfo.xml"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metadata names another desktop entry"

icons=$share/icons/hicolor
[[ -f $icons/scalable/apps/$app_id.svg ]] || fail "no scalable icon"
for size in "$@"; do
  png=$icons/${size}x${size}/apps/$app_id.png
  [[ -f $png ]] || fail "no ${size}x${size} icon"
  # PNG: signature, then the IHDR chunk whose first eight bytes are width and height.
  read -r -a header <<<"$(od -An -tu1 -j12 -N12 "$png")"
  [[ ${header[*]:0:4} == "73 72 68 82" ]] || fail "$png is not a PNG"
  width=$(( header[4] << 24 | header[5] << 16 | header[6] << 8 | header[7] ))
  height=$(( header[8] << 24 | header[9] << 16 | header[10] << 8 | header[11] ))
  [[ $width == "$size" && $height == "$size" ]] || fail "$png is ${width}x${height}"
done

replays=$(find "$prefix" -iname '*.rep' | head -n 3)
[[ -z $replays ]] || fail "sample replays installed: $replays"
echo "installed into a temporary prefix: $(find "$prefix" -type f | wc -l) files"
