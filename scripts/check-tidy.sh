#!/usr/bin/env bash
# Runs clang-tidy over the portable sources of the native build (argument: its build directory).
# The Windows adapter is checked by the cross-compiler's warnings instead.
set -uo pipefail
build=${1:?build directory}
cd "$(dirname "$0")/.." || exit 1
mapfile -t files < <(git ls-files -co --exclude-standard -- 'src/*.cpp' | grep -v '^src/platform/win32/')
[ ${#files[@]} -gt 0 ] || exit 0
output=$(run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${files[@]}" 2>&1)
status=$?
grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated|^Suppressed|^Use -header-filter|^clang-tidy-14 |^Running clang-tidy' <<<"$output"
exit $status
