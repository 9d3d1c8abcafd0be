#!/usr/bin/env bash
# Formats the C++ sources with .clang-format, or with --check only tells
# which differ (and fails). Without file arguments: every source of the tree.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  cd "$root"
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
  else
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
  fi
fi

if [ $check -eq 1 ]; then
  # One line per file that differs, then the differences themselves.
  bad=()
  for f in "${files[@]}"; do
    if ! clang-format --style="file:$root/.clang-format" --dry-run --Werror "$f" >/dev/null 2>&1; then
      bad+=("$f")
    fi
  done
  if [ ${#bad[@]} -gt 0 ]; then
    printf 'not formatted: %s\n' "${bad[@]}"
    echo "run 'make format' to format them"
    exit 1
  fi
  echo "${#files[@]} files formatted"
else
  clang-format --style="file:$root/.clang-format" -i "${files[@]}"
fi
