#!/usr/bin/env bash
# "Focus active window" from the tray menu, with real clicks: notepad on the second monitor is the
# target; the screen grab window covers both monitors with the frozen picture, notepad framed in
# pure red on it (the screenshot taken while it shows is kept), and it goes again after about a
# second, leaving notepad the target.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin highlight
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

readonly GRAB_TITLE="tVbar-802.40"
# On the second monitor (1920,0 to 3200,1024), so the frame is drawn over that monitor's picture.
readonly NOTEPAD_LEFT=2200 NOTEPAD_TOP=200 NOTEPAD_RIGHT=2900 NOTEPAD_BOTTOM=700

# The grab window as X sees it: fast enough to catch a window that shows for one second (the
# probe, a Wine process, takes a good part of that to start).
grab_x_window() { xdotool search --onlyvisible --name "^$GRAB_TITLE\$" 2>/dev/null | head -n1; }
grab_shown() { [ -n "$(grab_x_window)" ]; }
grab_gone() { ! grab_shown; }

# --- the target ---------------------------------------------------------------------------------
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
probe move "$notepad_hwnd" "$NOTEPAD_LEFT" "$NOTEPAD_TOP" "$NOTEPAD_RIGHT" "$NOTEPAD_BOTTOM" >/dev/null
notepad_rect="$NOTEPAD_LEFT,$NOTEPAD_TOP,$NOTEPAD_RIGHT,$NOTEPAD_BOTTOM"
wait_until 10 "notepad moved" notepad_rect_is "$notepad_rect" || rig_fail "notepad stayed at $(notepad_field rect)"
rig_click 1 $(((NOTEPAD_LEFT + NOTEPAD_RIGHT) / 2)) $(((NOTEPAD_TOP + NOTEPAD_BOTTOM) / 2))
wait_until 10 "notepad in the foreground" notepad_is_foreground ||
    rig_fail "notepad is not the foreground window: $(probe foreground || true)"
wait_until 20 "the tray hint to name notepad" target_is_notepad || rig_fail "the target is not notepad: tray hint \"$RIG_HINT\""
rig_log "notepad $notepad_hwnd at $(notepad_field rect) is the target"
grab_gone || rig_fail "the grab window shows before anything asked for it"

# --- the highlight ------------------------------------------------------------------------------
open_tray_menu 20 || rig_fail "the tray menu did not open"
item=$(menu_item_line "Focus active window")
[ -n "$item" ] || rig_fail "no \"Focus active window\" in the tray menu: $RIG_MENU"
[[ "$(field "$item" flags)" != *disabled* && "$(field "$item" flags)" != *grayed* ]] ||
    rig_fail "\"Focus active window\" is not available: $item"
click_menu_item "Focus active window"
clicked=$(rig_now)
wait_until 5 "the grab window" grab_shown || rig_fail "the grab window did not show ($(app_state))"
rig_log "grab window shown $(rig_elapsed "$clicked")s after the click"

# The frame round notepad's rectangle, as the screen shows it: the middle of each side on the pen's
# band (4 pixels from one before the edge), and points just inside and outside that are not red.
mid_x=$(((NOTEPAD_LEFT + NOTEPAD_RIGHT) / 2))
mid_y=$(((NOTEPAD_TOP + NOTEPAD_BOTTOM) / 2))
red_points=("$mid_x $((NOTEPAD_TOP - 1))" "$mid_x $((NOTEPAD_TOP + 2))" "$mid_x $((NOTEPAD_BOTTOM + 1))"
    "$((NOTEPAD_LEFT + 1)) $mid_y" "$((NOTEPAD_RIGHT - 1)) $mid_y" "$((NOTEPAD_RIGHT + 2)) $mid_y"
    "$NOTEPAD_LEFT $NOTEPAD_TOP" "$((NOTEPAD_RIGHT + 1)) $((NOTEPAD_BOTTOM + 1))")
plain_points=("$mid_x $((NOTEPAD_TOP + 6))" "$mid_x $((NOTEPAD_TOP - 6))" "$((NOTEPAD_LEFT + 6)) $mid_y"
    "$((NOTEPAD_LEFT - 6)) $mid_y" "$((NOTEPAD_RIGHT + 6)) $mid_y" "$mid_x $((NOTEPAD_BOTTOM + 6))")
# pixels FILE POINT...: the colours (RRGGBB) of the points, one line.
pixels() {
    local file=$1 format='' point
    shift
    for point in "$@"; do
        format+="%[hex:p{${point/ /,}}] "
    done
    convert "$file" -format "$format" info:
}
shot=$E2E_ARTIFACTS/highlight.png
# The window paints the picture a moment after it maps: look again while it shows.
framed=
while grab_shown; do
    import -window root "$shot.new.png"
    read -r -a reds <<<"$(pixels "$shot.new.png" "${red_points[@]}")"
    read -r -a plains <<<"$(pixels "$shot.new.png" "${plain_points[@]}")"
    mv "$shot.new.png" "$shot"
    if [ "${reds[*]}" = "$(printf 'FF0000 %.0s' "${red_points[@]}" | sed 's/ $//')" ]; then
        framed=1
        break
    fi
    [ "$(rig_elapsed "$clicked" | cut -d. -f1)" -lt 10 ] || break
done
rig_log "screenshot $shot; frame points ${reds[*]}; points beside the frame ${plains[*]}"
[ -n "$framed" ] || rig_fail "no red frame round notepad while the grab window showed"
for colour in "${plains[@]}"; do
    [ "$colour" != FF0000 ] || rig_fail "red beside the frame: ${plains[*]}"
done
rig_log "ok: notepad framed in red on the frozen picture"
line=$(probe find "$GRAB_TITLE" | head -n1)
rig_log "grab window: $line"

wait_until 5 "the grab window to go" grab_gone || rig_fail "the grab window stays ($(app_state))"
shown_for=$(rig_elapsed "$clicked")
rig_log "grab window gone ${shown_for}s after the click"
# One second of display, and about two more on this rig: Wine counts a popup that covers the screen
# as one a window manager looks after, and before unmapping it waits up to 2 s for the manager's
# word, which never comes on a server without one.
awk -v s="$shown_for" 'BEGIN { exit !(s >= 0.9 && s < 5) }' || rig_fail "the grab window showed for ${shown_for}s"
[ "$(field "$line" rect)" = "0,0,3200,1080" ] || rig_fail "the grab window does not cover both monitors: $line"
exstyle=$(field "$line" exstyle)
[ $((exstyle & 0x8)) -ne 0 ] || rig_fail "the grab window is not topmost (exstyle $exstyle)"

# The grab window was in front for the second; notepad is the target again.
wait_until 20 "the tray hint to name notepad again" target_is_notepad ||
    rig_fail "the target is no longer notepad: tray hint \"$RIG_HINT\""
rig_log "ok: notepad is still the target"
