#!/usr/bin/env bash
# The settings window by keys, with real clicks and key presses, from a CRO.cfg that binds
# Ctrl+Alt+M to Minimize (shortcut 8) and nothing to Restore (shortcut 9): a click moves the focus
# into the Columns editor and Up counts up there; a click into the Rows editor, Up, and Enter (OK)
# closes the window with both counts in CRO.cfg. Opened again, a click into Restore's editor
# gives Ctrl+Alt+M back to the system while the editor has the keyboard, and Ctrl+Alt+M typed
# there minimises nothing; once the focus leaves the editor Minimize holds it again, OK writes it
# for Restore too, and after the window has closed Ctrl+Alt+M minimises notepad again. A
# screenshot of Restore's editor holding the combination is kept.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin settings_keys
start_display
make_prefix

# The settings window: 1035 x 702 centred on the first monitor (as in settings_test.sh). Below its
# 26-pixel title the pages start 128 pixels from the left, beside the column of page buttons
# (128 x 36, 40 apart from y 70 of the column: Grids, Shortcuts, Set Window, Fullscreen grid).
readonly LEFT=442 TOP=189 RECT=442,189,1477,891
readonly OK_X=972 OK_Y=679
# Points of the Grids page's count editors (80 x 21 at 24,38 and 134,38 of the page) in their
# number, left of their arrow buttons.
readonly ROWS_X=$((128 + 24 + 20)) COLUMNS_X=$((128 + 134 + 20)) COUNTS_Y=$((26 + 38 + 10))
# Restore's editor on the Shortcuts page: second column, third row of the upper block, 236 x 21 at
# 314,170 of the page.
readonly RESTORE_X=$((128 + 314)) RESTORE_Y=$((26 + 170)) RESTORE_WIDTH=236 RESTORE_HEIGHT=21
# Ctrl+Alt+M: MOD_CONTROL | MOD_ALT = 3, 'M' = 0x4D.
readonly COMBINATION=Ctrl+Alt+M HOT_KEY=3:0x4D
# How long nothing may happen after the combination was typed into the editor. When Minimize runs
# on it (at the end of the test), the first look after the press already sees notepad minimised:
# under a second here, with both cores busy too, a look being one probe run. Five seconds is
# several times that; the time taken at the end is printed, and a run that takes longer than this
# window fails, as the window would then prove nothing.
readonly QUIET_SECONDS=5
# In the program directory that start_app makes and starts cellaro.exe from.
config=$RIG_RUN/program/CRO.cfg

settings_line() { probe windows | grep -F $'\trect='"$RECT"$'\t' | head -n1; }
settings_shown() { [ -n "$(settings_line)" ]; }
settings_gone() { ! settings_shown; }
page_button() { rig_click 1 $((LEFT + 64)) $((TOP + 26 + 70 + $1 * 40 + 18)); }
foreground_is() { [ "$(field "$(probe foreground)" hwnd)" = "$1" ]; }

# The window's X window (without a window manager it holds the client area).
settings_x_window() {
    xdotool search --onlyvisible --name '^Cellaro$' 2>/dev/null | while read -r window; do
        read -r x y w h <<<"$(window_geometry "$window")"
        if [ "$x,$y,$w,$h" = "$LEFT,$TOP,1035,702" ]; then
            echo "$window"
            break
        fi
    done
}

# settings_keys KEY...: the X focus to the settings window, a wait until the system has made it the
# foreground window (only then do key presses reach it), and the keys.
settings_keys() {
    local window
    window=$(settings_x_window)
    [ -n "$window" ] || rig_fail "no X window for the settings window"
    xdotool windowfocus --sync "$window"
    wait_until 10 "the settings window in the foreground" foreground_is "$settings_hwnd" ||
        rig_fail "the settings window is not the foreground window: $(probe foreground || true)"
    xdotool key --delay 60 "$@"
    rig_log "pressed $*"
}

open_settings() {
    open_tray_menu 10 || rig_fail "no tray menu"
    click_menu_item Settings
    wait_until 20 "the settings window" settings_shown || {
        probe windows >&2
        rig_fail "Settings showed no window at $RECT"
    }
    settings_hwnd=$(field "$(settings_line)" hwnd)
    rig_log "settings window shown: $(settings_line)"
}

config_has() { [ "$(ini_value "$config" Options "$1")" = "$2" ]; }
# Whether the probe could take the combination: free=1 when no program holds it.
hot_key_free_is() { [ "$(field "$(probe hotkeys "$HOT_KEY")" free)" = "$1" ]; }
# Whether the settings window's focus is on a push button, as a screen reader reads it. This look
# holds no key: probe hotkeys registers the combination for a moment to see whether it is free, so
# it must not run while the program may be taking the combination back.
focus_on_button() {
    probe accessible "$settings_hwnd" | grep -v 'child=0 ' | grep 'state=focused' | grep -q 'role=pushbutton'
}

notepad_iconic() { [ "$(notepad_field iconic)" = 1 ]; }

# --- Minimize on Ctrl+Alt+M ----------------------------------------------------------------------
mkdir -p "$(dirname "$config")"
printf '[Options]\r\nHotKey8=%s\r\n' "$COMBINATION" >"$config"
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
started=$(rig_now)
wait_until 20 "$COMBINATION held" hot_key_free_is 0 ||
    rig_fail "$COMBINATION from CRO.cfg is not held: $(probe hotkeys "$HOT_KEY")"
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
# Beside the settings window, which opens in the middle of the first monitor.
probe move "$notepad_hwnd" 100 700 400 1000 >/dev/null
wait_until 10 "notepad moved" notepad_rect_is 100,700,400,1000 || rig_fail "notepad stayed at $(notepad_field rect)"
make_notepad_target

# --- the count editors: a click moves the focus, Up counts, Enter is OK ---------------------------
open_settings
rig_click 1 $((LEFT + COLUMNS_X)) $((TOP + COUNTS_Y))
settings_keys Up
rig_click 1 $((LEFT + ROWS_X)) $((TOP + COUNTS_Y))
settings_keys Up Return
wait_until 10 "Enter to close the settings window" settings_gone || rig_fail "Enter left the settings window open"
wait_until 10 "CRO.cfg with the counts" config_has SEW 7 ||
    rig_fail "Enter (OK) wrote $(tr -d '\r' <"$config" 2>/dev/null || echo nothing)"
# Rows is SEW, Columns SEH (as settings_test.sh finds): one step up each, each where it was clicked.
expect_equal "the counts after Up in Columns, Up in Rows and Enter" "SEW=7 SEH=7" \
    "SEW=$(ini_value "$config" Options SEW) SEH=$(ini_value "$config" Options SEH)"

# --- Restore's editor takes the combination that Minimize holds -----------------------------------
wait_until 10 "$COMBINATION held after the settings window closed" hot_key_free_is 0 ||
    rig_fail "$COMBINATION is not held after OK: $(probe hotkeys "$HOT_KEY")"
open_settings
page_button 1
rig_click 1 $((LEFT + RESTORE_X + RESTORE_WIDTH / 2)) $((TOP + RESTORE_Y + RESTORE_HEIGHT / 2))
wait_until 10 "$COMBINATION given back while Restore's editor has the keyboard" hot_key_free_is 1 ||
    rig_fail "$COMBINATION is still held with the focus in Restore's editor: $(probe hotkeys "$HOT_KEY")"
rig_log "ok: $COMBINATION is free while a shortcut editor has the keyboard"
settings_keys ctrl+alt+m
typed_at=$(rig_now)
# Minimize, had it run, would have minimised notepad by the first look (see QUIET_SECONDS); any
# look that sees it minimised fails at once.
quiet_until=$(($(rig_now_ms) + QUIET_SECONDS * 1000))
while ! rig_time_reached "$quiet_until"; do
    notepad_iconic && rig_fail "$COMBINATION typed into Restore's editor minimised notepad $(rig_elapsed "$typed_at")s later"
    sleep "$RIG_POLL"
done
notepad_is 100,700,400,1000 0 || rig_fail "$COMBINATION typed into Restore's editor changed notepad: $(notepad_line)"
rig_log "ok: nothing happened to notepad within ${QUIET_SECONDS}s of typing $COMBINATION into Restore's editor"
screenshot settings-keys-restore-editor $((LEFT + RESTORE_X - 4)) $((TOP + RESTORE_Y - 22)) \
    $((RESTORE_WIDTH + 30)) $((RESTORE_HEIGHT + 26))
# A click on the page's own button (the page stays) moves the focus to that button.
page_button 1
wait_until 10 "the focus on the page button" focus_on_button ||
    rig_fail "the click on the page button did not take the focus: $(probe accessible "$settings_hwnd" | grep 'state=focused')"
wait_until 10 "$COMBINATION held again once the focus left the editor" hot_key_free_is 0 ||
    rig_fail "$COMBINATION is not held with the focus out of the editor: $(probe hotkeys "$HOT_KEY")"
rig_log "ok: $COMBINATION is held again once the focus left the editor"
rig_click 1 $((LEFT + OK_X)) $((TOP + OK_Y))
wait_until 10 "OK to close the settings window" settings_gone || rig_fail "OK left the settings window open"
wait_until 10 "CRO.cfg with Restore's new combination" config_has HotKey9 "$COMBINATION" ||
    rig_fail "OK wrote $(tr -d '\r' <"$config" 2>/dev/null || echo nothing)"
expect_equal "Minimize's combination after OK" "$COMBINATION" "$(ini_value "$config" Options HotKey8)"
rig_log "ok: Restore's editor showed $COMBINATION: OK wrote it as HotKey9"

# --- after the window closed, Minimize runs on the combination again -------------------------------
wait_until 10 "$COMBINATION held" hot_key_free_is 0 || rig_fail "$COMBINATION is not held after OK: $(probe hotkeys "$HOT_KEY")"
notepad_x=$(xdotool search --name "^$NOTEPAD_TITLE\$" 2>/dev/null | head -n1)
[ -n "$notepad_x" ] || rig_fail "no X window for notepad"
xdotool windowfocus --sync "$notepad_x"
xdotool key --clearmodifiers ctrl+alt+m
pressed_at=$(rig_now)
wait_until 10 "notepad minimised by $COMBINATION" notepad_iconic ||
    rig_fail "$COMBINATION did not minimise notepad after the settings window closed: $(notepad_line)"
took=$(rig_elapsed "$pressed_at")
rig_log "ok: $COMBINATION minimised notepad ${took}s after the press (the quiet window was ${QUIET_SECONDS}s)"
awk -v took="$took" -v quiet="$QUIET_SECONDS" 'BEGIN { exit !(took < quiet) }' ||
    rig_fail "Minimize took ${took}s, longer than the ${QUIET_SECONDS}s in which nothing had to happen: the quiet window proves nothing"
rig_log "settings keys test took $(rig_elapsed "$started")s"
