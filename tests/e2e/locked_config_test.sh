#!/usr/bin/env bash
# CRO.cfg cannot be read while cellaro.exe starts (another program holds it open with no sharing).
# The file says autostart is on (load=1) and MNR=0, and the Run value is there. Once the program is
# up the lock goes; the user opens the working window from the tray, closes it, and chooses "Exit".
# Settings the program could not read are not the user's choice: neither the close nor the exit
# may write their defaults over the file's values, nor take the Run value away.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin locked-config
start_display
make_prefix

# --- before the start: the file, the Run value and the lock --------------------------------------
program_dir=$RIG_RUN/program
config=$program_dir/CRO.cfg
mkdir -p "$program_dir"
printf '[Config]\r\nload=1\r\n\r\n[Options]\r\nMNR=0\r\n\r\n' >"$config"
# The Run value as the program writes it with autostart on: its own path, quoted.
run_command="\"$(rig_windows_path "$program_dir/cellaro.exe")\""
run_command_escaped=${run_command//\\/\\\\}
probe setrun Cellaro "$run_command" >/dev/null || rig_fail "the probe could not set the Run value"
expect_equal "Run value before the start" "$(printf 'value\t%s' "$run_command_escaped")" \
    "$(probe_read regrun Cellaro || true)"

# The probe holds CRO.cfg until the marker is gone (at most 120 s, so a failed run ends anyway).
marker=$RIG_RUN/lock.marker
touch "$marker"
(wine "$PROBE_EXE" lock "$(rig_windows_path "$config")" "$(rig_windows_path "$marker")" 120 \
    >"$RIG_RUN/lock.out" 2>/dev/null &)
lock_line() { grep -m1 -E '^(locked|error)' "$RIG_RUN/lock.out" 2>/dev/null; }
lock_reported() { [ -n "$(lock_line)" ]; }
wait_until 30 "the probe to lock CRO.cfg" lock_reported || rig_fail "the probe did not lock CRO.cfg"
expect_equal "another open of the locked CRO.cfg" sharing-violation "$(field "$(lock_line)" second-open)"

# --- the start, with the file locked --------------------------------------------------------------
start_app
[ "$RIG_PROGRAM_DIR" = "$program_dir" ] || rig_fail "the program runs from $RIG_PROGRAM_DIR, not $program_dir"
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
# The icon shows while the start-up still runs (the working window, made after the tray form,
# reads its settings then), so the lock stays until the program waits for input in its message
# loop: every start-up read has met the lock by then.
program_idle() { probe idle cellaro.exe 1000 >"$RIG_RUN/idle.txt"; }
wait_until 30 "cellaro.exe to wait for input" program_idle ||
    rig_fail "cellaro.exe never waited for input: $(cat "$RIG_RUN/idle.txt") ($(app_state))"
rig_log "start-up done: $(cat "$RIG_RUN/idle.txt")"
rm -f "$marker"
lock_released() { grep -q '^released' "$RIG_RUN/lock.out" 2>/dev/null; }
wait_until 10 "the probe to let CRO.cfg go" lock_released || rig_fail "the probe still holds CRO.cfg"
expect_equal "lock released by" marker "$(field "$(grep -m1 '^released' "$RIG_RUN/lock.out")" reason)"

# --- the working window opened and closed, then Exit -----------------------------------------------
click_tray 1
wait_until 20 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
click_tray 1
wait_until 20 "the working window to hide" working_window_hidden || rig_fail "a second left click left it shown"
rig_log "CRO.cfg after the working window closed: load=$(ini_value "$config" Config load)" \
    "MNR=$(ini_value "$config" Options MNR)"

open_tray_menu 20 || rig_fail "the tray menu did not open"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
expect_equal "exit status" 0 "$RIG_APP_STATUS"

# --- what the run left ----------------------------------------------------------------------------
# All three are checked and reported before the test fails, so one run shows the whole picture.
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
expect_kept "Run value after Exit" "$(printf 'value\t%s' "$run_command_escaped")" "$(probe_read regrun Cellaro || true)"
if [ ${#failures[@]} -gt 0 ]; then
    rig_log "CRO.cfg after Exit:"
    tr -d '\r' <"$config" >&2
    rig_fail "settings that could not be read at the start were overwritten: ${failures[*]}"
fi
