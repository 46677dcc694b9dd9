#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format 14 makes of it
# (the style is in .clang-format). Fix with: scripts/check_format.sh --fix
set -uo pipefail
cd "$(dirname "$0")/.."
formatter=clang-format-14
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.hpp' '*.cc')
((${#files[@]})) || exit 0
if [ "${1:-}" = "--fix" ]; then
  exec "$formatter" -i "${files[@]}"
fi
report=$(mktemp)
if ! "$formatter" --dry-run --Werror "${files[@]}" 2>"$report"; then
  grep -E '^[^ ].*: (error|warning):' "$report" | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
  rm -f "$report"
  echo "Run scripts/check_format.sh --fix to format them."
  exit 1
fi
rm -f "$report"
