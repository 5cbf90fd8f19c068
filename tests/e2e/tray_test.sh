#!/usr/bin/env bash
# cellaro.exe on two monitors, from a first start (no CRO.cfg) to "Exit": no window shows at the
# start, the tray icon is there with the first start's balloon, its menu opens on the right
# button's press and holds the two-monitor items, and "Exit" ends the process leaving the
# configuration the shutdown writes; the start after it shows no balloon.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin tray
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# The first start's balloon (wait_tray read it and clicked it away) says where Cellaro lives and how
# the grid opens, with the full-screen grid's shortcut of a first start.
[[ $RIG_BALLOON == *"runs here, in the notification area. Click its icon to open the grid"* ]] ||
    rig_fail "no first start's balloon, or another text: \"$RIG_BALLOON\""
[[ $RIG_BALLOON == *"press Alt+W for the full-screen grid"* ]] || rig_fail "the balloon does not name Alt+W: $RIG_BALLOON"
rig_log "ok: the first start's balloon"

# The icon is drawn: Wine shows its notification area only while it holds an icon, and the first
# slot (a square at the left) is not a blank.
read -r tray_x tray_y tray_width tray_height < <(window_geometry "$RIG_TRAY")
if [ "$tray_height" -le 0 ] || [ "$tray_width" -lt "$tray_height" ]; then
    rig_fail "odd notification area ${tray_width}x$tray_height"
fi
screenshot tray-area "$tray_x" "$tray_y" "$tray_width" "$tray_height"
screenshot tray-icon "$tray_x" "$tray_y" "$tray_height" "$tray_height"
colours=$(identify -format '%k' "$E2E_ARTIFACTS/tray-icon.png")
[ "$colours" -gt 2 ] || rig_fail "the tray icon is blank ($colours colours)"
rig_log "ok: tray icon ${tray_height}x${tray_height} with $colours colours"

# The hint names the program and, with two monitors, the monitor on a second line: the one under
# the middle of the hidden tray form, which stays at x 153 (10 wide) on the primary monitor, the
# first of the two.
read_tray_hint 10 || rig_fail "no tooltip on the tray icon"
expect_equal "tray hint" 'Cellaro\r\nMonitor: 1' "$RIG_HINT"
xdotool mousemove 600 600

# No window of the program is visible after the start.
app_pids=$(probe process cellaro.exe) || rig_fail "the probe does not see cellaro.exe running"
visible=$(probe windows)
for pid in $app_pids; do
    if grep -q $'\tpid='"$pid"$'\t' <<<"$visible"; then
        rig_fail "cellaro.exe shows a window at the start: $(grep $'\tpid='"$pid"$'\t' <<<"$visible")"
    fi
done
if grep -q $'\ttitle=Cellaro$' <<<"$visible"; then
    rig_fail "a window titled Cellaro is visible at the start"
fi
probe find Cellaro >/dev/null || rig_fail "the program has no (hidden) window titled Cellaro"
rig_log "ok: no visible window at the start"

# The right-click menu opens on the press, while the button is still down; the release that
# follows over the menu's corner neither closes it nor opens a second one (it is still there to
# be read and to choose "Exit" from below).
rig_press 3 --window "$RIG_TRAY" 5 5
if ! wait_until 20 "the tray menu with the right button down" menu_open; then
    xdotool mouseup 3
    rig_fail "a right press on the tray icon opened no menu"
fi
xdotool mouseup 3
open_menus() { probe windows | grep -c $'\tclass=#32768\t' || true; }
expect_equal "menus open after the release" 1 "$(open_menus)"
menu_open || rig_fail "the tray menu closed on the release"
RIG_MENU=$(cat "$RIG_RUN/menu.txt")

# The menu as the first run on two monitors shows it: only Alt+W is bound then.
menu_rect=$(field "$(head -n1 <<<"$RIG_MENU")" rect)
IFS=, read -r left top right bottom <<<"$menu_rect"
screenshot tray-menu
screenshot tray-menu-crop $((left - 40)) $((top - 40)) $((right - left + 80)) $((bottom - top + 80))
# The captions, separators, submenu and check marks are compared; which commands are enabled and
# which shortcuts the captions show after their tab are logged (both follow the features built).
rig_log "enabled state and shortcut texts as shown:"
menu_summary | awk -F'\t' '$3 ~ /\\t./ || $2 ~ /grayed/' >&2
menu_layout() {
    menu_summary | sed -e 's/\\t[^\t]*$/\\t/' -e 's/\tgrayed\t/\tnone\t/' -e 's/,grayed//' -e 's/grayed,//'
}
expect_equal "tray menu items on two monitors" "$(
    cat <<'ITEMS'
0	none	Show Cellaro \t
1	none	Fullscreen grid - monitor 1\t
2	none	Fullscreen grid - monitor 2\t
3	none	Manage groups \t
4	none	Groups navigation menu \t
5	separator
6	popup	Controls derived from Windows
6.0	none	Cascade
6.1	none	Tile Vertical
6.2	none	Tile Horizontal
7	separator
8	none	Settings
9	none	Start new Cellaro
10	none	Load Cellaro at Startup
11	separator
12	none	Move to next monitor\t
13	none	Focus active window \t
14	separator
15	none	Help
16	none	About
17	separator
18	none	Exit
ITEMS
)" "$(menu_layout)"

# "Exit" ends the program, which writes the configuration on its way out.
[ ! -e "$RIG_PROGRAM_DIR/CRO.cfg" ] || rig_fail "CRO.cfg exists before the exit"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
expect_equal "exit status" 0 "$RIG_APP_STATUS"
expect_file_bytes "CRO.cfg after Exit" "$RIG_PROGRAM_DIR/CRO.cfg" \
    '[Config]\r\nload=0\r\n\r\n[Options]\r\noptAutohideagain=0\r\n\r\n[hmenu]\r\nx=1620\r\ny=45\r\n\r\n'
expect_equal "Run value after Exit" absent "$(probe_read regrun Cellaro || true)"
wait_until 10 "the tray icon to go" rig_tray_gone || rig_fail "the tray icon stayed after Exit"
rig_log "ok: tray icon removed"

# CRO.cfg is there now: the next start is not a first one, and shows no balloon.
start_app
wait_tray 30 || rig_fail "no tray icon at the second start ($(app_state))"
[ -z "$RIG_FIRST_START" ] || rig_fail "the rig took the second start for a first one"
balloon_shown_now() { [ -n "$(balloon_rect)" ]; }
if wait_until 5 "a balloon at the second start (none should come)" balloon_shown_now; then
    rig_fail "the second start shows a balloon: $(probe balloon || true)"
fi
rig_log "ok: no balloon at the second start"
open_tray_menu 20 || rig_fail "the tray menu did not open at the second start"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after the second Exit"
