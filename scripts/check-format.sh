#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what .clang-format makes of it, and names it.
set -euo pipefail
cd "$(dirname "$0")/.."

format=clang-format-14 # the version the tree was formatted with: others break lines otherwise
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
unformatted=()
for file in "${files[@]}"; do
  [ -f "$file" ] || continue
  "$format" --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "FAIL: ${#unformatted[@]} file(s) differ from .clang-format (clang-format-14 -i FILE mends them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format has them"
