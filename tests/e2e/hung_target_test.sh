#!/usr/bin/env bash
# A target that stops answering never freezes the program: a window that has been shown, taken as
# the target and then left without a look at its messages is made translucent at once (before the
# system calls it hung) without a wait, stays the target while the working window is shown, a drag runs across its board, Escape hides it, the tray menu opens and "Exit" ends the
# program, each within a bounded time, and all of it while the target is still not answering.
# Every step's time is logged, so a stall shows up as a number even when it stays under the limit.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin hung-target
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# The board of the compact working window: 320 x 195 at (6, 30) of its client area, 6 x 6 cells of
# 53 x 32 board pixels.
readonly HUNG_TITLE="Frozen Editor" HUNG_SECONDS=60

# step_begin WHAT / step_end: the time a step took, logged.
step_begin() {
    STEP_WHAT=$1
    STEP_STARTED=$(rig_now)
}
step_end() { rig_log "ok: $STEP_WHAT in $(rig_elapsed "$STEP_STARTED")s"; }


hung_line() { probe find "$HUNG_TITLE" | head -n1; }
hung_is_foreground() { probe foreground | grep -q $'\ttitle='"$HUNG_TITLE"'$'; }
# The target's thread does not answer a message within the probe's short wait, and the system
# calls it hung.
hung_not_answering() { probe answers "$hung_hwnd" | grep -qP '\treply=0\t.*\thung=1$'; }
hung_reported() { grep -q '^hung' "$RIG_RUN/hung.out" 2>/dev/null; }
RIG_HINT=
target_is_hung_window() { read_tray_hint 3 && [[ $RIG_HINT == *"\\r\\n$HUNG_TITLE"* ]]; }

# The colour of board cell (column, row) in the picture of the working window.
board_cell_colour() {
    convert "$E2E_ARTIFACTS/hung-target-board.png" -format \
        "%[pixel:p{$((BOARD_X + $1 * BOARD_CELL_WIDTH + BOARD_CELL_WIDTH / 2)),$((BOARD_Y + $2 * BOARD_CELL_HEIGHT + BOARD_CELL_HEIGHT / 2))}]" info:
}
# The board has painted the range of the drag (cells 1,1 to 4,3): its corners share a colour that
# the cells outside it do not have.
board_shows_range() {
    local left top right bottom inside
    IFS=, read -r left top right bottom <<<"$(field "$(working_window_line)" rect)"
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
        "$E2E_ARTIFACTS/hung-target-board.png"
    inside=$(board_cell_colour 1 1)
    [ "$(board_cell_colour 4 3)" = "$inside" ] && [ "$(board_cell_colour 0 0)" != "$inside" ] &&
        [ "$(board_cell_colour 5 4)" != "$inside" ]
}

# The program answers while the target does not: its working window takes a message at once.
working_window_answers() {
    local line
    line=$(probe answers "$working_window_hwnd")
    [[ $line == *$'\treply=1\t'* ]] || rig_fail "the working window does not answer: $line ($(app_state))"
    rig_log "working window answers: $(field "$line" ms) ms"
}

# --- the target, then it stops answering ---------------------------------------------------------
started=$(rig_now)
step_begin "the hanging window shown"
(wine "$PROBE_EXE" hang "$HUNG_TITLE" "$HUNG_SECONDS" >"$RIG_RUN/hung.out" 2>/dev/null &)
wait_until 30 "the hanging window" hung_reported || rig_fail "the probe's window did not show"
hung_hwnd=$(field "$(head -n1 "$RIG_RUN/hung.out")" hwnd)
# It made itself the foreground window while it still answered.
wait_until 5 "the hanging window in the foreground" hung_is_foreground ||
    rig_fail "the hanging window is not the foreground window: $(probe foreground || true)"
step_end
rig_log "hanging window: $(hung_line)"

# The program takes the foreground window for its target; the tray hint names the target.
step_begin "the hanging window taken as the target"
wait_until 15 "the tray hint to name \"$HUNG_TITLE\"" target_is_hung_window ||
    rig_fail "the target is not the hanging window: tray hint \"$RIG_HINT\""
step_end
hung_rect=$(field "$(hung_line)" rect)

# --- Transparent at once, before the system calls the target hung --------------------------------
# Its style change would wait for the target's thread: the program asks the window to answer first,
# with a short bound, and leaves it as it is. (On a machine so slow that the system calls the window
# hung by now, the step still runs; it then proves less.)
step_begin "Transparent on the target that has just stopped answering"
click_tray 1
wait_until 10 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
working_window_hwnd=$(field "$(working_window_line)" hwnd)
read -r wx wy <<<"$(working_window_origin)"
rig_log "the system calls the target hung: $(field "$(probe answers "$hung_hwnd")" hung)"
rig_click 1 $((wx + 88)) $((wy + 16)) # "Arrange"
rig_click 1 $((wx + 58)) $((wy + 50)) # "Transparent"
working_window_answers
rig_click 1 $((wx + 24)) $((wy + 16)) # "Grid": the board page again, for the drag below
click_tray 1
wait_until 10 "the working window to hide" working_window_hidden || rig_fail "a second tray click left it shown"
step_end
working_window_hwnd=

# Windows calls a window hung once its thread has not looked at its messages for 5 seconds.
step_begin "the hanging window hung"
wait_until 15 "the hanging window to be hung" hung_not_answering ||
    rig_fail "the hanging window is not hung: $(probe answers "$hung_hwnd")"
step_end

# --- the working window over the hung target -----------------------------------------------------
step_begin "the working window shown"
click_tray 1
wait_until 10 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
working_window_hwnd=$(field "$(working_window_line)" hwnd)
step_end
working_window_answers
rig_log "foreground: $(probe foreground || true)"
step_begin "the target still the hanging window"
wait_until 15 "the tray hint to name \"$HUNG_TITLE\"" target_is_hung_window ||
    rig_fail "the target is not the hanging window: tray hint \"$RIG_HINT\""
step_end

# --- a drag across the board ---------------------------------------------------------------------
# The button goes down on one cell and the pointer travels to another in steps; after every step
# the working window must take a message at once, however the target fares with its own queue.
step_begin "a drag across the board"
read -r from_x from_y <<<"$(cell_point 1 1)"
read -r to_x to_y <<<"$(cell_point 4 3)"
rig_press 1 "$from_x" "$from_y" # the board sees the pointer arrive before the press (rig_move)
steps=5
for step in $(seq 1 $steps); do
    rig_move $((from_x + (to_x - from_x) * step / steps)) $((from_y + (to_y - from_y) * step / steps))
    working_window_answers
done
wait_until 5 "the board to show the range" board_shows_range ||
    rig_fail "the board does not show the dragged range (see $E2E_ARTIFACTS/hung-target-board.png)"
xdotool mouseup 1
working_window_answers
step_end
# Whether the target follows is up to it once it answers again; here it is only logged.
rig_log "hanging window after the drag at $(field "$(hung_line)" rect), before it at $hung_rect"

# --- Escape, the tray menu and Exit ---------------------------------------------------------------
step_begin "Escape hid the working window"
working_x=$(xdotool search --onlyvisible --name '^Cellaro$' | head -n1)
[ -n "$working_x" ] || rig_fail "no X window for the working window"
xdotool windowfocus --sync "$working_x" key Escape
wait_until 5 "the working window to hide" working_window_hidden || rig_fail "Escape left the working window shown"
step_end

step_begin "the tray menu opened"
open_tray_menu 5 || rig_fail "the tray menu did not open ($(app_state))"
step_end

step_begin "Exit ended cellaro.exe"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end within 20 s of Exit"
step_end
[ "$RIG_APP_STATUS" = 0 ] || rig_fail "cellaro.exe ended with status $RIG_APP_STATUS"
# All of it happened while the target did not answer.
hung_not_answering || rig_fail "the hanging window answered before the end: $(probe answers "$hung_hwnd")"
rig_log "hanging window at the end: $(hung_line)"
rig_log "ok: the program stayed responsive over a hung target; the test took $(rig_elapsed "$started")s"
