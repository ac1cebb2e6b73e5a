#!/usr/bin/env bash
# tarvex-info --where and the listing without a path, with the game's key written by Wine's
# own "reg" tool in the test prefix: a text value in the 32-bit view, then a number.
#   where_test.sh <tarvex-info.exe> <wine-run.sh>
set -euo pipefail
info=$1
run=$2
key='HKLM\SOFTWARE\Electronic Arts\EA GAMES\Command and Conquer Generals Zero Hour'
leaf='Tarvex Where Test'
fail() { echo "FAIL: $*" >&2; exit 1; }
cleanup() {
  "$run" reg delete "$key" /reg:32 /f >/dev/null 2>&1 || true
  [[ -n "${replays_unix:-}" ]] && rm -rf "$(dirname "$replays_unix")"
  [[ -n "${install_unix:-}" ]] && rm -rf "$install_unix"
}
trap cleanup EXIT

"$run" reg add "$key" /reg:32 /v UserDataLeafName /t REG_SZ /d "$leaf" /f >/dev/null

# No Replays folder yet: the program's own folder, and the documents folder named.
where=$("$run" "$info" --where)
echo "$where"
documents=$(sed -n 's/^documents folder: //p' <<<"$where")
[[ -n "$documents" ]] || fail "no documents folder in --where"
grep -qF "$leaf" <<<"$where" || fail "the registry value is not mentioned"
first=$(head -n1 <<<"$where")
[[ "$first" == *'\' ]] || fail "expected the program's own folder, got $first"

# With the folder and one replay in it: that folder, and the replay listed.
replays="$documents\\$leaf\\Replays"
replays_unix=$("$run" winepath -u "$replays")
mkdir -p "$replays_unix"
printf 'GENREP' >"$replays_unix/short.rep"
where=$("$run" "$info" --where)
[[ "$(head -n1 <<<"$where")" == "$replays" ]] || fail "expected $replays, got: $where"
listing=$("$run" "$info" || true)
echo "$listing"
grep -q 'short.rep' <<<"$listing" || fail "the replay in $replays is not listed"

# The game's archive folder beside it: named, and its replay listed last.
mkdir -p "$(dirname "$replays_unix")/ArchivedReplays"
printf 'GENREP' >"$(dirname "$replays_unix")/ArchivedReplays/20251016_203000.rep"
grep -qxF "archive folder: $documents\\$leaf\\ArchivedReplays: 1 replay" <<<"$("$run" "$info" --where)" ||
  fail "the archive folder is not named"
[[ "$("$run" "$info" | tail -n1)" == 'ArchivedReplays\20251016_203000.rep:'* ]] || fail "no archived replay"

# The install folder the registry names, with a trailing backslash as installers write it,
# and the map archive in it (an empty one: "BIGF", size, no entries, table end 16).
install="$documents\\Tarvex Install Test"
install_unix=$("$run" winepath -u "$install")
mkdir -p "$install_unix"
printf 'BIGF\x10\0\0\0\0\0\0\0\0\0\0\x10' >"$install_unix/MapsZH.big"
"$run" reg add "$key" /reg:32 /v InstallPath /t REG_SZ /d "$install\\" /f >/dev/null
where=$("$run" "$info" --where)
echo "$where"
grep -qF "install folder: $install (" <<<"$where" || fail "the install folder is not named"
grep -qF "archive: $install\\MapsZH.big: 0 of its 0 entries" <<<"$where" || fail "the map archive is not named"

# A number where the leaf name belongs: the error, and a failing status.
"$run" reg add "$key" /reg:32 /v UserDataLeafName /t REG_DWORD /d 5 /f >/dev/null
if errors=$("$run" "$info" --where 2>&1); then fail "a DWORD value was accepted: $errors"; fi
grep -qF "Invalid data type for 'UserDataLeafName'" <<<"$errors" || fail "unexpected error: $errors"
echo "where_test: all checks passed"
