#!/usr/bin/env bash
# A left click on the tray icon shows the working window, a second one hides it again; closing it
# writes the autostart state and the full-screen grid option before "Exit" adds its own keys.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin working-window
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
config=$RIG_PROGRAM_DIR/CRO.cfg

# Any window titled "Cellaro", not only one of the compact size: this test checks the size itself.
working_window_line() { probe windows | grep $'\ttitle=Cellaro$' | head -n1; }
working_window_shown() { [ -n "$(working_window_line)" ]; }
working_window_hidden() { ! working_window_shown; }

click_tray 1
wait_until 20 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
line=$(working_window_line)
rig_log "working window: $line"
IFS=, read -r left top right bottom <<<"$(field "$line" rect)"
read -r _ _ width height < <(window_geometry "$(xdotool search --onlyvisible --name '^Cellaro$' | head -n1)")
screenshot working-window "$left" "$top" $((right - left)) $((bottom - top))
expect_equal "working window size" "335x267" "$((right - left))x$((bottom - top))"
# Centred vertically on the first monitor (1080 high), where the hidden tray form lives.
expect_equal "working window top" $((1080 / 2 - 267 / 2)) "$top"
exstyle=$(field "$line" exstyle)
# WS_EX_TOPMOST, and WS_EX_TOOLWINDOW: no task-bar button.
[ $((exstyle & 0x88)) -eq $((0x88)) ] || rig_fail "the working window is not a topmost tool window (exstyle $exstyle)"
rig_log "ok: topmost tool window; X window ${width}x$height"
# Shown at 220, it rests at 200 once active (220 again while the pointer is over it), which may
# come a moment after it shows.
working_window_alpha() { field "$(working_window_line)" alpha; }
working_window_resting() { [ "$(working_window_alpha)" = 200 ]; }
wait_until 10 "the working window's opacity to rest at 200" working_window_resting ||
    expect_equal "working window opacity" 200 "$(working_window_alpha)"
rig_log "ok: working window opacity 200"
[ ! -e "$config" ] || rig_fail "showing the working window wrote CRO.cfg"

# rig_click spaces this click from the first beyond the double-click time, so it is a second click.
click_tray 1
wait_until 20 "the working window to hide" working_window_hidden || rig_fail "a second left click left it shown"
closed_config='[Config]\r\nload=0\r\n\r\n[Options]\r\nMNR=1\r\n\r\n'
wait_until 10 "CRO.cfg from the close" file_has_bytes "$config" "$closed_config" || true
expect_file_bytes "CRO.cfg after the working window closed" "$config" "$closed_config"

open_tray_menu 20 || rig_fail "the tray menu did not open"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
expect_file_bytes "CRO.cfg after Exit" "$config" \
    '[Config]\r\nload=0\r\n\r\n[Options]\r\nMNR=1\r\noptAutohideagain=0\r\n\r\n[hmenu]\r\nx=1620\r\ny=45\r\n\r\n'
