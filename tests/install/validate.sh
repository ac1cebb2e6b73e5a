#!/usr/bin/env bash
# Runs a validator over a file. Without the validator (a plain build outside `make test`)
# the test is skipped, except under CI, where its absence is a failure.
# Usage: validate.sh TOOL FILE [TOOL ARGUMENTS...]
set -uo pipefail
tool=$1
file=$2
shift 2
if ! command -v "$tool" >/dev/null; then
  echo "$tool not found (scripts/install-deps.sh installs it)" >&2
  [[ ${CI:-} == true ]] && exit 1
  exit 77
fi
"$tool" "$@" "$file"
