#!/usr/bin/env bash
# The settings window with real clicks and keys: opened from the tray it shows centred on the first
# monitor; Escape closes it and writes no CRO.cfg. Opened again, the Rows editor (focused) goes up
# by two with the arrow key, "Show Cellaro" takes Ctrl+Alt+S in its editor, slot 3's scheme is saved
# and applied, and a real OK writes the grid size, the shortcut and the scheme to CRO.cfg, and the
# shortcut is held at once. After a restart the settings come back from the file. Then an OK while
# another program holds CRO.cfg open: one error box names the file, and the window stays open with
# the new count in it; once the file is free, OK saves it and closes. Screenshots of the four pages
# and of the error box are kept.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin settings
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
config=$RIG_PROGRAM_DIR/CRO.cfg

# The window: 1035 x 702 centred on the first monitor (1920 x 1080). Below its 26-pixel title the
# left column holds the page buttons (128 x 36, 40 apart from y 70 of the column): Grids, Shortcuts,
# Set Window, Fullscreen grid.
readonly LEFT=442 TOP=189 RECT=442,189,1477,891
settings_shown() { probe windows | grep -q $'\trect='"$RECT"$'\t'; }
settings_gone() { ! settings_shown; }
page_button() { rig_click 1 $((LEFT + 64)) $((TOP + 26 + 70 + $1 * 40 + 18)); }
# The window's X window (without a window manager it holds the client area), for the keyboard.
settings_keys() {
    local id
    id=$(xdotool search --onlyvisible --name '^Cellaro$' 2>/dev/null | while read -r window; do
        read -r x y w h <<<"$(window_geometry "$window")"
        [ "$x,$y,$w,$h" = "$LEFT,$TOP,1035,702" ] && echo "$window"
    done | head -n1)
    [ -n "$id" ] || rig_fail "no X window for the settings window"
    xdotool windowfocus --sync "$id"
    xdotool key "$@"
}
open_settings() {
    open_tray_menu 10 || rig_fail "no tray menu"
    local started
    started=$(rig_now)
    click_menu_item Settings
    wait_until 20 "the settings window" settings_shown || {
        probe windows >&2
        rig_fail "Settings showed no window at $RECT"
    }
    rig_log "ok: the settings window shows centred, $(rig_elapsed "$started") s after the click"
}
# The page's look has settled once two screenshots a moment apart are the same.
page_settled() {
    import -window root -crop "1035x702+$LEFT+$TOP" +repage "$RIG_RUN/page-a.png"
    import -window root -crop "1035x702+$LEFT+$TOP" +repage "$RIG_RUN/page-b.png"
    cmp -s <(convert "$RIG_RUN/page-a.png" rgb:-) <(convert "$RIG_RUN/page-b.png" rgb:-)
}
shot_page() {
    wait_until 10 "the page painted" page_settled || true
    cp "$RIG_RUN/page-b.png" "$E2E_ARTIFACTS/settings-$1.png"
    rig_log "screenshot $E2E_ARTIFACTS/settings-$1.png"
}

# --- Escape writes nothing -----------------------------------------------------------------------
open_settings
shot_page grids
settings_keys Escape
wait_until 10 "the settings window to close" settings_gone || rig_fail "Escape left the settings window open"
[ ! -e "$config" ] || rig_fail "Escape wrote CRO.cfg: $(tr -d '\r' <"$config")"
rig_log "ok: Escape closed the settings window and wrote no CRO.cfg"

# --- a real OK -----------------------------------------------------------------------------------
open_settings
# The Rows editor has the focus when the window opens: two steps up.
settings_keys Up Up
# Slot 3's save button (right of "Milano"), then "Milano" itself.
rig_click 1 $((LEFT + 646)) $((TOP + 410))
rig_click 1 $((LEFT + 566)) $((TOP + 410))
wait_until 10 "P03.IDX saved" test -s "$RIG_PROGRAM_DIR/P03.IDX" || rig_fail "the save button wrote no P03.IDX"
shot_page grids-changed
page_button 1
shot_page shortcuts
# "Show Cellaro", the first editor of the page.
rig_click 1 $((LEFT + 270)) $((TOP + 102))
settings_keys ctrl+alt+s
shot_page shortcuts-changed
page_button 2
shot_page set-window
page_button 3
shot_page fullscreen-grid
rig_click 1 $((LEFT + 972)) $((TOP + 679)) # OK
wait_until 10 "the settings window to close" settings_gone || rig_fail "OK left the settings window open"
config_has() { [ "$(ini_value "$config" Options "$1")" = "$2" ]; }
wait_until 10 "CRO.cfg with the new values" config_has HotKey5 Ctrl+Alt+S ||
    rig_fail "OK wrote $(tr -d '\r' <"$config" 2>/dev/null || echo nothing)"
expect_equal "SEW after OK" 8 "$(ini_value "$config" Options SEW)"
expect_equal "ColorIDX after OK" 3 "$(ini_value "$config" Options ColorIDX)"
# Ctrl+Alt+S (MOD_CONTROL | MOD_ALT = 3, 'S' = 0x53) is held by the program now.
hotkeys_line=$(probe hotkeys 3:0x53)
[[ $hotkeys_line == *$'\tfree=0' ]] || rig_fail "Ctrl+Alt+S is not held after OK: $hotkeys_line"
rig_log "ok: OK wrote the grid size, the shortcut and the scheme, and the shortcut is held"

# --- after a restart ------------------------------------------------------------------------------
open_tray_menu 10 || rig_fail "no tray menu"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
start_app
wait_tray 30 || rig_fail "no tray icon after the restart ($(app_state))"
# The settings window's creation, after the tray icon's, registers the shortcuts.
ctrl_alt_s_held() { [[ $(probe hotkeys 3:0x53) == *$'\tfree=0' ]]; }
wait_until 20 "Ctrl+Alt+S held after the restart" ctrl_alt_s_held ||
    rig_fail "Ctrl+Alt+S is not held after the restart: $(probe hotkeys 3:0x53)"
open_settings
shot_page grids-after-restart
settings_keys Escape
wait_until 10 "the settings window to close" settings_gone || rig_fail "Escape left the settings window open"
expect_equal "ColorIDX after the restart" 3 "$(ini_value "$config" Options ColorIDX)"
rig_log "ok: the settings came back from the file after a restart"

# --- an OK while CRO.cfg is held open by another program -------------------------------------------
open_settings
settings_keys Up # the Rows editor: 8 -> 9
marker=$RIG_RUN/lock.marker
touch "$marker"
(wine "$PROBE_EXE" lock "$(rig_windows_path "$config")" "$(rig_windows_path "$marker")" 120 \
    >"$RIG_RUN/lock.out" 2>/dev/null &)
lock_reported() { grep -q -E '^(locked|error)' "$RIG_RUN/lock.out" 2>/dev/null; }
wait_until 30 "the probe to lock CRO.cfg" lock_reported || rig_fail "the probe did not lock CRO.cfg"
grep -q '^locked' "$RIG_RUN/lock.out" || rig_fail "the probe could not lock CRO.cfg: $(cat "$RIG_RUN/lock.out")"
before=$(od -An -tx1 "$config")
rig_click 1 $((LEFT + 972)) $((TOP + 679)) # OK
error_boxes() { probe boxes | grep -P '^box\t.*\ttitle=Cellaro\t'; }
error_box_shown() { [ -n "$(error_boxes)" ]; }
wait_until 20 "the error box" error_box_shown || rig_fail "an OK that could not save showed no error box"
screenshot settings-save-error
box=$(error_boxes)
[ "$(printf '%s\n' "$box" | wc -l)" -eq 1 ] || rig_fail "more than one error box: $box"
config_escaped=$(rig_windows_path "$config")
config_escaped=${config_escaped//\\/\\\\}
[[ $box == *"could not save $config_escaped"* ]] || rig_fail "the error box does not name CRO.cfg: $box"
rig_log "ok: one error box: $(field "$box" text)"
settings_shown || rig_fail "the settings window closed although nothing was saved"
[ "$(od -An -tx1 "$config")" = "$before" ] || rig_fail "CRO.cfg changed although it was locked"
probe press-box OK >/dev/null || rig_fail "the error box has no OK button: $box"
wait_until 10 "the error box to close" eval '! error_box_shown' || rig_fail "the error box stayed"
rm -f "$marker"
lock_released() { grep -q '^released' "$RIG_RUN/lock.out" 2>/dev/null; }
wait_until 20 "the probe to let CRO.cfg go" lock_released || rig_fail "the probe still holds CRO.cfg"
rig_click 1 $((LEFT + 972)) $((TOP + 679)) # OK again
wait_until 10 "the settings window to close" settings_gone || rig_fail "OK left the settings window open"
wait_until 10 "CRO.cfg with the count typed before" config_has SEW 9 ||
    rig_fail "the second OK wrote $(tr -d '\r' <"$config")"
error_box_shown && rig_fail "an error box shows after an OK that saved: $(error_boxes)"
rig_log "ok: the OK after the lock saved the count and closed the window"
rig_log "ok: settings test"
