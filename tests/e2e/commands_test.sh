#!/usr/bin/env bash
# The window commands with real clicks on the working window's "gumbi" page: notepad is placed by
# the anchor pad, made translucent and opaque again, pinned on top and released (the pin is caught
# in a screenshot), moved to the second monitor and back (also maximised), minimised, maximised
# and restored; three notepads are tiled; Sleep closes the working window. Screenshots of the page,
# the pin and the tiles are kept.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin commands
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# Centres of the page's command buttons in the working window's client area: the title strip is 26
# pixels high; the command row is at y 10 of the page (rig.sh knows the anchor pad, ANCHORS).
readonly COMMAND_Y=$((26 + 10 + 14))
command_x() {
    case $1 in
    XI3) echo 23 ;; XI4) echo 58 ;; XI5) echo 94 ;; XI6) echo 137 ;;
    XI7) echo 173 ;; XI8) echo 208 ;; xi1) echo 243 ;; XI9) echo 308 ;;
    *) rig_fail "no command button $1" ;;
    esac
}

# notepad_* look at one notepad by its handle (NOTEPAD, set below).
notepad_field() { field "$(window_line "$NOTEPAD")" "$1"; }
notepad_is() { [ "$(notepad_field rect)" = "$1" ] && [ "$(notepad_field zoomed)" = "$2" ]; }
notepad_alpha_is() { [ "$(notepad_field alpha)" = "$1" ]; }
notepad_exstyle_has() { [ $(($(notepad_field exstyle) & $1)) -eq $(($2)) ]; }
notepad_zoomed_is() { [ "$(notepad_field zoomed)" = "$1" ]; }
notepad_iconic_is() { [ "$(notepad_field iconic)" = "$1" ]; }
notepad_handles() { probe find "$NOTEPAD_TITLE" | grep $'\tvisible=1\t' | awk -F'\t' '{ print substr($2, 6) }'; }
notepad_count_is() { [ "$(notepad_handles | wc -l)" -eq "$1" ]; }

# press NAME: a real click on a button of the page.
press() {
    local x y origin_x origin_y
    read -r origin_x origin_y <<<"$(working_window_origin)"
    if [[ $1 == x1 || $1 == X[1-9] ]]; then
        read -r x y <<<"$(anchor_point "$1")"
    else
        x=$(command_x "$1")
        y=$COMMAND_Y
    fi
    rig_click 1 $((origin_x + x)) $((origin_y + y))
}

# expect_placed BUTTON RECT ZOOMED
expect_placed() {
    press "$1"
    wait_until 10 "notepad at $2 (zoomed $3) after $1" notepad_is "$2" "$3" ||
        rig_fail "$1 left notepad at $(notepad_field rect) zoomed=$(notepad_field zoomed), expected $2 zoomed=$3"
    rig_log "ok: $1 put notepad at $2"
}

# --- the target and the page -------------------------------------------------------------------
started=$(rig_now)
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_count_is 1 || rig_fail "notepad did not open"
NOTEPAD=$(notepad_handles | head -n1)
probe move "$NOTEPAD" 100 700 700 1000 >/dev/null
wait_until 10 "notepad moved" notepad_rect_is 100,700,700,1000 || rig_fail "notepad stayed at $(notepad_field rect)"
rig_click 1 400 850
wait_until 10 "notepad in the foreground" notepad_is_foreground || rig_fail "notepad is not the foreground window"

click_tray 1
wait_until 20 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
working_window_hwnd=$(field "$(working_window_line)" hwnd)
# The click on the tray icon may have made Wine's tray window the target for a moment.
make_notepad_target
read -r origin_x origin_y <<<"$(working_window_origin)"
show_page Arrange

# --- anchors on the first monitor (1920 x 1080, no task bar) ------------------------------------
# notepad is 600 x 300.
expect_placed X3 1320,0,1920,300 0
# The page is up: its button has just worked.
screenshot commands-page "$origin_x" "$origin_y" 335 267
expect_placed X5 660,390,1260,690 0
expect_placed x1 0,0,600,300 0
expect_placed X9 1320,780,1920,1080 0
expect_placed X4 0,390,600,690 0

# --- Transparent --------------------------------------------------------------------------------
press XI4
wait_until 10 "notepad at alpha 95" notepad_alpha_is 95 || rig_fail "Transparent left alpha $(notepad_field alpha)"
rig_log "ok: Transparent made notepad translucent at 95"
press XI4
wait_until 10 "notepad opaque" notepad_alpha_is none || rig_fail "a second Transparent left alpha $(notepad_field alpha)"
notepad_exstyle_has 0x80000 0 || rig_fail "notepad keeps the layered style: $(notepad_field exstyle)"
rig_log "ok: a second Transparent made notepad opaque (exstyle $(notepad_field exstyle))"

# --- Stay on top, with the pin caught on screen --------------------------------------------------
expect_placed X5 660,390,1260,690 0
# The pin is painted for about 1.25 s with its top left corner at the middle of notepad's top
# edge (960, 393): the screenshot is taken once red pixels show there.
readonly PIN_SHOT=(880 370 160 60)
pin_shown() {
    import -window root -crop "${PIN_SHOT[2]}x${PIN_SHOT[3]}+${PIN_SHOT[0]}+${PIN_SHOT[1]}" +repage "$RIG_RUN/pin.png" &&
        [ "$(convert "$RIG_RUN/pin.png" -fx 'r > 0.6 && g < 0.35 && b < 0.35' -format '%[fx:maxima]' info:)" = 1 ]
}
press XI5
wait_until 5 "the pin on screen" pin_shown || rig_fail "no pin was painted over notepad's top edge"
cp "$RIG_RUN/pin.png" "$E2E_ARTIFACTS/commands-pin.png"
screenshot commands-pin-screen
wait_until 10 "notepad topmost" notepad_exstyle_has 0x8 0x8 || rig_fail "Stay on top: exstyle $(notepad_field exstyle)"
rig_log "ok: Stay on top pinned notepad"
# Once the pin is gone the working window comes back in front of the pinned notepad.
working_window_in_front() { probe windows | head -n1 | grep -qP "^window\thwnd=$working_window_hwnd\t"; }
wait_until 10 "the working window in front of notepad" working_window_in_front ||
    rig_fail "the pinned notepad covers the working window: $(probe windows | head -n2)"
press XI5
wait_until 10 "notepad not topmost" notepad_exstyle_has 0x8 0 || {
    screenshot commands-unpin-failed
    probe windows | grep -v $'\tclass=tooltips_class32\t' >&2
    false
} || rig_fail "a second Stay on top: exstyle $(notepad_field exstyle)"
rig_log "ok: a second Stay on top released notepad"

# --- Move to next monitor (1280 x 1024 at 1920, 0) and back --------------------------------------
expect_placed xi1 2580,390,3180,690 0
expect_placed xi1 660,390,1260,690 0
press XI8
wait_until 10 "notepad maximised" notepad_zoomed_is 1 || rig_fail "Maximize left notepad at zoomed=$(notepad_field zoomed)"
rig_log "ok: Maximize maximised notepad at $(notepad_field rect)"
press xi1
on_second_monitor_maximised() {
    local left right
    IFS=, read -r left _ right _ <<<"$(notepad_field rect)"
    notepad_zoomed_is 1 && [ $(((left + right) / 2)) -gt 1920 ] && [ $((right - left)) -ge 1280 ] && [ $((right - left)) -le 1300 ]
}
wait_until 10 "notepad maximised on the second monitor" on_second_monitor_maximised ||
    rig_fail "Move to next monitor left the maximised notepad at $(notepad_field rect) zoomed=$(notepad_field zoomed)"
rig_log "ok: the maximised notepad moved to the second monitor: $(notepad_field rect)"
expect_placed XI7 2580,390,3180,690 0
expect_placed xi1 660,390,1260,690 0

# --- Minimize and Restore -----------------------------------------------------------------------
press XI6
wait_until 10 "notepad minimised" notepad_iconic_is 1 || rig_fail "Minimize left notepad iconic=$(notepad_field iconic)"
rig_log "ok: Minimize minimised notepad"
expect_placed XI7 660,390,1260,690 0

# --- Tile three notepads --------------------------------------------------------------------------
first=$NOTEPAD
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "a second notepad" notepad_count_is 2 || rig_fail "a second notepad did not open"
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "a third notepad" notepad_count_is 3 || rig_fail "a third notepad did not open"
mapfile -t notepads < <(notepad_handles)
# Without a window manager a newly opened window may cover the working window on the X screen
# whatever the z-order says, so the new notepads go where they leave its buttons in reach.
spots=("100 100 500 300" "1300 750 1800 1000")
for handle in "${notepads[@]}"; do
    [ "$handle" = "$first" ] && continue
    # shellcheck disable=SC2086
    probe move "$handle" ${spots[0]} >/dev/null
    spots=("${spots[@]:1}")
done
press XI3
# Three windows: three rows of 1080 / 3 in one column as wide as the monitor, one pixel in.
expected_tiles=$'1,0,1921,360\n1,360,1921,720\n1,720,1921,1080'
tiles_now() {
    local handle
    for handle in "${notepads[@]}"; do field "$(window_line "$handle")" rect; done | sort -t, -k2 -n
}
tiled() { [ "$(tiles_now)" = "$expected_tiles" ]; }
if ! wait_until 10 "the three notepads tiled" tiled; then
    screenshot commands-tile-failed
    probe windows >&2
    expect_equal "the tiled notepads" "$expected_tiles" "$(tiles_now)"
fi
rig_log "ok: Tile laid out the three notepads"
screenshot commands-tiled

# --- Sleep closes the working window -------------------------------------------------------------
# Without a window manager the X screen stacks the moved notepads over the topmost working window
# (Wine's own z-order keeps it first): raise its X window as a window manager would.
for x_window in $(xdotool search --onlyvisible --name '^Cellaro$'); do
    xdotool windowraise "$x_window"
done
press XI9
wait_until 10 "the working window to close" working_window_hidden || rig_fail "Sleep left the working window shown"
app_running || rig_fail "cellaro.exe ended after Sleep ($(app_state))"
rig_log "ok: Sleep closed the working window; commands test took $(rig_elapsed "$started")s"
