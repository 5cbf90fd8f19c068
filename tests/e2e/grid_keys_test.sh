#!/usr/bin/env bash
# The grid by keys, with real key presses to the program's focused window: on the working window
# shown by a tray click, Enter before any arrow places nothing; Home, Right Right Shift+Down show
# the range of column 3, rows 1-2 with the preview rectangle and leave the target where it is;
# Enter places notepad on that range of the 6 x 6 grid of the working window's monitor, and Undo
# puts it back. On the full-screen grid of monitor 1 the same keys place notepad on column 3, rows
# 1-2 of the 10 x 10 cells and the layer goes. A screenshot of each range shown by keys is kept.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin grid_keys
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# Undo in the working window's title strip (as in placement_test.sh).
readonly UNDO_X=121 UNDO_Y=16
# The preview rectangle is the program's window at this opacity; the layer shows at the grid
# opacity (255 minus MrezaTransparent's default of 174), with 10 x 10 cells ("Max Num rows/cols").
readonly PREVIEW_ALPHA=100 GRID_ALPHA=81 MAX_CELLS=10
readonly NOTEPAD_RECT=100,700,700,1000

# The program's visible window at this rectangle, with this opacity.
program_window_at() {
    probe windows | grep $'\tclass=CellaroForm\t' | grep -F $'\trect='"$1"$'\t' | grep -q -F $'\talpha='"$2"$'\t'
}
preview_at() { program_window_at "$1" "$PREVIEW_ALPHA"; }
program_windows() { probe windows | grep $'\tclass=CellaroForm\t' || echo "none"; }

# x_window_at RECT: the visible X window titled "Cellaro" that covers this rectangle in Wine's
# coordinates (without a window manager a borderless form's X window is its client area).
x_window_at() {
    local left top right bottom window x y w h
    IFS=, read -r left top right bottom <<<"$1"
    xdotool search --onlyvisible --name '^Cellaro$' 2>/dev/null | while read -r window; do
        read -r x y w h <<<"$(window_geometry "$window")"
        if [ "$((x - RIG_ORIGIN_X)),$((y - RIG_ORIGIN_Y)),$w,$h" = "$left,$top,$((right - left)),$((bottom - top))" ]; then
            echo "$window"
            break
        fi
    done
}

foreground_is() { [ "$(field "$(probe foreground)" hwnd)" = "$1" ]; }

# focus_program_window HWND RECT [X Y]: the program's window becomes the foreground window, which
# is where the system sends key presses: a click at X,Y of it first when given (without a window
# manager the click activates it), then the X focus to its X window, and a wait until the system
# reports it in the foreground.
focus_program_window() {
    local window
    window=$(x_window_at "$2")
    [ -n "$window" ] || rig_fail "no X window at $2 for the program's window $1"
    if [ $# -ge 4 ]; then
        rig_click 1 "$3" "$4"
    fi
    xdotool windowfocus --sync "$window"
    wait_until 10 "the program's window $1 in the foreground" foreground_is "$1" ||
        rig_fail "the program's window $1 did not become the foreground window: $(probe foreground || true)"
}

# focus_working_window: a click on its status strip, which only drags the window when the pointer
# moves, makes it the foreground window again.
focus_working_window() {
    local left top
    read -r left top <<<"$(working_window_origin)"
    focus_program_window "$working_window_hwnd" "$(field "$(working_window_line)" rect)" \
        $((left + STRIP_X)) $((top + STRIP_Y))
}

keys() {
    xdotool key --delay 60 "$@"
    rig_log "pressed $*"
}

# --- the target ---------------------------------------------------------------------------------
started=$(rig_now)
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
# Away from the notification area at the top left and from where the working window shows.
probe move "$notepad_hwnd" 100 700 700 1000 >/dev/null
wait_until 10 "notepad moved" notepad_rect_is "$NOTEPAD_RECT" || rig_fail "notepad stayed at $(notepad_field rect)"

# --- the compact board ------------------------------------------------------------------------------
show_working_window
# The click on the tray icon may have made Wine's tray window the target for a moment.
make_notepad_target
working_window_shown || rig_fail "the working window hid when notepad was clicked"
focus_working_window
rig_log "working window in the foreground: $(working_window_line)"

# Enter with no range keyed places nothing. Home, which puts the cursor on the first cell (where it
# is already), shows the preview there: once it shows, Enter has been handled before it.
first_cell=$(board_range_rect 0 0 0 0 0)
keys Return Home
wait_until 10 "the preview on the first cell at $first_cell" preview_at "$first_cell" ||
    rig_fail "Home showed no preview at $first_cell: $(program_windows)"
notepad_is "$NOTEPAD_RECT" 0 || rig_fail "Enter before any arrow moved notepad to $(notepad_field rect)"
rig_log "ok: Enter before any arrow placed nothing; Home shows the first cell"

# Column 3, rows 1-2 of the 6 x 6 board.
expected=$(board_range_rect 0 2 0 2 1)
keys Right Right shift+Down
wait_until 10 "the preview at $expected" preview_at "$expected" ||
    rig_fail "Right Right Shift+Down showed no preview at $expected: $(program_windows)"
IFS=, read -r left top right bottom <<<"$(field "$(working_window_line)" rect)"
screenshot grid-keys-board "$left" "$top" $((right - left)) $((bottom - top))
screenshot grid-keys-board-screen
notepad_is "$NOTEPAD_RECT" 0 || rig_fail "the arrow keys moved notepad to $(notepad_field rect); only Enter places"
rig_log "ok: the keyed range shows with the preview at $expected; notepad stays"
keys Return
wait_until 10 "notepad placed at $expected, not maximised" notepad_is "$expected" 0 ||
    rig_fail "Enter left notepad at $(notepad_field rect) zoomed=$(notepad_field zoomed), expected $expected"
rig_log "ok: Enter placed notepad at $expected"
# The placement saved the rectangle before it for Undo, as a release does.
working_window_shown || rig_fail "Enter on the board hid the working window, which the tray showed"
read -r left top <<<"$(working_window_origin)"
rig_click 1 $((left + UNDO_X)) $((top + UNDO_Y))
wait_until 10 "notepad back at $NOTEPAD_RECT" notepad_rect_is "$NOTEPAD_RECT" ||
    rig_fail "Undo after the placement by keys left notepad at $(notepad_field rect), expected $NOTEPAD_RECT"
rig_log "ok: Undo put notepad back at $NOTEPAD_RECT"
focus_working_window
keys Escape
wait_until 10 "the working window to hide" working_window_hidden || rig_fail "Escape left the working window shown"

# --- the full-screen grid of monitor 1 ----------------------------------------------------------
make_notepad_target
LAYER_RECT=$(layer_rect_over 0)
LAYER_CELLS=$MAX_CELLS
choose_tray_item "Fullscreen grid - monitor 1"
layer_shown() { program_window_at "$LAYER_RECT" "$GRID_ALPHA"; }
wait_until 20 "the layer at $LAYER_RECT" layer_shown || rig_fail "no layer at $LAYER_RECT: $(program_windows)"
rig_log "layer shown $(rig_elapsed "$CHOSEN_AT")s after the click"
layer_line=$(probe windows | grep $'\tclass=CellaroForm\t' | grep -F $'\trect='"$LAYER_RECT"$'\t' | head -n1)
layer_hwnd=$(field "$layer_line" hwnd)
[ "$layer_hwnd" = "$working_window_hwnd" ] || rig_fail "the layer is not the working window: $layer_line"
focus_program_window "$layer_hwnd" "$LAYER_RECT"

expected=$(layer_range_rect 0 2 0 2 1)
keys Right Right shift+Down
wait_until 10 "the preview at $expected" preview_at "$expected" ||
    rig_fail "Right Right Shift+Down on the layer showed no preview at $expected: $(program_windows)"
screenshot grid-keys-layer
notepad_is "$NOTEPAD_RECT" 0 || rig_fail "the arrow keys on the layer moved notepad to $(notepad_field rect)"
keys Return
wait_until 10 "notepad placed at $expected, not maximised" notepad_is "$expected" 0 ||
    rig_fail "Enter on the layer left notepad at $(notepad_field rect) zoomed=$(notepad_field zoomed), expected $expected"
rig_log "ok: Enter on the layer placed notepad at $expected"
# Gone: the working window hidden, back in its compact form.
layer_gone() {
    local line
    line=$(window_line "$working_window_hwnd")
    IFS=, read -r left top right bottom <<<"$(field "$line" rect)"
    [ "$(field "$line" visible)" = 0 ] && [ $((right - left))x$((bottom - top)) = "${WORKING_WIDTH}x$WORKING_HEIGHT" ]
}
wait_until 10 "the layer to go" layer_gone ||
    rig_fail "after the placement by keys the working window is $(window_line "$working_window_hwnd")"
rig_log "ok: the layer went; the working window is hidden in its compact form"
rig_log "grid keys test took $(rig_elapsed "$started")s"
