#!/usr/bin/env bash
# Makes the Debian package as Debian makes packages (dpkg-buildpackage, debhelper over the CMake
# build), from a copy of the sources in build-deb/src: dpkg-buildpackage writes its outputs
# beside the source folder, so they land in build-deb/ and the clone stays clean. The package is
# made again only when a file of the sources changed since it was last made.
#   scripts/build-deb.sh        (folder: build-deb, or $DEB_BUILD); prints the .deb's path last
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DEB_BUILD:-$root/build-deb}
cd "$root"

# One version for the program and its package.
version=$(sed -n 's/^project(Tarvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
packaged=$(dpkg-parsechangelog -S Version)
if [[ -z $version || $version != "$packaged" ]]; then
  echo "FAIL: CMakeLists.txt says version ${version:-(none)}, debian/changelog $packaged" >&2
  exit 1
fi
deb=$out/tarvex_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb

# The sources: the tracked files and the new ones git doesn't ignore, as they are on disk.
list=$(mktemp)
trap 'rm -f "$list"' EXIT
git ls-files -z --cached --others --exclude-standard --deduplicate |
  while IFS= read -r -d '' file; do [[ -f $file ]] && printf '%s\0' "$file"; done >"$list"
fingerprint=$(xargs -0 sha256sum <"$list" | sha256sum | cut -d' ' -f1)
if [[ -f $deb && -f $out/sources.sha256 && $(cat "$out/sources.sha256") == "$fingerprint" ]]; then
  echo "The sources haven't changed since the package was made:"
  echo "$deb"
  exit 0
fi

started=$SECONDS
rm -rf "$out/src" "$out/sources.sha256" "$out"/tarvex*_*.{deb,ddeb,buildinfo,changes}
mkdir -p "$out/src"
tar -C "$root" --null -T "$list" -cf - | tar -C "$out/src" -xf -

if command -v ccache >/dev/null; then
  # debhelper gives the build a HOME of its own: keep the user's cache.
  export TARVEX_CCACHE=1 CCACHE_DIR=${CCACHE_DIR:-$(ccache --get-config cache_dir)}
  export CCACHE_BASEDIR=$out/src
fi
echo "Making the Debian package in $out (log: $out/build.log)"
(cd "$out/src" && dpkg-buildpackage -b -us -uc -jauto) >"$out/build.log" 2>&1 ||
  { tail -n 40 "$out/build.log" >&2; echo "FAIL: dpkg-buildpackage" >&2; exit 1; }
[[ -f $deb ]] || { echo "FAIL: dpkg-buildpackage made no $deb" >&2; exit 1; }
echo "$fingerprint" >"$out/sources.sha256"
echo "Made in $((SECONDS - started)) s:"
echo "$deb"
