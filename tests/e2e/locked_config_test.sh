#!/usr/bin/env bash
# CRO.cfg cannot be read while cellaro.exe starts: another program holds it open with no sharing for
# 9 s from before the start. The file says autostart is on (load=1), MNR=0, and "Show Cellaro" is
# Ctrl+Alt+S; the Run value is there. Without any user action the program reads the file once the
# lock ends and holds Ctrl+Alt+S, which then shows the working window. The user closes it and
# chooses "Exit": settings the program could not read at the start are not the user's choice, so
# nothing may write their defaults over the file's values, nor take the Run value away.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin locked-config
start_display
make_prefix

readonly LOCK_SECONDS=9
# --- before the start: the file, the Run value and the lock --------------------------------------
program_dir=$RIG_RUN/program
config=$program_dir/CRO.cfg
mkdir -p "$program_dir"
printf '[Config]\r\nload=1\r\n\r\n[Options]\r\nMNR=0\r\nHotKey5=Ctrl+Alt+S\r\n\r\n' >"$config"
# The Run value as the program writes it with autostart on: its own path, quoted.
run_command="\"$(rig_windows_path "$program_dir/cellaro.exe")\""
run_command_escaped=${run_command//\\/\\\\}
probe setrun Cellaro "$run_command" >/dev/null || rig_fail "the probe could not set the Run value"
expect_equal "Run value before the start" "$(printf 'value\t%s' "$run_command_escaped")" \
    "$(probe_read regrun Cellaro || true)"
# Ctrl+Alt+S: MOD_CONTROL | MOD_ALT = 3, 'S' = 0x53.
ctrl_alt_s_held() { [[ $(probe hotkeys 3:0x53) == *$'\tfree=0' ]]; }
ctrl_alt_s_held && rig_fail "Ctrl+Alt+S is held by someone before the start"

# The probe holds CRO.cfg until the marker is gone (at most 120 s, so a failed run ends anyway).
marker=$RIG_RUN/lock.marker
touch "$marker"
(wine "$PROBE_EXE" lock "$(rig_windows_path "$config")" "$(rig_windows_path "$marker")" 120 \
    >"$RIG_RUN/lock.out" 2>/dev/null &)
lock_line() { grep -m1 -E '^(locked|error)' "$RIG_RUN/lock.out" 2>/dev/null; }
lock_reported() { [ -n "$(lock_line)" ]; }
wait_until 30 "the probe to lock CRO.cfg" lock_reported || rig_fail "the probe did not lock CRO.cfg"
unlock_at_ms=$(($(rig_now_ms) + LOCK_SECONDS * 1000))
expect_equal "another open of the locked CRO.cfg" sharing-violation "$(field "$(lock_line)" second-open)"

# --- the start, with the file locked --------------------------------------------------------------
start_app
[ "$RIG_PROGRAM_DIR" = "$program_dir" ] || rig_fail "the program runs from $RIG_PROGRAM_DIR, not $program_dir"
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
program_idle() { probe idle cellaro.exe 1000 >"$RIG_RUN/idle.txt"; }
wait_until 30 "cellaro.exe to wait for input" program_idle ||
    rig_fail "cellaro.exe never waited for input: $(cat "$RIG_RUN/idle.txt") ($(app_state))"
lock_released() { grep -q '^released' "$RIG_RUN/lock.out" 2>/dev/null; }
rig_log "start-up done while CRO.cfg is locked: $(cat "$RIG_RUN/idle.txt")"
ctrl_alt_s_held && rig_fail "Ctrl+Alt+S is held although CRO.cfg could not be read yet"
# The defaults stand in meanwhile: Alt+W (MOD_ALT = 1, 'W' = 0x57) is held.
[[ $(probe hotkeys 1:0x57) == *$'\tfree=0' ]] || rig_fail "Alt+W is not held while CRO.cfg is locked"

# --- the lock ends; the program reads the file by itself --------------------------------------------
# The lock lasts 9 s from before the start, or until the start-up is over on a slower machine.
wait_until $((LOCK_SECONDS + 5)) "9 s of the lock" rig_time_reached "$unlock_at_ms" || true
rm -f "$marker"
wait_until 20 "the probe to let CRO.cfg go" lock_released || rig_fail "the probe still holds CRO.cfg"
released_at=$(rig_now)
wait_until 20 "Ctrl+Alt+S held once CRO.cfg can be read" ctrl_alt_s_held ||
    rig_fail "Ctrl+Alt+S is not held after the lock ended: $(probe hotkeys 3:0x53)"
rig_log "ok: Ctrl+Alt+S held $(rig_elapsed "$released_at") s after the lock ended, with no user action"

# A real Ctrl+Alt+S, pressed in another program's window, shows the working window.
(wine notepad >/dev/null 2>&1 &)
notepad_x_window() { xdotool search --name "^$NOTEPAD_TITLE\$" 2>/dev/null | head -n1; }
notepad_x_shown() { [ -n "$(notepad_x_window)" ]; }
wait_until 30 "notepad's window" notepad_x_shown || rig_fail "notepad did not open"
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
# Away from the tray icon's window, which it would cover (there is no window manager).
probe move "$(notepad_field hwnd)" 100 400 700 700 >/dev/null
xdotool windowfocus --sync "$(notepad_x_window)" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+alt+s
wait_until 20 "the working window" working_window_shown || rig_fail "Ctrl+Alt+S showed no working window"
rig_log "ok: Ctrl+Alt+S showed the working window"
click_tray 1
wait_until 20 "the working window to hide" working_window_hidden || rig_fail "a left click on the tray icon left it shown"

# --- Exit ----------------------------------------------------------------------------------------
open_tray_menu 20 || rig_fail "the tray menu did not open"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
expect_equal "exit status" 0 "$RIG_APP_STATUS"

# --- what the run left ----------------------------------------------------------------------------
# All are checked and reported before the test fails, so one run shows the whole picture.
failures=()
expect_kept() {
    if [ "$2" = "$3" ]; then
        rig_log "ok: $1 is $3"
    else
        rig_log "$1: expected $2, but got ${3:-nothing}"
        failures+=("$1")
    fi
}
expect_kept "Config/load after Exit" 1 "$(ini_value "$config" Config load)"
expect_kept "Options/MNR after Exit" 0 "$(ini_value "$config" Options MNR)"
expect_kept "Options/HotKey5 after Exit" Ctrl+Alt+S "$(ini_value "$config" Options HotKey5)"
expect_kept "Run value after Exit" "$(printf 'value\t%s' "$run_command_escaped")" "$(probe_read regrun Cellaro || true)"
if [ ${#failures[@]} -gt 0 ]; then
    rig_log "CRO.cfg after Exit:"
    tr -d '\r' <"$config" >&2
    rig_fail "settings that could not be read at the start were overwritten: ${failures[*]}"
fi
rig_log "ok: locked-config test"
