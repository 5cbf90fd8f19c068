#!/usr/bin/env bash
# "About" from the tray menu, with real clicks: the about window shows at (1, 1), 558 x 401, on
# top, in its colours (the screenshot is kept); the executable carries the project's version in its
# version resource, which the window's version line shows; "About" again while it shows adds no
# window; dragging the orange panel moves it; Escape closes it and "Exit" ends the program.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin about
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

readonly ABOUT_RECT="1,1,559,402"
readonly DRAGGED_RECT="81,61,639,462"
readonly WS_EX_TOPMOST=0x8

about_lines() { probe find About | grep $'\tvisible=1\t' || true; }
about_line() { about_lines | head -n1; }
about_count() { about_lines | grep -c . || true; }
about_shown() { [ -n "$(about_line)" ]; }
about_hidden() { ! about_shown; }
about_at() { [ "$(field "$(about_line)" rect)" = "$1" ]; }
about_x_window() { xdotool search --onlyvisible --name '^About$' 2>/dev/null | head -n1; }
# The colour of one screen pixel as ImageMagick names it, e.g. "srgb(244,104,11)".
pixel_at() { import -window root -crop "1x1+$1+$2" +repage -format '%[pixel:p{0,0}]' info:- 2>/dev/null; }
choose_about() {
    open_tray_menu 10 || rig_fail "the tray menu did not open ($(app_state))"
    click_menu_item About
    wait_until 10 "the tray menu to close" menu_closed || rig_fail "the tray menu stayed open"
}

# --- the version resource -------------------------------------------------------------------------
# The four numbers follow project(VERSION) in CMakeLists.txt, missing parts as 0.
project_version=$(sed -n 's/^project(Cellaro VERSION \([0-9.]*\).*/\1/p' "$E2E_REPO/CMakeLists.txt")
IFS=. read -r major minor patch tweak <<<"$project_version"
expected_version="${major:-0}.${minor:-0}.${patch:-0}.${tweak:-0}"
version_line=$(probe_read version "$(rig_windows_path "$RIG_PROGRAM_DIR/cellaro.exe")") ||
    rig_fail "the probe read no version resource from cellaro.exe"
expect_equal "file version of cellaro.exe" "$expected_version" "$(field "$version_line" file)"
rig_log "ok: cellaro.exe carries version $expected_version"

# --- shown from the tray --------------------------------------------------------------------------
about_hidden || rig_fail "the about window shows before it was asked for: $(about_line)"
choose_about
wait_until 10 "the about window at $ABOUT_RECT" about_at "$ABOUT_RECT" ||
    rig_fail "no about window at $ABOUT_RECT: $(about_line)"
exstyle=$(field "$(about_line)" exstyle)
[ $((exstyle & WS_EX_TOPMOST)) -ne 0 ] || rig_fail "the about window is not topmost (exstyle $exstyle)"
screenshot about 1 1 558 401
# The white strip with its grey edge, the orange panel, and the tiles of the share pictures.
expect_equal "strip edge" "srgb(93,93,93)" "$(pixel_at 1 380)"
expect_equal "strip" "srgb(255,255,255)" "$(pixel_at 29 380)"
expect_equal "panel" "srgb(244,104,11)" "$(pixel_at 300 300)"
expect_equal "first share tile" "srgb(244,104,11)" "$(pixel_at 9 31)"
colours=$(identify -format '%k' "$E2E_ARTIFACTS/about.png")
[ "$colours" -gt 8 ] || rig_fail "the about window looks bare ($colours colours)"
rig_log "ok: about window at $ABOUT_RECT, topmost, $colours colours"

# --- dragged by its panel -------------------------------------------------------------------------
# Wine shows its notification area at the top left of the screen, under the window at (1, 1): the
# window is dragged away before the tray icon is clicked again.
rig_log "notification area at $(window_geometry "$RIG_TRAY")"
rig_press 1 300 300
rig_move 340 330
rig_move 380 360
xdotool mouseup 1
wait_until 10 "the about window dragged by 80,60" about_at "$DRAGGED_RECT" ||
    rig_fail "dragging the panel left the window at $(field "$(about_line)" rect)"
rig_log "ok: the panel drags the window"

# "About" again while it shows: still one window, where it was.
choose_about
expect_equal "about windows after a second About" 1 "$(about_count)"
about_at "$DRAGGED_RECT" || rig_fail "a second About moved the window: $(about_line)"
rig_log "ok: a second About adds nothing"

# --- Escape closes it ---------------------------------------------------------------------------
about_x=$(about_x_window)
[ -n "$about_x" ] || rig_fail "no X window for the about window"
# The tray menu left the program's menu owner in the foreground: a click on the panel brings the
# about window back to the front (without moving it), and the key goes to it once it is there.
about_in_front() { probe foreground | grep -q $'\ttitle=About$'; }
rig_click 1 300 300
wait_until 10 "the about window in the foreground" about_in_front ||
    rig_fail "a click did not bring the about window to the foreground: $(probe foreground || true)"
about_at "$DRAGGED_RECT" || rig_fail "a click on the panel moved the window: $(about_line)"
xdotool windowfocus --sync "$about_x" key Escape
wait_until 10 "the about window to close" about_hidden || rig_fail "Escape left the about window shown"
rig_log "ok: Escape closed the about window"

# --- Exit -----------------------------------------------------------------------------------------
open_tray_menu 10 || rig_fail "the tray menu did not open ($(app_state))"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
expect_equal "exit status" 0 "$RIG_APP_STATUS"
