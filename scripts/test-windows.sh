#!/usr/bin/env bash
# Builds Tarvex for Windows with mingw-w64 and runs its tests under Wine, in a fresh private Wine
# prefix inside the build folder. With the shared folder's Qt for mingw beside the clone, the
# windows are built too (tarvex.exe), their tests run on Qt's offscreen platform, tarvex.exe
# runs its real-window scenario on a private Xvfb, and the players' zip is made and started.
# Without it (a user's clone), the reader, the platform layer and tarvex-info.exe only.
#   scripts/test-windows.sh            (build folder: build-win, or $WIN_BUILD)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${WIN_BUILD:-$root/build-win}
started=$SECONDS
skipped=
qt_archive=$root/../shared/toolchains/qt-6.4.2-mingw-w64.tar.xz

cmake_args=(-S "$root" -B "$build" -G Ninja
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WARNINGS_AS_ERRORS=ON -DTARVEX_BUILD_BENCH=OFF)
command -v ccache >/dev/null && cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
mkdir -p "$build"
if [[ -f "$qt_archive" ]]; then
  # Unpacked once into the build folder; again only when the archive changes.
  if [[ ! -f "$build/qt-mingw/BUILD.txt" || "$qt_archive" -nt "$build/qt-mingw/BUILD.txt" ]]; then
    echo "Unpacking Qt for mingw into $build/qt-mingw"
    rm -rf "$build/qt-mingw"
    tar -xJf "$qt_archive" -C "$build"
    touch "$build/qt-mingw/BUILD.txt"
  fi
  toolchain=$build/qt-mingw/lib/cmake/Qt6/qt.toolchain.cmake
  # tarvex.exe's icon is rendered from its SVG by a tool that runs here, built for this machine.
  host_args=(-S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    -DTARVEX_BUILD_BENCH=OFF -DTARVEX_WARNINGS_AS_ERRORS=ON)
  command -v ccache >/dev/null && host_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake "${host_args[@]}" >"$build/host-configure.log" || { cat "$build/host-configure.log"; exit 1; }
  cmake --build "$build/host" --target render_icon
  cmake_args+=(-DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DTARVEX_BUILD_UI=ON
    -DTARVEX_RENDER_ICON="$build/host/bin/render_icon")
else
  if [[ "${CI:-}" == true ]]; then
    echo "FAIL: Qt for mingw is missing ($qt_archive): CI builds tarvex.exe" >&2
    exit 1
  fi
  skipped="SKIPPED: tarvex.exe, its GUI tests under Wine, its real-window scenario and the players'\
 zip: Qt for mingw not found at $qt_archive (it lies in the shared folder beside the clone)"
  echo "$skipped"
  toolchain=$root/cmake/mingw-w64-x86_64.cmake
  cmake_args+=(-DTARVEX_BUILD_UI=OFF)
fi
# A build folder configured with the other toolchain starts again.
if [[ -f "$build/CMakeCache.txt" ]] && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake_args+=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
# The shared test material, as the Windows programs see it: Wine's drive Z: is the root.
if [[ -d "$root/../shared" ]]; then
  cmake_args+=(-DTARVEX_SHARED_DIR="Z:$(cd "$root/../shared" && pwd)")
fi
cmake "${cmake_args[@]}" >"$build/configure.log" || { cat "$build/configure.log"; exit 1; }
cmake --build "$build"
built=$SECONDS

# A throwaway prefix and home: the tests write the game's registry keys and folders, and
# Wine links the prefix's Documents to the home's; the user's own stay untouched.
export WINEPREFIX="$build/wine/prefix"
export HOME="$build/wine/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
unset DISPLAY   # the window tests start Xvfb servers of their own
rm -rf "$build/wine"
mkdir -p "$HOME"
trap 'wineserver -k 2>/dev/null || true' EXIT
echo "Preparing a Wine prefix in $WINEPREFIX"
wine wineboot --init >"$build/wine/wineboot.log" 2>&1
wineserver -w
# One server for the whole run, not one started and stopped, with its registry saved and
# loaded again, around every program the tests run.
wineserver -p

status=0
ctest --test-dir "$build" --output-on-failure --timeout 300 || status=$?
wineserver -k 2>/dev/null || true
wineserver -w
# The prefix is large; keep it only when something failed.
[[ $status -eq 0 ]] && rm -rf "$build/wine"
echo "Windows build took $((built - started)) s, its tests under Wine $((SECONDS - built)) s"
[[ -z "$skipped" ]] || echo "$skipped"
exit $status
