#!/usr/bin/env bash
# Window groups with real windows and real clicks: four titled windows are listed in the window
# manager list (opened from the tray) in their sort order; the first is put into group A and the
# third into group C by clicks on their boxes, and Esc closes the list. The groups navigation menu,
# shown from the tray, steps show-only to C and back to A (the windows' minimised states are read
# back) and brings C to the front (the foreground is read back). Ten more windows give the list a
# scroll bar. The menu is dragged elsewhere and its place is written at Exit. Manage Groups on the
# working window's group page closes it for the list, and the list's close brings it back.
# Screenshots of the list (with and without a scroll bar) and of the menu are kept.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin groups
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
config=$RIG_PROGRAM_DIR/CRO.cfg

# The list: 836 x 527, centred on the first monitor (1920 x 1080); its rows (48 high) start below
# the 26-pixel title and the 41-pixel header; a row's group boxes (17 x 17) are at x 4, 34, 64, 94
# and y 18 of the row.
readonly LIST_RECT=542,276,1378,803 LIST_LEFT=542 LIST_TOP=276
list_line() {
    probe windows | grep $'\ttitle=Cellaro$' | grep -P "\trect=$LIST_RECT\t" | head -n1
}
list_shown() { [ -n "$(list_line)" ]; }
list_gone() { ! list_shown; }
# click_box ROW GROUP(0..3)
click_box() { rig_click 1 $((LIST_LEFT + 4 + $2 * 30 + 8)) $((LIST_TOP + 26 + 41 + $1 * 48 + 18 + 8)); }

# The navigation menu: 284 x 41 at the default place (screen width - 300, 45).
menu_left=1620 menu_top=45
bar_line() {
    probe windows | grep $'\ttitle=Cellaro$' | grep -P "\trect=$menu_left,$menu_top,$((menu_left + 284)),$((menu_top + 41))\t" | head -n1
}
bar_shown() { [ -n "$(bar_line)" ]; }
# bar_click X: a click at x of the bar's buttons (their middles: XNazaj 33, xNaprej 87, xNazaj2 142,
# xNaprej2 196, xHamburger 251).
bar_click() { rig_click 1 $((menu_left + $1)) $((menu_top + 20)); }

demo_line() { probe windows all | grep -P "\ttitle=Group test $1\$" | head -n1; }
demo_field() { field "$(demo_line "$1")" "$2"; }
demo_iconic_are() {
    local number
    for number in 01 02 03 04; do
        [ "$(demo_field "$number" iconic)" = "${1:0:1}" ] || return 1
        set -- "${1:1}"
    done
}
foreground_is() { probe foreground | grep -q $'\ttitle='"$1"'$'; }

# --- four titled windows -------------------------------------------------------------------------
(probe demo "Group test" 4 60 560 170 >"$RIG_RUN/demo.txt" &)
demo_count_is() { [ "$(grep -c '^demo' "$RIG_RUN/demo.txt" 2>/dev/null)" -eq "$1" ]; }
wait_until 30 "the four demo windows" demo_count_is 4 || rig_fail "the probe opened no windows"
wait_until 10 "the demo windows shown" demo_iconic_are 0000 || rig_fail "the demo windows are not shown"

# --- the list from the tray ----------------------------------------------------------------------
open_tray_menu 10 || rig_fail "no tray menu"
started=$(rig_now)
click_menu_item "Manage groups"
wait_until 20 "the window manager list" list_shown || {
    probe windows >&2
    rig_fail "Manage groups showed no list at $LIST_RECT"
}
rig_log "ok: the list shows at $LIST_RECT, $(rig_elapsed "$started") s after the click"
screenshot groups-list "$LIST_LEFT" "$LIST_TOP" 836 527
click_box 0 0
click_box 2 2
screenshot groups-list-ticked "$LIST_LEFT" "$LIST_TOP" 836 527
xdotool key Escape
wait_until 10 "the list to close on Esc" list_gone || rig_fail "Esc left the list open"
rig_log "ok: Esc closed the list"

# --- the navigation menu -------------------------------------------------------------------------
open_tray_menu 10 || rig_fail "no tray menu"
click_menu_item "Groups navigation menu"
wait_until 10 "the navigation menu" bar_shown || {
    probe windows >&2
    rig_fail "no navigation menu at $menu_left,$menu_top"
}
screenshot groups-menu $((menu_left - 10)) $((menu_top - 10)) 304 61
rig_log "ok: the navigation menu shows at $menu_left,$menu_top"

# xNaprej2: show only the next group with members after A, which is C (the third window).
bar_click 196
wait_until 10 "only group C shown" demo_iconic_are 1101 ||
    rig_fail "show only C: iconic states $(for n in 01 02 03 04; do demo_field $n iconic; done | tr -d '\n')"
rig_log "ok: the menu's next show-only step showed only group C"
# The other listed windows were minimised too, the rig's notification area among them.
probe restore "$(field "$(probe windows all | grep $'\ttitle=Wine System Tray$' | head -n1)" hwnd)" >/dev/null
# xNazaj2: back to A (the first window).
bar_click 142
wait_until 10 "only group A shown" demo_iconic_are 0111 ||
    rig_fail "show only A: iconic states $(for n in 01 02 03 04; do demo_field $n iconic; done | tr -d '\n')"
rig_log "ok: the menu's previous show-only step showed only group A"
# xNaprej: bring the next group after A to the front: C, restored and in the foreground.
bar_click 87
wait_until 10 "group C in front" foreground_is "Group test 03" ||
    rig_fail "bring C to front: the foreground is $(probe foreground)"
[ "$(demo_field 03 iconic)" = 0 ] || rig_fail "bring C to front left it minimised"
rig_log "ok: the menu's next bring-to-front step brought group C to the front"
probe restore "$(field "$(probe windows all | grep $'\ttitle=Wine System Tray$' | head -n1)" hwnd)" >/dev/null
wait_until 10 "the notification area back" rig_tray_shown || rig_fail "the notification area stays minimised"
RIG_TRAY=$(tray_window)

# --- a longer list, with a scroll bar ------------------------------------------------------------
(probe demo "More windows" 10 1400 100 170 >"$RIG_RUN/more.txt" &)
more_count_is() { [ "$(grep -c '^demo' "$RIG_RUN/more.txt" 2>/dev/null)" -eq 10 ]; }
wait_until 30 "ten more windows" more_count_is || rig_fail "the probe opened no more windows"
open_tray_menu 10 || rig_fail "no tray menu"
started=$(rig_now)
click_menu_item "Manage groups"
wait_until 20 "the window manager list again" list_shown || rig_fail "the list did not open again"
rig_log "ok: the list with 15 rows shows $(rig_elapsed "$started") s after the click"
screenshot groups-list-scrolling "$LIST_LEFT" "$LIST_TOP" 836 527
# The wheel over the rows scrolls them: the list looks different once it has repainted.
rig_move $((LIST_LEFT + 400)) $((LIST_TOP + 300))
xdotool click 5 click 5 click 5
list_scrolled() {
    import -window root -crop "836x527+$LIST_LEFT+$LIST_TOP" +repage "$RIG_RUN/scrolled.png" &&
        ! cmp -s <(convert "$RIG_RUN/scrolled.png" rgb:-) <(convert "$E2E_ARTIFACTS/groups-list-scrolling.png" rgb:-)
}
wait_until 10 "the rows to scroll" list_scrolled || rig_fail "the mouse wheel did not scroll the list"
cp "$RIG_RUN/scrolled.png" "$E2E_ARTIFACTS/groups-list-scrolled.png"
rig_log "ok: the mouse wheel scrolled the list"
xdotool key Escape
wait_until 10 "the list to close" list_gone || rig_fail "Esc left the list open"

# --- the menu dragged elsewhere (its place is written at Exit) ------------------------------------
rig_press 1 $((menu_left + 280)) $((menu_top + 20))
# The first press after the list closed: the drag goes by the events' own points.
rig_move 1400 850
rig_move 1500 900
xdotool mouseup 1
menu_left=$((1500 - 280)) menu_top=$((900 - 20))
wait_until 10 "the menu at its new place" bar_shown || rig_fail "the drag left the menu at $(probe windows | grep -P '\trect=\d+,\d+,\d+,\d+' | head -n3)"
rig_log "ok: the menu dragged to $menu_left,$menu_top"

# --- Manage Groups from the working window's group page, and back ----------------------------------
click_tray 1
wait_until 20 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
read -r origin_x origin_y <<<"$(working_window_origin)"
# SbSelect (218, 6, 30 x 20 on the title strip) shows only on the group page: its place is watched
# until it changes after the click on SbGroup.
strip_shot() {
    import -window root -crop "30x20+$((origin_x + 218))+$((origin_y + 6))" +repage "$RIG_RUN/strip.png" &&
        convert "$RIG_RUN/strip.png" rgb:- >"$1"
}
strip_shot "$RIG_RUN/strip-before.rgb"
strip_changed() { strip_shot "$RIG_RUN/strip-now.rgb" && ! cmp -s "$RIG_RUN/strip-before.rgb" "$RIG_RUN/strip-now.rgb"; }
# SbGroup, "Groups". The window was shown a moment ago: under Wine without a window manager the
# first press may go to its activation, so the press is made again (at most three times) until the
# page shows.
group_page_shown=
for attempt in 1 2 3; do
    rig_click 1 $((origin_x + 56)) $((origin_y + 16))
    if wait_until 5 "the group page with its Manage Groups button (press $attempt)" strip_changed; then
        group_page_shown=1
        break
    fi
done
[ -n "$group_page_shown" ] || rig_fail "SbGroup showed no group page"
rig_click 1 $((origin_x + 233)) $((origin_y + 16)) # SbSelect, "Manage Groups"
# Without a window manager Wine takes a moment to hide the working window before the list shows.
wait_until 20 "the list from the working window" list_shown || rig_fail "Manage Groups showed no list"
working_window_hidden || rig_fail "the working window stayed with the list"
screenshot groups-list-from-working-window "$LIST_LEFT" "$LIST_TOP" 836 527
xdotool key Escape
wait_until 10 "the list to close" list_gone || rig_fail "Esc left the list open"
wait_until 20 "the working window back" working_window_shown || rig_fail "the working window did not come back"
rig_log "ok: Manage Groups from the working window came back to it"

# --- Exit writes the menu's place ---------------------------------------------------------------
open_tray_menu 10 || rig_fail "no tray menu"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
expect_equal "hmenu x after Exit" "$menu_left" "$(ini_value "$config" hmenu x)"
expect_equal "hmenu y after Exit" "$menu_top" "$(ini_value "$config" hmenu y)"
rig_log "ok: the menu's place written at Exit"
rig_log "ok: groups test"
