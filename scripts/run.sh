#!/usr/bin/env bash
# Runs cellaro.exe under Wine: installs what is missing, cross-builds the program, then
#  - with DISPLAY set: runs it on that display until it exits (CRO.cfg in out/program/);
#  - without: starts a virtual X server with two monitors, runs it, right-clicks its tray icon,
#    saves out/tray.png and out/menu.png, shows the working window and saves out/working-window.png,
#    chooses "Exit" and stops the server.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${E2E_PACKAGES[@]}"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)"
build=build/windows

if [ -n "${DISPLAY:-}" ]; then
    # A program directory of its own, so the settings survive the next build.
    mkdir -p out/program
    cp "$build/src/platform/win32/cellaro.exe" out/program/cellaro.exe
    cd out/program
    echo "Running cellaro.exe on $DISPLAY (settings in $PWD/CRO.cfg); end it with Exit in its tray menu."
    exec env WINEDEBUG=-all wine cellaro.exe
fi

E2E_ARTIFACTS=$PWD/out
# shellcheck source=tests/e2e/rig.sh
source tests/e2e/rig.sh
CELLARO_EXE=$build/src/platform/win32/cellaro.exe
PROBE_EXE=$build/tests/e2e/probe/probe.exe
rig_args "$CELLARO_EXE" "$PROBE_EXE"
rig_begin run
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# The notification area is a small strip at the top left of the screen: shown three times as large.
read -r x y width height < <(window_geometry "$RIG_TRAY")
screenshot tray "$x" "$y" "$width" "$height"
mogrify -scale 300% "$E2E_ARTIFACTS/tray.png"
open_tray_menu 20 || rig_fail "the tray menu did not open"
IFS=, read -r left top right bottom <<<"$(field "$(head -n1 <<<"$RIG_MENU")" rect)"
corner_x=$((x < left ? x : left))
corner_y=$((y < top ? y : top))
screenshot menu "$corner_x" "$corner_y" $((right - corner_x + 20)) $((bottom - corner_y + 20))

xdotool key Escape
wait_until 10 "the menu to close" menu_closed || true

# A left click on the tray icon shows the working window; the pointer rests on a cell of its board.
xdotool mousemove --window "$RIG_TRAY" 5 5 click 1
wait_until 20 "the working window" working_window_shown || rig_fail "the tray click showed no working window"
IFS=, read -r left top right bottom <<<"$(field "$(working_window_line)" rect)"
# shellcheck disable=SC2046
xdotool mousemove $(cell_point 2 2)
sleep 0.5
screenshot working-window "$left" "$top" $((right - left)) $((bottom - top))
mogrify -scale 200% "$E2E_ARTIFACTS/working-window.png"
xdotool key Escape

open_tray_menu 20 || rig_fail "the tray menu did not open again"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
echo "Screenshots: $E2E_ARTIFACTS/tray.png (the tray icon, three times as large), $E2E_ARTIFACTS/menu.png" \
    "(its open menu) and $E2E_ARTIFACTS/working-window.png (the working window, twice as large)."
