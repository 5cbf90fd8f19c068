#!/usr/bin/env bash
# Runs every test from a fresh clone: installs what is missing, builds the native build (simulated
# desktop, sanitizers) and the Windows build (cellaro.exe), then runs all test rings with ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${E2E_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
# A failing test's own output goes into the log, so a CI run says why it failed.
ctest --preset native -j "$jobs" --output-on-failure
