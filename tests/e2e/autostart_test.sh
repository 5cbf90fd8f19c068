#!/usr/bin/env bash
# "Load Cellaro at Startup" from the tray menu: each toggle flips the check mark, Config/load and
# the Run value "Cellaro" together; "Exit" with the check on keeps the Run value.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin autostart
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
config=$RIG_PROGRAM_DIR/CRO.cfg
# The program path as the program itself sees it, quoted so that a path with blanks stays one word.
run_command="\"$(rig_windows_path "$RIG_PROGRAM_DIR/cellaro.exe")\""
run_command_escaped=${run_command//\\/\\\\}

autostart_flags() { menu_item_line "Load Cellaro at Startup" | tr '\t' '\n' | sed -n 's/^flags=//p'; }

# toggle_autostart FLAGS-BEFORE LOAD-AFTER: one click on the item; the file is written at once.
toggle_autostart() {
    open_tray_menu 20 || rig_fail "the tray menu did not open"
    expect_equal "check mark before toggle to load=$2" "$1" "$(autostart_flags)"
    click_menu_item "Load Cellaro at Startup"
    wait_until 20 "CRO.cfg with load=$2" file_has_bytes "$config" "[Config]\\r\\nload=$2\\r\\n\\r\\n" ||
        expect_file_bytes "CRO.cfg after a toggle to load=$2" "$config" "[Config]\\r\\nload=$2\\r\\n\\r\\n"
    rig_log "ok: CRO.cfg holds only load=$2"
    wait_until 10 "the menu to close" menu_closed || rig_fail "the menu stayed open after the click"
}

# The Run value follows the file a moment later.
run_value() { probe_read regrun Cellaro || true; }
run_value_is() { [ "$(run_value)" = "$1" ]; }

toggle_autostart none 1
wait_until 10 "the Run value" run_value_is "$(printf 'value\t%s' "$run_command_escaped")" || true
expect_equal "Run value after one toggle" "$(printf 'value\t%s' "$run_command_escaped")" "$(run_value)"

toggle_autostart checked 0
wait_until 10 "the Run value to go" run_value_is absent || true
expect_equal "Run value after two toggles" absent "$(run_value)"

toggle_autostart none 1
open_tray_menu 20 || rig_fail "the tray menu did not open"
expect_equal "check mark after three toggles" checked "$(autostart_flags)"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
expect_file_bytes "CRO.cfg after Exit with autostart on" "$config" \
    '[Config]\r\nload=1\r\n\r\n[Options]\r\noptAutohideagain=0\r\n\r\n[hmenu]\r\nx=1620\r\ny=45\r\n\r\n'
expect_equal "Run value after Exit with autostart on" "$(printf 'value\t%s' "$run_command_escaped")" \
    "$(probe_read regrun Cellaro || true)"
