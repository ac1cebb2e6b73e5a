#!/usr/bin/env bash
# Builds Tarvex's reader, platform layer, companion tool and tests for Windows with mingw-w64
# and runs the tests under Wine, in a fresh private Wine prefix inside the build folder.
#   scripts/test-windows.sh            (build folder: build-win, or $WIN_BUILD)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${WIN_BUILD:-$root/build-win}
started=$SECONDS

cmake_args=(-S "$root" -B "$build" -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WARNINGS_AS_ERRORS=ON
  -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_BENCH=OFF)
# The shared test material, as the Windows programs see it: Wine's drive Z: is the root.
if [[ -d "$root/../shared" ]]; then
  cmake_args+=(-DTARVEX_SHARED_DIR="Z:$(cd "$root/../shared" && pwd)")
fi
cmake "${cmake_args[@]}"
cmake --build "$build"

# A throwaway prefix and home: the tests write the game's registry keys and folders, and
# Wine links the prefix's Documents to the home's; the user's own stay untouched.
export WINEPREFIX="$build/wine/prefix"
export HOME="$build/wine/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
rm -rf "$build/wine"
mkdir -p "$HOME"
trap 'wineserver -k 2>/dev/null || true' EXIT
echo "Preparing a Wine prefix in $WINEPREFIX"
wine wineboot --init >"$build/wine/wineboot.log" 2>&1
wineserver -w

status=0
ctest --test-dir "$build" --output-on-failure || status=$?
wineserver -k 2>/dev/null || true
wineserver -w
# The prefix is large; keep it only when something failed.
[[ $status -eq 0 ]] && rm -rf "$build/wine"
echo "Windows build and tests took $((SECONDS - started)) s"
exit $status
