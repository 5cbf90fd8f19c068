#!/usr/bin/env bash
# Placement on other monitor layouts: the second monitor (1280 x 1024) left of the primary, where
# Windows' coordinates put it at negative x, or below it, where both monitors share the same
# horizontal span. On each monitor in turn, with the working window on it, every per-monitor command
# must act on that monitor, measured from its own edges:
#  - a drag across the board's cells places notepad on those cells of the monitor;
#  - the anchor pad's top left, top centre, top right and bottom right put notepad at the monitor's
#    edges (its bounds across, its top to its work area's bottom down);
#  - "Fullscreen grid - monitor N" covers exactly that monitor's work area, and a drag on the
#    layer's cells places notepad on that monitor's cells.
# The expected rectangles come from the monitors Wine reports. Every check runs whatever the ones
# before it found; the test fails at its end naming each fault. Screenshots of the board and the
# layer on each monitor are kept.
# Arguments: cellaro.exe probe.exe LAYOUT (left or below, see rig.sh's start_display)
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$1" "$2"
layout=${3:?the monitor layout: left or below}
rig_begin "layouts-$layout"
start_display "$layout"
make_prefix
expect_wine_monitors
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
started=$(rig_now)

# The layer's cells with "Max Num rows/cols" checked (the default).
readonly FULL_SCREEN_CELLS=10
# How long a command may take to move notepad, and the program to show the layer.
readonly PLACE_SECONDS=10 LAYER_SECONDS=20

# The monitors in enumeration order; the tray menu numbers them from 1 in that order.
monitors=$(probe monitors)
[ "$(printf '%s\n' "$monitors" | grep -c '^monitor')" -eq 2 ] || rig_fail "not two monitors: $monitors"
# monitor_name INDEX: the monitor as the messages name it.
monitor_name() {
    local line
    line=$(printf '%s\n' "$monitors" | grep -P "^monitor\tindex=$1\t")
    if [ "$(field "$line" primary)" = 1 ]; then
        echo "monitor $(($1 + 1)) (primary, $(field "$line" rect))"
    else
        echo "monitor $(($1 + 1)) (the $layout one, $(field "$line" rect))"
    fi
}

# rect_inside INNER OUTER
rect_inside() {
    local l t r b L T R B
    IFS=, read -r l t r b <<<"$1"
    IFS=, read -r L T R B <<<"$2"
    [ "$l" -ge "$L" ] && [ "$t" -ge "$T" ] && [ "$r" -le "$R" ] && [ "$b" -le "$B" ]
}

# expect_notepad_at WHAT MONITOR RECT: notepad reaches that rectangle, not maximised, inside the
# monitor; a fault names what it is at otherwise.
expect_notepad_at() {
    local bounds
    bounds=$(monitor_rect "$2")
    rect_inside "$3" "$bounds" || rig_fail "$1: the expected $3 is not inside monitor $(($2 + 1)) ($bounds)"
    if wait_until "$PLACE_SECONDS" "notepad at $3 after $1" notepad_is "$3" 0; then
        rig_log "ok: $1 put notepad at $3"
        return 0
    fi
    local now
    now=$(notepad_field rect)
    if rect_inside "$now" "$bounds"; then
        rig_fault "$1: notepad is at $now (zoomed=$(notepad_field zoomed)), expected $3"
    else
        rig_fault "$1: notepad is at $now (zoomed=$(notepad_field zoomed)), outside monitor $(($2 + 1)) ($bounds);" \
            "expected $3"
    fi
}

# notepad_home: 600 x 300 on the primary monitor, away from the notification area at the top left,
# which it opens over, and where the working window, centred on a monitor, never covers it.
notepad_home() {
    probe move "$notepad_hwnd" 100 700 700 1000 >/dev/null
    wait_until 10 "notepad moved home" notepad_rect_is 100,700,700,1000 ||
        rig_fail "notepad stayed at $(notepad_field rect)"
}

notepad_not_at() { ! notepad_rect_is "$1"; }

# drag_board MONITOR C0 R0 C1 R1 [SCREENSHOT]: a real drag across the compact board's cells.
drag_board() {
    local expected from_x from_y to_x to_y before
    expected=$(board_range_rect "$@")
    read -r from_x from_y <<<"$(cell_point "$2" "$3")"
    read -r to_x to_y <<<"$(cell_point "$4" "$5")"
    before=$(notepad_field rect)
    press_and_move "$from_x" "$from_y" "$to_x" "$to_y"
    # The target follows the range while the button is down.
    wait_until "$PLACE_SECONDS" "notepad to follow the drag" notepad_not_at "$before" || true
    [ -z "${6:-}" ] || screenshot "$6"
    xdotool mouseup 1
    expect_notepad_at "the board drag ($2,$3)-($4,$5) on $(monitor_name "$1")" "$1" "$expected"
}

# place_by_anchor MONITOR NAME WHAT: a click on that anchor button; notepad keeps its size.
place_by_anchor() {
    local x y origin_x origin_y left top right bottom
    IFS=, read -r left top right bottom <<<"$(notepad_field rect)"
    read -r origin_x origin_y <<<"$(working_window_origin)"
    read -r x y <<<"$(anchor_point "$2")"
    rig_click 1 $((origin_x + x)) $((origin_y + y))
    expect_notepad_at "the anchor $2 ($3) on $(monitor_name "$1")" "$1" \
        "$(anchor_rect "$1" "$2" $((right - left)) $((bottom - top)))"
}

layer_line() { window_line "$working_window_hwnd"; }
layer_shown_at() {
    local line
    line=$(layer_line)
    [ "$(field "$line" visible)" = 1 ] && [ "$(field "$line" rect)" = "$1" ]
}
layer_gone() { [ "$(field "$(layer_line)" visible)" = 0 ]; }

# full_screen_on MONITOR C0 R0 C1 R1: the layer chosen from the tray menu must cover exactly that
# monitor's work area; a real drag across its cells places notepad on the monitor and the layer goes.
full_screen_on() {
    local work expected from_x from_y to_x to_y
    work=$(monitor_rect "$1" work)
    # No task bar here: the layer's rule (the monitor's corner, the work area's size) is the work area.
    expect_equal "the layer's rectangle over monitor $(($1 + 1)) is its work area" "$work" "$(layer_rect_over "$1")"
    choose_tray_item "Fullscreen grid - monitor $(($1 + 1))"
    if ! wait_until "$LAYER_SECONDS" "the layer over monitor $(($1 + 1)) at $work" layer_shown_at "$work"; then
        screenshot "$RIG_NAME-no-layer-monitor$(($1 + 1))"
        rig_fail "\"Fullscreen grid - monitor $(($1 + 1))\": the working window is $(layer_line), expected" \
            "the layer at $work"
    fi
    rig_log "ok: the layer covers the work area $work of $(monitor_name "$1") $(rig_elapsed "$CHOSEN_AT")s after the click"
    LAYER_RECT=$work
    LAYER_CELLS=$FULL_SCREEN_CELLS
    expected=$(layer_range_rect "$1" "$2" "$3" "$4" "$5")
    read -r from_x from_y <<<"$(layer_cell_point "$2" "$3")"
    read -r to_x to_y <<<"$(layer_cell_point "$4" "$5")"
    press_and_move "$from_x" "$from_y" "$to_x" "$to_y"
    wait_until "$PLACE_SECONDS" "notepad to follow the drag" notepad_not_at 100,700,700,1000 || true
    screenshot "$RIG_NAME-monitor$(($1 + 1))-layer"
    xdotool mouseup 1
    expect_notepad_at "the full-screen drag ($2,$3)-($4,$5) on $(monitor_name "$1")" "$1" "$expected"
    wait_until 10 "the layer to go" layer_gone || rig_fail "the layer stayed after the placement: $(layer_line)"
}

# --- the target ----------------------------------------------------------------------------------
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
notepad_home

# --- each monitor in turn ------------------------------------------------------------------------
for monitor in 0 1; do
    rig_log "--- $(monitor_name "$monitor") ---"
    show_working_window
    make_notepad_target
    working_window_onto "$monitor"
    show_page Grid
    drag_board "$monitor" 1 1 3 2 "$RIG_NAME-monitor$((monitor + 1))-board"
    # From the end cell back to the start cell, out to the monitor's bottom right corner.
    drag_board "$monitor" 5 5 4 3

    show_page Arrange
    place_by_anchor "$monitor" x1 "top left"
    place_by_anchor "$monitor" X2 "top centre"
    place_by_anchor "$monitor" X3 "top right"
    place_by_anchor "$monitor" X9 "bottom right"

    notepad_home
    make_notepad_target
    full_screen_on "$monitor" 2 3 5 6
done

rig_log "layouts test ($layout) took $(rig_elapsed "$started")s"
expect_no_faults
