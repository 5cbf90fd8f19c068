#!/usr/bin/env bash
# Placement by dragging on the grid board, with real pointer input: notepad becomes the target, a
# drag across the board moves it onto the cells' share of the working window's monitor (first the
# primary monitor, then the second one after the working window was dragged there), a maximised
# target ends restored at the range, Undo puts the last saved rectangle back and Escape hides the
# working window. Screenshots of a drag in progress are kept for a look.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin placement
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# Undo in the title strip (rig.sh knows the board, its grid and the status strip).
readonly UNDO_X=121 UNDO_Y=16

notepad_maximised() { [ "$(notepad_field zoomed)" = 1 ]; }

# drag_cells C0 R0 C1 R1 EXPECTED-RECT [SCREENSHOT-PREFIX]: a drag across the board from one cell
# to the other; the target follows while the button is down and stays there after the release.
drag_cells() {
    local from_x from_y to_x to_y
    read -r from_x from_y <<<"$(cell_point "$1" "$2")"
    read -r to_x to_y <<<"$(cell_point "$3" "$4")"
    press_and_move "$from_x" "$from_y" "$to_x" "$to_y"
    local followed=0
    wait_until 10 "notepad to follow the drag to $5" notepad_rect_is "$5" && followed=1
    if [ -n "${6:-}" ]; then
        local left top right bottom
        IFS=, read -r left top right bottom <<<"$(field "$(working_window_line)" rect)"
        screenshot "$6-screen"
        screenshot "$6-working-window" "$left" "$top" $((right - left)) $((bottom - top))
    fi
    [ -z "${E2E_VERBOSE:-}" ] || probe windows | grep -v $'\tclass=tooltips_class32\t' >&2
    xdotool mouseup 1
    if [ "$followed" -eq 0 ]; then
        rig_log "notepad did not follow while the button was down: $(notepad_line)"
        rig_log "foreground: $(probe foreground || true)"
        probe windows | grep -v $'\tclass=tooltips_class32\t' >&2
        screenshot "$RIG_NAME-not-followed"
        rig_fail "drag ($1,$2)-($3,$4): notepad did not follow the range while the button was down"
    fi
    wait_until 10 "notepad placed at $5, not maximised" notepad_is "$5" 0 ||
        rig_fail "drag ($1,$2)-($3,$4): notepad is at $(notepad_field rect) zoomed=$(notepad_field zoomed), expected $5"
    rig_log "ok: drag ($1,$2)-($3,$4) placed notepad at $5"
}

# --- the target --------------------------------------------------------------------------------
started=$(rig_now)
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
# Away from the notification area at the top left, which it opens over, and from where the working
# window will show.
probe move "$notepad_hwnd" 100 700 700 1000 >/dev/null
wait_until 10 "notepad moved" notepad_rect_is 100,700,700,1000 || rig_fail "notepad stayed at $(notepad_field rect)"
# A click into notepad makes it the foreground window, which the tracking adopts as its target.
rig_click 1 400 850
wait_until 10 "notepad in the foreground" notepad_is_foreground ||
    rig_fail "notepad is not the foreground window: $(probe foreground || true)"
rig_log "notepad $notepad_hwnd at $(notepad_field rect), foreground"

# --- the working window on the primary monitor ---------------------------------------------------
click_tray 1
wait_until 20 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
working_window_hwnd=$(field "$(working_window_line)" hwnd)
rig_log "working window: $(working_window_line)"
rig_log "foreground: $(probe foreground || true)"
IFS=, read -r left top right bottom <<<"$(field "$(working_window_line)" rect)"
expect_equal "working window centred on the primary monitor" "$((1920 / 2 - 167)),$((1080 / 2 - 267 / 2))" \
    "$left,$top"
# The click on the tray icon may have made Wine's tray window the target for a moment.
make_notepad_target
working_window_shown || rig_fail "the working window hid when notepad was clicked"

drag_cells 1 1 3 2 "$(board_range_rect 0 1 1 3 2)" drag-monitor1
# The board's hint only tells the program that the pointer is over the board: resting there shows
# no tooltip. A tooltip shows after its initial delay (half a second for the program's hints, the
# double-click time for a tooltip left at the system's values), so the board is watched for three
# times the longer of the two, and a tooltip that shows fails the test at once.
rig_read_double_click
watch_ms=$((3 * (RIG_DOUBLE_CLICK_MS > 500 ? RIG_DOUBLE_CLICK_MS : 500)))
watch_until=$(($(rig_now_ms) + watch_ms))
while ! rig_time_reached "$watch_until"; do
    if probe tooltip | grep -q $'^tooltip\ttext='; then
        screenshot placement-board-tooltip
        rig_fail "resting on the board shows a tooltip: $(probe tooltip)"
    fi
    sleep "$RIG_POLL"
done
rig_log "ok: no tooltip over the board within $watch_ms ms"
# The end cell before the start cell gives the same kind of range, here the top left corner.
drag_cells 2 2 0 0 "$(board_range_rect 0 0 0 2 2)"

# --- the working window on the second monitor ----------------------------------------------------
read -r left top <<<"$(working_window_origin)"
# Its middle moves to the middle of the second monitor (1920 + 640).
move_working_window $((1920 + 640 - 167)) "$top"
drag_cells 0 0 1 1 "$(board_range_rect 1 0 0 1 1)" drag-monitor2

# --- a maximised target ends restored ------------------------------------------------------------
probe maximize "$notepad_hwnd" >/dev/null || rig_fail "the probe could not maximise notepad"
wait_until 10 "notepad maximised" notepad_maximised || rig_fail "notepad is not maximised"
maximised_rect=$(notepad_field rect)
rig_log "notepad maximised at $maximised_rect"
drag_cells 2 2 3 5 "$(board_range_rect 1 2 2 3 5)"

# --- Undo puts back the rectangle saved at the last press ----------------------------------------
read -r left top <<<"$(working_window_origin)"
# Its hint shows (which also tells that the probe sees the working window's tooltips at all).
xdotool mousemove --sync $((left + UNDO_X - 2)) $((top + UNDO_Y)) sleep 0.1 \
    mousemove --sync $((left + UNDO_X)) $((top + UNDO_Y))
undo_hint_shown() { probe tooltip | grep -q $'^tooltip\ttext=Undo$'; }
wait_until 10 "the hint of Undo" undo_hint_shown || rig_fail "no hint over Undo: $(probe tooltip || true)"
rig_log "ok: the hint of Undo shows"
rig_click 1
wait_until 10 "notepad back at $maximised_rect" notepad_rect_is "$maximised_rect" ||
    rig_fail "Undo left notepad at $(notepad_field rect), expected $maximised_rect"
rig_log "ok: Undo moved notepad back to $maximised_rect (zoomed=$(notepad_field zoomed))"

# --- Escape hides the working window -------------------------------------------------------------
working_x=$(xdotool search --onlyvisible --name '^Cellaro$' | head -n1)
[ -n "$working_x" ] || rig_fail "no X window for the working window"
xdotool windowfocus --sync "$working_x" key Escape
wait_until 10 "the working window to hide" working_window_hidden || rig_fail "Escape left the working window shown"
rig_log "ok: Escape hid the working window; placement test took $(rig_elapsed "$started")s"
