#!/usr/bin/env bash
# Runs a Windows program under Wine and passes on its output and exit status.
# Wine starts helper processes (wineserver, services) that outlive the program; they must not
# inherit our caller's pipes, or a caller such as ctest waits for them forever. So the
# program's output goes to files first and is copied out once the program has ended.
set -u

if [[ -z "${WINEPREFIX:-}" ]]; then
  echo "wine-run.sh: WINEPREFIX is not set; scripts/test-windows.sh sets up a private prefix" >&2
  exit 2
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-wine.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

wine "$@" </dev/null >"$scratch/out" 2>"$scratch/err"
status=$?
# Windows programs end their lines with CR LF.
tr -d '\r' <"$scratch/out"
tr -d '\r' <"$scratch/err" >&2
exit $status
