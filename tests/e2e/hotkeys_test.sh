#!/usr/bin/env bash
# The global shortcuts with real key presses: on a first run Alt+W opens the full-screen grid; then,
# from a prepared CRO.cfg binding all thirty-two shortcuts to distinct combinations, every one of
# them is held by cellaro.exe (the probe cannot register any), and the shortcuts pin, make
# translucent, move to the next monitor and maximise a real notepad and show the working window.
# The tray menu with the shortcuts after its items is kept as a screenshot.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin hotkeys
start_display
make_prefix

notepad_handles() { probe find "$NOTEPAD_TITLE" | grep $'\tvisible=1\t' | awk -F'\t' '{ print substr($2, 6) }'; }
notepad_count_is() { [ "$(notepad_handles | wc -l)" -eq "$1" ]; }
notepad_line_of() { probe windows all | grep -P "^window\thwnd=$1\t" | head -n1; }
notepad_field() { field "$(notepad_line_of "$NOTEPAD")" "$1"; }
notepad_x_window() { xdotool search --name "^$NOTEPAD_TITLE\$" 2>/dev/null | head -n1; }

# key COMBINATION: a real key press reaching notepad's X window, which has the X focus.
key() {
    local window
    window=$(notepad_x_window)
    [ -n "$window" ] || rig_fail "no X window for notepad"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers "$1"
    rig_log "pressed $1"
}

# hotkeys_probe COMBINATION...: whether the probe can take each combination (MODIFIERS:KEY); its lines
# (free=0: someone holds it) are kept in RIG_HOTKEYS.
hotkeys_probe() { RIG_HOTKEYS=$(probe hotkeys "$@"); }

open_notepad() {
    (wine notepad >/dev/null 2>&1 &)
    wait_until 30 "notepad's window" notepad_count_is 1 || rig_fail "notepad did not open"
    NOTEPAD=$(notepad_handles | head -n1)
    probe move "$NOTEPAD" 100 400 700 700 >/dev/null
    wait_until 10 "notepad moved" notepad_rect_is 100,400,700,700 || rig_fail "notepad stayed at $(notepad_field rect)"
    rig_click 1 400 550
    wait_until 10 "notepad in the foreground" notepad_is_foreground || rig_fail "notepad is not the foreground window"
}

# --- first run: only Alt+W, the full-screen grid on monitor 1 -----------------------------------
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"
open_notepad
hotkeys_probe 1:0x57
[ "$(field "$RIG_HOTKEYS" free)" = 0 ] || rig_fail "Alt+W is free on a first run: $RIG_HOTKEYS"
rig_log "first run: Alt+W is held"
layer_shown() { probe windows | grep $'\ttitle=Cellaro' | grep -q $'\trect=0,0,1920,1080'; }
key alt+w
wait_until 15 "the full-screen grid on monitor 1" layer_shown ||
    rig_fail "Alt+W opened no full-screen grid: $(probe windows | grep Cellaro)"
screenshot hotkeys-first-run-layer 0 0 1920 1080
rig_log "ok: Alt+W opened the full-screen grid on monitor 1"
layer_gone() { ! layer_shown; }
key alt+w
wait_until 15 "the full-screen grid gone" layer_gone || rig_fail "a second Alt+W left the full-screen grid"
rig_log "ok: a second Alt+W closed it"

app_running || rig_fail "cellaro.exe ended after Alt+W ($(app_state))"
# The run ends with Wine (notepad goes too); the next start reads the prepared file.
timeout 20 wineserver -k >/dev/null 2>&1 || true
timeout 20 wineserver -w >/dev/null 2>&1 || true
wait_app_exit 20 || rig_fail "cellaro.exe did not end with Wine"

# --- thirty-two distinct combinations from CRO.cfg -----------------------------------------------
# number=text=modifiers:key (Alt 1, Ctrl 2, Shift 4).
readonly TABLE=(
    "2=Ctrl+Alt+T=3:0x54" "3=Ctrl+Alt+R=3:0x52" "12=Ctrl+Alt+N=3:0x4E" "10=Ctrl+Alt+X=3:0x58"
    "5=Ctrl+Alt+S=3:0x53" "107=Alt+W=1:0x57"
    "4=Ctrl+Alt+F1=3:0x70" "8=Ctrl+Alt+F2=3:0x71" "9=Ctrl+Alt+F3=3:0x72" "13=Ctrl+Alt+F4=3:0x73"
    "14=Ctrl+Alt+F5=3:0x74" "15=Ctrl+Alt+F6=3:0x75" "16=Ctrl+Alt+F7=3:0x76" "17=Ctrl+Alt+F8=3:0x77"
    "18=Ctrl+Alt+F9=3:0x78" "19=Ctrl+Alt+F10=3:0x79" "20=Ctrl+Alt+F11=3:0x7A" "21=Ctrl+Alt+F12=3:0x7B"
    "22=Shift+Alt+F1=5:0x70" "23=Shift+Alt+F2=5:0x71" "24=Shift+Alt+F3=5:0x72" "25=Shift+Alt+F4=5:0x73"
    "26=Shift+Alt+F5=5:0x74" "27=Shift+Alt+F6=5:0x75" "28=Shift+Alt+F7=5:0x76" "29=Shift+Alt+F8=5:0x77"
    "30=Shift+Alt+F9=5:0x78" "31=Shift+Alt+F10=5:0x79" "32=Shift+Alt+F11=5:0x7A" "101=Shift+Alt+F12=5:0x7B"
    "102=Shift+Ctrl+Alt+F1=7:0x70" "108=Shift+Ctrl+Alt+F2=7:0x71"
)
{
    printf '[Options]\r\n'
    for entry in "${TABLE[@]}"; do
        IFS='=' read -r number text _ <<<"$entry"
        printf 'HotKey%s=%s\r\n' "$number" "$text"
    done
} >"$RIG_PROGRAM_DIR/CRO.cfg"
start_app
wait_tray 30 || rig_fail "no tray icon after the restart ($(app_state))"
specs=()
for entry in "${TABLE[@]}"; do specs+=("${entry##*=}"); done
all_held() { hotkeys_probe "${specs[@]}" && ! grep -q $'\tfree=1' <<<"$RIG_HOTKEYS"; }
wait_until 15 "all thirty-two combinations held" all_held || true
held=0
for index in "${!TABLE[@]}"; do
    line=$(sed -n "$((index + 1))p" <<<"$RIG_HOTKEYS")
    IFS='=' read -r number text _ <<<"${TABLE[$index]}"
    if [ "$(field "$line" free)" = 0 ]; then
        held=$((held + 1))
        rig_log "registration: $number $text held"
    else
        rig_log "registration: $number $text NOT held"
    fi
done
[ "$held" -eq 32 ] || rig_fail "only $held of 32 combinations are held by cellaro.exe"
rig_log "ok: all 32 distinct combinations are registered"

# --- the tray menu with its shortcuts ------------------------------------------------------------
open_tray_menu 20 || rig_fail "no tray menu"
menu_rect=$(field "$(head -n1 <<<"$RIG_MENU")" rect)
IFS=, read -r left top right bottom <<<"$menu_rect"
screenshot hotkeys-tray-menu $((left - 40)) $((top - 40)) $((right - left + 80)) $((bottom - top + 80))
expect_caption() {
    local text
    text=$(field "$(menu_item_line "$1")" text)
    [ "$text" = "$2" ] || rig_fail "the menu item \"$1\" reads \"$text\", expected \"$2\""
}
expect_caption "Show Cellaro" 'Show Cellaro \tCtrl+Alt+S'
expect_caption "Fullscreen grid - monitor 1" 'Fullscreen grid - monitor 1\tAlt+W'
expect_caption "Fullscreen grid - monitor 2" 'Fullscreen grid - monitor 2\tShift+Ctrl+Alt+F2'
expect_caption "Move to next monitor" 'Move to next monitor\tCtrl+Alt+N'
expect_caption "Focus active window" 'Focus active window \tShift+Ctrl+Alt+F1'
rig_log "ok: the tray menu shows the shortcuts"
# A click beside the menu closes it.
rig_click 1 1500 900
wait_until 10 "the tray menu closed" menu_closed || rig_fail "the tray menu stayed open"

open_notepad
wait_until 10 "notepad in the foreground" notepad_is_foreground || rig_fail "notepad is not the foreground window"
wait_until 20 "the tray hint to name notepad" target_is_notepad || rig_fail "the target is not notepad: \"$RIG_HINT\""

notepad_topmost() { [ $(($(notepad_field exstyle) & 0x8)) -ne 0 ]; }
key ctrl+alt+t
wait_until 10 "notepad on top" notepad_topmost || rig_fail "Ctrl+Alt+T left exstyle $(notepad_field exstyle)"
rig_log "ok: Stay on top by Ctrl+Alt+T"
notepad_alpha_is() { [ "$(notepad_field alpha)" = "$1" ]; }
key ctrl+alt+r
wait_until 10 "notepad at alpha 95" notepad_alpha_is 95 || rig_fail "Ctrl+Alt+R left alpha $(notepad_field alpha)"
rig_log "ok: Transparent by Ctrl+Alt+R"
notepad_on_second() { IFS=, read -r left _ <<<"$(notepad_field rect)" && [ "$left" -ge 1920 ]; }
key ctrl+alt+n
wait_until 10 "notepad on the second monitor" notepad_on_second || rig_fail "Ctrl+Alt+N left notepad at $(notepad_field rect)"
rig_log "ok: next monitor by Ctrl+Alt+N: $(notepad_field rect)"
notepad_zoomed() { [ "$(notepad_field zoomed)" = 1 ]; }
key ctrl+alt+x
wait_until 10 "notepad maximised" notepad_zoomed || rig_fail "Ctrl+Alt+X left zoomed=$(notepad_field zoomed)"
rig_log "ok: maximise by Ctrl+Alt+X: $(notepad_field rect)"
working_window_hwnd=
key ctrl+alt+s
wait_until 15 "the working window" working_window_shown || rig_fail "Ctrl+Alt+S showed no working window"
rig_log "ok: Show Cellaro by Ctrl+Alt+S"

rig_log "PASS"
