#!/usr/bin/env bash
# The full-screen grid, with real clicks and drags: notepad is the target; "Fullscreen grid -
# monitor 1" and then "Fullscreen grid - monitor 2" from the tray menu turn the working window into
# a topmost translucent layer over that monitor (its work area's size, the grid opacity as alpha),
# with the on-screen caption at the top left; a drag on the layer's 10 x 10 cells places notepad on
# the cells' share of the monitor and the layer goes. The grid menu (right click on the layer):
# "Max Num rows/cols" is written to CRO.cfg at once and the next layer has the configured 6 x 6
# cells; "Close" leaves the layer. The time from the tray item's click to the layer is printed, and
# a screenshot of each layer with a range held down is kept for a look.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin fullscreen
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# The grid opacity with no CRO.cfg: 255 minus MrezaTransparent's default of 174.
readonly GRID_ALPHA=81
# The layer's cells with "Max Num rows/cols" checked (the default), and without (SEW x SEH).
readonly MAX_CELLS=10 CONFIGURED_CELLS=6
# The compact form of the working window, which it returns to when the layer goes.
readonly COMPACT_SIZE="335 x 267" COMPACT_HEIGHT=267
readonly WS_EX_TOPMOST=0x8
# How long the program may take to show a layer, and the times it took ("monitor seconds").
readonly LAYER_SECONDS=20
layer_times=()

rect_size() {
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$1"
    echo "$((right - left)) x $((bottom - top))"
}

rect_height() {
    local top bottom
    IFS=, read -r _ top _ bottom <<<"$1"
    echo "$((bottom - top))"
}

# --- the layer ----------------------------------------------------------------------------------
# The layer is the working window itself. Until it has been seen once it is the program's visible
# window titled "Cellaro" that is taller than the compact form (the caption carries the title as
# well but is one line high; the preview rectangle, titled so too, shows only during a drag); from
# then on it is known by its handle.
working_hwnd=
layer_line() {
    if [ -n "$working_hwnd" ]; then
        probe windows all | grep -P "^window\thwnd=$working_hwnd\t" | head -n1
    else
        probe windows | grep $'\tclass=CellaroForm\t' | grep $'\ttitle=Cellaro$' |
            while IFS= read -r line; do
                if [ "$(rect_height "$(field "$line" rect)")" -gt "$COMPACT_HEIGHT" ]; then
                    printf '%s\n' "$line"
                    break
                fi
            done
    fi
}
layer_seen() { [ "$(field "$(layer_line)" visible)" = 1 ]; }
# layer_is RECT: shown at that rectangle with the grid opacity. The states seen on the way, each
# with the time since LAYER_SINCE, are collected in LAYER_STATES.
LAYER_STATES=()
LAYER_SINCE=
layer_is() {
    local line state
    line=$(layer_line)
    state="visible=$(field "$line" visible) rect=$(field "$line" rect) alpha=$(field "$line" alpha)"
    [ -z "$line" ] && state="no layer"
    if [ "${#LAYER_STATES[@]}" -eq 0 ] || [ "${LAYER_STATES[-1]#* }" != "$state" ]; then
        LAYER_STATES+=("$(rig_elapsed "${LAYER_SINCE:-$(rig_now)}")s $state")
    fi
    [ "$(field "$line" visible)" = 1 ] && [ "$(field "$line" rect)" = "$1" ] &&
        [ "$(field "$line" alpha)" = "$GRID_ALPHA" ]
}
# Gone: the working window hidden and back in its compact form.
layer_gone() {
    local line
    line=$(layer_line)
    [ -n "$line" ] && [ "$(field "$line" visible)" = 0 ] && [ "$(rect_size "$(field "$line" rect)")" = "$COMPACT_SIZE" ]
}
# What is wrong with the working window when the layer has not gone.
layer_not_gone() {
    local line
    line=$(layer_line)
    if [ "$(field "$line" visible)" = 1 ]; then
        echo "the layer still shows: $line"
    else
        echo "the working window is hidden but not in its compact form ($COMPACT_SIZE): it is" \
            "$(rect_size "$(field "$line" rect)") at $(field "$line" rect) with alpha $(field "$line" alpha): $line"
    fi
}

# The on-screen caption: the program's window of one line (31 pixels high, as wide as its text) at
# the top left of the screen.
caption_line() {
    probe windows | grep $'\tclass=CellaroForm\t' | grep -P '\trect=10,0,\d+,31\t' | head -n1
}
caption_shown() { [ -n "$(caption_line)" ]; }
caption_hidden() { ! caption_shown; }

# open_layer MONITOR TRAY-ITEM: the item chosen; the layer must show over that monitor within a
# bound, topmost, with the caption; the time it took is noted.
open_layer() {
    local expected elapsed line
    expected=$(layer_rect_over "$1")
    choose_tray_item "$2"
    LAYER_SINCE=$CHOSEN_AT
    LAYER_STATES=()
    if ! wait_until "$LAYER_SECONDS" "the layer over monitor $1 at $expected, alpha $GRID_ALPHA" layer_is "$expected"; then
        line=$(layer_line)
        screenshot "$RIG_NAME-no-layer-monitor$1"
        if [ -z "$line" ]; then
            rig_fail "\"$2\" showed no layer within ${LAYER_SECONDS}s ($(app_state)); program windows: $(
                probe windows | grep $'\tclass=CellaroForm\t' || echo none)"
        fi
        rig_log "states of the working window seen after the click: $(printf '[%s] ' "${LAYER_STATES[@]}")"
        rig_fail "\"$2\": the layer is at $(field "$line" rect) with alpha $(field "$line" alpha)" \
            "(visible=$(field "$line" visible)), expected $expected with alpha $GRID_ALPHA: $line"
    fi
    elapsed=$(rig_elapsed "$CHOSEN_AT")
    layer_times+=("monitor $1 ($2): ${elapsed}s")
    rig_log "states of the working window seen after the click: $(printf '[%s] ' "${LAYER_STATES[@]}")"
    line=$(layer_line)
    working_hwnd=$(field "$line" hwnd)
    rig_log "layer shown ${elapsed}s after the click on \"$2\": $line"
    (($(field "$line" exstyle) & WS_EX_TOPMOST)) || rig_fail "the layer over monitor $1 is not topmost: $line"
    wait_until 10 "the on-screen caption" caption_shown ||
        rig_fail "no on-screen caption at the top left while the layer shows: $(probe windows | grep CellaroForm)"
    line=$(caption_line)
    (($(field "$line" exstyle) & WS_EX_TOPMOST)) || rig_fail "the on-screen caption is not topmost: $line"
    rig_log "ok: layer over monitor $1 at $expected, alpha $GRID_ALPHA, topmost; caption $(field "$line" rect)"
    LAYER_RECT=$expected
}

# drag_layer MONITOR C0 R0 C1 R1 [SCREENSHOT]: a real drag across the layer's cells; while the
# button is down the target follows and the screen is kept; the release places notepad and the
# layer goes, with the caption.
drag_layer() {
    local expected from_x from_y to_x to_y
    expected=$(layer_range_rect "$@")
    read -r from_x from_y <<<"$(layer_cell_point "$2" "$3")"
    read -r to_x to_y <<<"$(layer_cell_point "$4" "$5")"
    press_and_move "$from_x" "$from_y" "$to_x" "$to_y"
    if ! wait_until 10 "notepad to follow the drag to $expected" notepad_rect_is "$expected"; then
        rig_fault "drag ($2,$3)-($4,$5) on monitor $1: notepad did not follow while the button was down" \
            "(at $(notepad_field rect), expected $expected)"
    fi
    if [ -n "${6:-}" ]; then
        local left top right bottom
        IFS=, read -r left top right bottom <<<"$LAYER_RECT"
        # The whole screen, with the caption at its top left, and the layer alone.
        screenshot "$6-screen"
        screenshot "$6" "$left" "$top" $((right - left)) $((bottom - top))
        check_lit_cells "$6" "$2" "$3" "$4" "$5"
    fi
    xdotool mouseup 1
    wait_until 10 "notepad placed at $expected, not maximised" notepad_is "$expected" 0 ||
        rig_fail "drag ($2,$3)-($4,$5) on the layer over monitor $1 ($LAYER_CELLS x $LAYER_CELLS cells): notepad is at" \
            "$(notepad_field rect) zoomed=$(notepad_field zoomed), expected $expected"
    rig_log "ok: drag ($2,$3)-($4,$5) on monitor $1 placed notepad at $expected"
    wait_until 10 "the layer to go" layer_gone ||
        rig_fail "after the placement on monitor $1 $(layer_not_gone)"
    wait_until 10 "the caption to go" caption_hidden || rig_fail "the caption stayed after the placement: $(caption_line)"
    rig_log "ok: the layer and the caption went; the working window is hidden at $(rect_size "$(field "$(layer_line)" rect)")"
}

# The colour of a pixel of a PNG file, as ImageMagick names it ("srgb(r,g,b)").
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

# check_lit_cells SHOT C0 R0 C1 R1: in the screenshot of the layer (layer coordinates), the
# middles of the range's corner cells all have one colour, and the middles of the cells beside the
# range another: the range is highlighted on the full-screen board.
check_lit_cells() {
    local shot=$E2E_ARTIFACTS/$1.png cell column row x y lit=() free=() colour
    local min_column=$(($2 < $4 ? $2 : $4)) max_column=$(($2 > $4 ? $2 : $4))
    local min_row=$(($3 < $5 ? $3 : $5)) max_row=$(($3 > $5 ? $3 : $5))
    local left top
    IFS=, read -r left top _ _ <<<"$LAYER_RECT"
    for cell in "$min_column $min_row" "$max_column $max_row"; do
        read -r column row <<<"$cell"
        read -r x y <<<"$(layer_cell_point "$column" "$row")"
        lit+=("$(pixel "$shot" $((x - left)) $((y - top)))")
    done
    for cell in "$((max_column + 1)) $min_row" "$min_column $((max_row + 1))"; do
        read -r column row <<<"$cell"
        if [ "$column" -ge "$LAYER_CELLS" ] || [ "$row" -ge "$LAYER_CELLS" ]; then
            continue
        fi
        read -r x y <<<"$(layer_cell_point "$column" "$row")"
        free+=("$(pixel "$shot" $((x - left)) $((y - top)))")
    done
    rig_log "$1: range cells ${lit[*]}; cells beside it ${free[*]}"
    [ "${lit[0]}" = "${lit[1]}" ] || rig_fault "$1: the range's corner cells differ: ${lit[*]}"
    for colour in "${free[@]}"; do
        [ "$colour" != "${lit[0]}" ] || rig_fault "$1: the range is not highlighted: lit ${lit[0]}, beside it $colour"
    done
}

# --- the target ---------------------------------------------------------------------------------
started=$(rig_now)
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
# Away from the notification area and the caption at the top left.
probe move "$notepad_hwnd" 100 700 700 1000 >/dev/null
wait_until 10 "notepad moved" notepad_rect_is 100,700,700,1000 || rig_fail "notepad stayed at $(notepad_field rect)"

monitors=$(probe monitors)
[ "$(printf '%s\n' "$monitors" | grep -c '^monitor')" -eq 2 ] || rig_fail "the program's system sees not two monitors: $monitors"
expect_equal "the layer's place over monitor 1" 0,0,1920,1080 "$(layer_rect_over 0)"
expect_equal "the layer's place over monitor 2" 1920,0,3200,1024 "$(layer_rect_over 1)"
[ -z "$(layer_line)" ] || rig_fail "a layer shows before anything asked for it: $(layer_line)"

# --- monitor 1, then monitor 2, at 10 x 10 cells ------------------------------------------------
LAYER_CELLS=$MAX_CELLS
make_notepad_target
open_layer 0 "Fullscreen grid - monitor 1"
# Cells of 192 x 108.
drag_layer 0 2 3 5 6 fullscreen-monitor1

make_notepad_target
open_layer 1 "Fullscreen grid - monitor 2"
# Cells of 128 x 102 on the board; notepad's cells are 128 x 102 (1024 / 10, truncated).
drag_layer 1 3 2 1 1 fullscreen-monitor2

# --- the grid menu: "Max Num rows/cols" and "Close" ---------------------------------------------
cfg=$RIG_PROGRAM_DIR/CRO.cfg
[ "$(ini_value "$cfg" Options MNR)" != 0 ] || rig_fail "CRO.cfg holds MNR=0 before anything unchecked it"
make_notepad_target
open_layer 0 "Fullscreen grid - monitor 1"
notepad_before_menu=$(notepad_field rect)

# open_grid_menu: a right click on the middle of the layer; the menu's items are left in RIG_MENU.
open_grid_menu() {
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$LAYER_RECT"
    rig_click 3 $(((left + right) / 2)) $(((top + bottom) / 2))
    wait_until 10 "the grid menu" menu_open || rig_fail "a right click on the layer opened no menu"
    RIG_MENU=$(cat "$RIG_RUN/menu.txt")
}
# grid_menu_is MNR-FLAGS: the grid menu's items, "Max Num rows/cols" with these flags.
grid_menu_is() {
    expect_equal "the grid menu $2" "$(printf '0\t%s\tMax Num rows/cols\n1\tseparator\n2\tnone\tUndo\n3\tnone\tClose' "$1")" \
        "$(menu_summary)"
}

open_grid_menu
grid_menu_is checked "(Max Num rows/cols checked)"
click_menu_item "Max Num rows/cols"
cfg_mnr_off() { [ "$(ini_value "$cfg" Options MNR)" = 0 ]; }
wait_until 5 "MNR=0 in CRO.cfg" cfg_mnr_off ||
    rig_fail "unchecking Max Num rows/cols did not write MNR=0 to [Options] of CRO.cfg: $(tr -d '\r' <"$cfg" 2>/dev/null || echo "no $cfg")"
rig_log "ok: MNR=0 in CRO.cfg at once"
wait_until 10 "the grid menu to close" menu_closed || rig_fail "the grid menu stayed open"
layer_is "$LAYER_RECT" || rig_fail "the layer did not stay after Max Num rows/cols: $(layer_line)"

open_grid_menu
grid_menu_is none "(Max Num rows/cols unchecked)"
click_menu_item Close
wait_until 10 "the layer to go after Close" layer_gone || rig_fail "after Close on the grid menu $(layer_not_gone)"
wait_until 10 "the caption to go after Close" caption_hidden || rig_fail "the caption stayed after Close: $(caption_line)"
rig_log "ok: Close on the grid menu left the layer; the working window is hidden in its compact form"
notepad_is "$notepad_before_menu" 0 ||
    rig_fail "the grid menu moved notepad from $notepad_before_menu to $(notepad_field rect)"

# --- 6 x 6 cells without Max Num rows/cols ------------------------------------------------------
make_notepad_target
open_layer 0 "Fullscreen grid - monitor 1"
LAYER_CELLS=$CONFIGURED_CELLS
# Cells of 320 x 180.
drag_layer 0 1 1 2 3 fullscreen-monitor1-6x6
[ "$(ini_value "$cfg" Options MNR)" = 0 ] || rig_fail "MNR in CRO.cfg went back to $(ini_value "$cfg" Options MNR)"

# --- what it took --------------------------------------------------------------------------------
rig_log "time from the tray item's click to the layer (each look at the windows takes a probe run):"
printf '  %s\n' "${layer_times[@]}" >&2
rig_log "full-screen test took $(rig_elapsed "$started")s"
expect_no_faults
