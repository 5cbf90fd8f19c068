#!/usr/bin/env bash
# The program at 150 % (144 dots per inch, set in the prefix before the program starts): the
# working window is laid out in device-independent pixels and shown 1.5 times as large, the board's
# cells are 1.5 times as large on the screen, and a real drag across them still places the target
# on the same share of the monitor in physical pixels as at 96 dots per inch. A screenshot of the
# working window is kept for a look at its text, pictures and lines.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin dpi
start_display
make_prefix

readonly DPI=144
# Faults of the layout at the scale that do not stop the rest of the run; the test fails at its end
# when there are any.
layout_faults=()
# Device-independent to physical pixels at $DPI, rounded as the system's MulDiv rounds (halves
# away from zero; every value here is positive).
physical() { echo $((($1 * DPI + 48) / 96)); }

# --- the scale, set before anything of the program runs -------------------------------------------
timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1 ||
    rig_fail "could not set LogPixels in the prefix"
# The running wineserver keeps the old scale: it goes, and the next start reads the registry anew.
timeout 20 wineserver -k >/dev/null 2>&1 || true
timeout 20 wineserver -w >/dev/null 2>&1 || true
logpixels=$(timeout 60 wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null | tr -d '\r' |
    awk '$1 == "LogPixels" { print $3 }')
expect_equal "LogPixels in the prefix" "0x90" "$logpixels"

start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
# Wine's notification area, for a look at the icon drawn for the scale.
read -r tray_x tray_y tray_width tray_height <<<"$(window_geometry "$RIG_TRAY")"
screenshot dpi-tray "$tray_x" "$tray_y" "$tray_width" "$tray_height"


# The working window: the program's visible form titled "Cellaro" (the preview rectangle, the
# only other one, shows only during a drag and has the preview's size).
scaled_working_window_line() {
    if [ -n "${working_window_hwnd:-}" ]; then
        probe windows | grep -P "^window\thwnd=$working_window_hwnd\t" | head -n1
    else
        probe windows | grep $'\tclass=CellaroForm\t' | grep $'\ttitle=Cellaro$' | head -n1
    fi
}
scaled_working_window_shown() { [ -n "$(scaled_working_window_line)" ]; }
window_size() {
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$(field "$1" rect)"
    echo "$((right - left)) x $((bottom - top))"
}

# The board at 96 dots per inch: 320 x 195 at (6, 30) of the client area, 6 x 6 cells. At the scale
# each edge is scaled, so the board spans these physical client pixels.
readonly GRID_COLUMNS=6 GRID_ROWS=6
BOARD_LEFT=$(physical 6)
BOARD_TOP=$(physical 30)
BOARD_WIDTH=$(($(physical $((6 + 320))) - BOARD_LEFT))
BOARD_HEIGHT=$(($(physical $((30 + 195))) - BOARD_TOP))
readonly BOARD_LEFT BOARD_TOP BOARD_WIDTH BOARD_HEIGHT

# Screen point of the middle of board cell (column, row) at the scale.
scaled_cell_point() {
    local left top
    IFS=, read -r left top _ _ <<<"$(field "$(scaled_working_window_line)" rect)"
    echo "$((left + BOARD_LEFT + (2 * $1 + 1) * BOARD_WIDTH / (2 * GRID_COLUMNS)))" \
        "$((top + BOARD_TOP + (2 * $2 + 1) * BOARD_HEIGHT / (2 * GRID_ROWS)))"
}

# --- the scale as the system reports it -----------------------------------------------------------
monitors=$(probe monitors)
rig_log "monitors at $DPI dots per inch:"
printf '%s\n' "$monitors" >&2
primary=$(printf '%s\n' "$monitors" | grep -P '^monitor\tindex=0\t')
expect_equal "primary monitor in physical pixels" "0,0,1920,1080" "$(field "$primary" rect)"
expect_equal "primary work area (no task bar)" "0,0,1920,1080" "$(field "$primary" work)"

# --- the target -----------------------------------------------------------------------------------
started=$(rig_now)
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
probe move "$notepad_hwnd" 100 700 700 1000 >/dev/null
wait_until 10 "notepad moved" notepad_rect_is 100,700,700,1000 || rig_fail "notepad stayed at $(notepad_field rect)"
rig_click 1 400 850
wait_until 10 "notepad in the foreground" notepad_is_foreground ||
    rig_fail "notepad is not the foreground window: $(probe foreground || true)"

# --- the working window at the scale --------------------------------------------------------------
click_tray 1
wait_until 20 "the working window" scaled_working_window_shown ||
    rig_fail "a left click on the tray icon showed nothing: $(probe windows | grep -v tooltips_class32)"
working_window_hwnd=$(field "$(scaled_working_window_line)" hwnd)
rig_log "working window: $(scaled_working_window_line)"
window_dpi=$(probe dpi "$working_window_hwnd")
rig_log "$window_dpi"
expect_equal "the working window's dots per inch" "$DPI" "$(field "$window_dpi" window)"
expect_equal "the working window's size: 335 x 267 at 1.5" "$(physical 335) x $(physical 267)" \
    "$(window_size "$(scaled_working_window_line)")"

# The click on the tray icon may leave Wine's notification area as the target; notepad is clicked
# again and the tray hint must name it.
rig_click 1 400 850
wait_until 10 "notepad in the foreground again" notepad_is_foreground || rig_fail "notepad is not the foreground window"
wait_until 20 "the tray hint to name notepad" target_is_notepad || rig_fail "the target is not notepad: tray hint \"$RIG_HINT\""

# --- a drag on the board's scaled cells -----------------------------------------------------------
# Cells (1, 1) to (3, 2) of the 1920 x 1080 primary monitor, divided in physical pixels as at 96
# dots per inch: 320 x 180 each.
expected=$((1 * 320)),$((1 * 180)),$((4 * 320)),$((3 * 180))
read -r from_x from_y <<<"$(scaled_cell_point 1 1)"
read -r to_x to_y <<<"$(scaled_cell_point 3 2)"
rig_press 1 "$from_x" "$from_y"
for step in 1 2 3 4 5; do
    rig_move $((from_x + (to_x - from_x) * step / 5)) $((from_y + (to_y - from_y) * step / 5))
    sleep 0.05 # a hand's pace; what counts is where the pointer ends, which is waited for below
done
followed=0
wait_until 10 "notepad to follow the drag to $expected" notepad_rect_is "$expected" && followed=1
IFS=, read -r left top right bottom <<<"$(field "$(scaled_working_window_line)" rect)"
screenshot dpi-screen
screenshot dpi-working-window "$left" "$top" $((right - left)) $((bottom - top))
xdotool mouseup 1
[ "$followed" -eq 1 ] ||
    rig_fail "drag (1,1)-(3,2) at $DPI dots per inch: notepad is at $(notepad_field rect), expected $expected"
wait_until 10 "notepad placed at $expected" notepad_rect_is "$expected" ||
    rig_fail "notepad is at $(notepad_field rect) after the release, expected $expected"
rig_log "ok: drag (1,1)-(3,2) placed notepad at $expected"

# --- the board's picture is made at the scale -----------------------------------------------------
# In the screenshot of the working window taken while the button was down, the range's cells are lit
# over their whole scaled extent: the middles of its corner cells are lit, those of the cells
# beside it are not. A board drawn at its 96-dots-per-inch size fails here.
shot=$E2E_ARTIFACTS/dpi-working-window.png
# Sum of red, green and blue of a pixel of the screenshot (client coordinates: the window has no frame).
brightness() { convert "$shot" -format "%[fx:round(255*(p{$1,$2}.r+p{$1,$2}.g+p{$1,$2}.b))]" info:; }
cell_middle_in_client() {
    echo "$((BOARD_LEFT + (2 * $1 + 1) * BOARD_WIDTH / (2 * GRID_COLUMNS)))" \
        "$((BOARD_TOP + (2 * $2 + 1) * BOARD_HEIGHT / (2 * GRID_ROWS)))"
}
readonly LIT_ABOVE=288 # 3 x 0x60: the lit cells are light, the free ones dark
board_faults=()
for cell in "1 1 lit" "3 1 lit" "1 2 lit" "3 2 lit" "0 1 free" "4 2 free" "3 3 free" "5 5 free"; do
    read -r column row want <<<"$cell"
    read -r x y <<<"$(cell_middle_in_client "$column" "$row")"
    level=$(brightness "$x" "$y")
    state=free
    [ "$level" -le "$LIT_ABOVE" ] || state=lit
    [ "$state" = "$want" ] || board_faults+=("cell ($column,$row) at $x,$y is $state (brightness $level), expected $want")
done
if [ "${#board_faults[@]}" -gt 0 ]; then
    printf '%s\n' "${board_faults[@]}" >&2
    layout_faults+=("the board's picture is not at the scale (see $shot)")
else
    rig_log "ok: the board's cells are lit at their scaled places"
fi

# --- the hint at the scale ------------------------------------------------------------------------
# Undo's hint, for the screenshot: its text and box are made for the window's scale.
read -r left top <<<"$(field "$(scaled_working_window_line)" rect | cut -d, -f1,2 | tr , ' ')"
undo_x=$((left + $(physical 121)))
undo_y=$((top + $(physical 16)))
xdotool mousemove --sync $((undo_x - 2)) "$undo_y" sleep 0.1 mousemove --sync "$undo_x" "$undo_y"
undo_hint_shown() { probe tooltip | grep -q $'^tooltip\ttext=Undo$'; }
wait_until 10 "the hint of Undo" undo_hint_shown || rig_fail "no hint over Undo: $(probe tooltip || true)"
hint_line=$(probe windows | grep $'\tclass=tooltips_class32\t' | head -n1)
rig_log "the hint of Undo: $(field "$hint_line" rect)"
screenshot dpi-hint "$left" "$top" "$(physical 335)" "$(physical 267)"

# --- centred as at 96 dots per inch ---------------------------------------------------------------
centred="$((960 - $(physical 167))),$((540 - $(physical 267) / 2))"
origin=$(field "$(scaled_working_window_line)" rect | cut -d, -f1,2)
if [ "$origin" = "$centred" ]; then
    rig_log "ok: working window centred on the primary monitor"
else
    layout_faults+=("the working window is at $origin, not centred on the primary monitor ($centred)")
fi

# --- moved onto a monitor of another scale --------------------------------------------------------
# Wine gives every monitor the same scale and never sends WM_DPICHANGED, so the probe hands the
# working window the message the system would send, at the window's own dots per inch: the window
# takes the suggested rectangle.
xdotool mousemove 1000 1000 # off the window, so no hint or hover follows it
suggested=600,300,$((600 + $(physical 335))),$((300 + $(physical 267)))
probe dpichanged "$working_window_hwnd" ${suggested//,/ } >/dev/null ||
    rig_fail "the probe could not send WM_DPICHANGED to the working window"
at_suggested() { [ "$(field "$(scaled_working_window_line)" rect)" = "$suggested" ]; }
wait_until 10 "the working window at the suggested $suggested" at_suggested ||
    rig_fail "after WM_DPICHANGED the working window is at $(field "$(scaled_working_window_line)" rect), expected $suggested"
rig_log "ok: WM_DPICHANGED moved the working window to the suggested $suggested"
screenshot dpi-after-dpichanged 600 300 "$(physical 335)" "$(physical 267)"

rig_log "dpi test took $(rig_elapsed "$started")s"
if [ "${#layout_faults[@]}" -gt 0 ]; then
    printf '%s\n' "${layout_faults[@]}" >&2
    rig_fail "${#layout_faults[@]} fault(s) of the layout at $DPI dots per inch"
fi
