#!/usr/bin/env bash
# Shortcut 101, "Kill process of selected window", pressed for real on notepad (bound to Ctrl+Alt+K
# by a prepared CRO.cfg): the kill confirmation shows (screenshot kept), Esc keeps notepad and writes
# the unticked box; then Tab to the box, Space ticks it and Esc answers Cancel: notepad stays, but
# the ticked box is written at once, and the next press closes notepad without asking.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin kill
start_display
make_prefix
mkdir -p "$RIG_RUN/program"
printf '[Options]\r\nHotKey101=Ctrl+Alt+K\r\n' >"$RIG_RUN/program/CRO.cfg"
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
config=$RIG_PROGRAM_DIR/CRO.cfg

notepad_handles() { probe find "$NOTEPAD_TITLE" | grep $'\tvisible=1\t' | awk -F'\t' '{ print substr($2, 6) }'; }
notepad_count_is() { [ "$(notepad_handles | wc -l)" -eq "$1" ]; }
dialog_line() { probe windows | grep $'\tclass=CellaroKillConfirmation\t' | head -n1; }
dialog_shown() { [ -n "$(dialog_line)" ]; }
dialog_gone() { ! dialog_shown; }
skip_flag_is() { [ "$(ini_value "$config" Options optAutohideagain)" = "$1" ]; }
RIG_HINT=
target_is_notepad() { read_tray_hint 3 && [[ $RIG_HINT == *'\r\nUntitled - Notepad'* ]]; }

# The X window of notepad, to give it the keyboard focus (there is no window manager).
notepad_x_window() { xdotool search --onlyvisible --name "^$NOTEPAD_TITLE\$" 2>/dev/null | head -n1; }
# The X window of the dialog: the visible one named Cellaro inside the dialog's rectangle (without a
# window manager the X window holds the client area only).
dialog_x_window() {
    local left top right bottom id x y w h
    IFS=, read -r left top right bottom <<<"$(field "$(dialog_line)" rect)"
    for id in $(xdotool search --onlyvisible --name '^Cellaro$' 2>/dev/null); do
        read -r x y w h <<<"$(window_geometry "$id")"
        if [ "$x" -ge "$left" ] && [ "$y" -ge "$top" ] && [ $((x + w)) -le "$right" ] &&
            [ $((y + h)) -le "$bottom" ] && [ "$w" -gt 0 ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
press_101() {
    local window
    window=$(notepad_x_window)
    [ -n "$window" ] || rig_fail "notepad has no X window"
    xdotool windowfocus --sync "$window"
    xdotool key ctrl+alt+k
}
dialog_keys() {
    local window
    window=$(dialog_x_window) || rig_fail "no X window for the dialog ($(dialog_line))"
    xdotool windowfocus --sync "$window"
    xdotool key "$@"
}

# --- notepad as the target ---------------------------------------------------------------------
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_count_is 1 || rig_fail "notepad did not open"
NOTEPAD=$(notepad_handles | head -n1)
probe move "$NOTEPAD" 100 200 900 800 >/dev/null
rig_click 1 500 500
wait_until 10 "notepad in the foreground" notepad_is_foreground || rig_fail "notepad is not the foreground window"
wait_until 20 "the tray hint to name notepad" target_is_notepad || rig_fail "the target is not notepad: \"$RIG_HINT\""

# --- the confirmation, answered with Esc ---------------------------------------------------------
press_101
wait_until 20 "the kill confirmation" dialog_shown ||
    rig_fail "Ctrl+Alt+K showed no confirmation (the hot keys must be built) ($(app_state))"
line=$(dialog_line)
rig_log "dialog: $line"
[[ $line == *$'\ttitle=Cellaro'* ]] || rig_fail "the dialog's caption is not Cellaro: $line"
IFS=, read -r left top right bottom <<<"$(field "$line" rect)"
expect_equal "the dialog's height" 240 $((bottom - top))
screenshot kill-confirmation "$left" "$top" $((right - left)) $((bottom - top))
dialog_keys Escape
wait_until 10 "the dialog closed by Esc" dialog_gone || rig_fail "Esc left the dialog open"
wait_until 10 "the unticked box written" skip_flag_is 0 || rig_fail "CRO.cfg: $(tr -d '\r' <"$config")"
notepad_count_is 1 || rig_fail "Esc closed notepad"
rig_log "ok: Esc kept notepad and wrote optAutohideagain=0"

# --- the box ticked, then Cancel: nothing closes, the flag is written at once --------------------
press_101
wait_until 20 "the kill confirmation again" dialog_shown || rig_fail "no confirmation the second time"
dialog_keys Tab Tab space
screenshot kill-confirmation-ticked "$left" "$top" $((right - left)) $((bottom - top))
dialog_keys Escape
wait_until 10 "the dialog closed by Esc" dialog_gone || rig_fail "Esc left the dialog open"
wait_until 10 "the ticked box written" skip_flag_is 1 || rig_fail "CRO.cfg: $(tr -d '\r' <"$config")"
notepad_count_is 1 || rig_fail "Cancel closed notepad"
rig_log "ok: the ticked box was written with Cancel, notepad stayed"

# --- the next press closes notepad without asking ------------------------------------------------
wait_until 10 "notepad back in the foreground" notepad_is_foreground ||
    rig_fail "the closed dialog did not give the foreground back to notepad"
press_101
wait_until 20 "notepad closed" notepad_count_is 0 || rig_fail "notepad still open ($(dialog_line))"
dialog_gone || rig_fail "a confirmation showed although the box was ticked"
app_running || rig_fail "the program ended ($(app_state))"
rig_log "ok: the next press closed notepad at once"
rig_log "ok: kill test"
