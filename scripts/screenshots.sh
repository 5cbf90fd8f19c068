#!/usr/bin/env bash
# Takes every picture of the user guide and the README from the real program: installs what is
# missing, cross-builds cellaro.exe and the probe, runs them under Wine on a virtual X server with
# two monitors (the rig of tests/e2e, at 96 dots per inch) and a compositing manager, so that the
# program's translucency shows as on Windows, drives the program with real clicks and drags, and
# writes the pictures, each cropped to its window, to docs/guide/ (the guide's folder; the release
# zip ships what the guide shows). A picture whose window does not show within its bound stops the
# run, and nothing in docs/guide/ is replaced then.
#
#   bash scripts/screenshots.sh [--out-dir DIR]
#
# Every wait is for a state, bounded in seconds; a picture is taken once two looks a moment apart
# agree (the window has finished painting). The PNGs carry no time stamps, so a run that sees the
# same screens writes the same bytes.
set -euo pipefail
out_dir=
while [ $# -gt 0 ]; do
    case "$1" in
    --out-dir) out_dir=$(realpath -m -- "${2:?--out-dir needs a folder}"); shift 2 ;;
    *) echo "screenshots.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
cd "$(dirname "$0")/.."
out_dir=${out_dir:-$PWD/docs/guide}
source scripts/packages.sh
ensure_packages "${WINDOWS_BUILD_PACKAGES[@]}" "${E2E_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)" --target cellaro cellaro_probe
build=build/windows

# shellcheck source=tests/e2e/rig.sh
source tests/e2e/rig.sh
rig_args "$build/src/platform/win32/cellaro.exe" "$build/tests/e2e/probe/probe.exe"
rig_begin screenshots
E2E_ARTIFACTS=$RIG_RUN/raw # the rig's own screenshots, when a step fails
mkdir -p "$E2E_ARTIFACTS"
shots=$RIG_RUN/shots
mkdir -p "$shots"

compositor_pid=
shots_cleanup() {
    local status=$?
    [ -z "$compositor_pid" ] || kill "$compositor_pid" 2>/dev/null || true
    (exit "$status")
    rig_cleanup
}
trap shots_cleanup EXIT

start_display
# A desktop colour: a picture of the screen's size in that colour, kept after the tool ends, which
# the compositing manager paints behind the windows (_XROOTPMAP_ID). The system's Python has the X
# library.
/usr/bin/python3 - 2f6690 <<'PYTHON' || rig_fail "could not give the desktop its colour"
import sys
from Xlib import X, Xatom, display
connection = display.Display()
screen = connection.screen()
root = screen.root
width, height = screen.width_in_pixels, screen.height_in_pixels
picture = root.create_pixmap(width, height, screen.root_depth)
picture.fill_rectangle(picture.create_gc(foreground=int(sys.argv[1], 16)), 0, 0, width, height)
for name in ("_XROOTPMAP_ID", "ESETROOT_PMAP_ID"):
    root.change_property(connection.intern_atom(name), Xatom.PIXMAP, 32, [picture.id])
root.change_attributes(background_pixmap=picture)
root.clear_area(0, 0, width, height)
connection.set_close_down_mode(X.RetainPermanent)
connection.sync()
PYTHON
xcompmgr >"$RIG_RUN/xcompmgr.log" 2>&1 &
compositor_pid=$!
make_prefix
# Wine draws the other programs' title bars itself (there is no window manager to draw them).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 ||
    rig_fail "could not set Wine's Decorated option"
# Pictures at 96 dots per inch: the scale of 100 % that the guide's sizes are given in.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 ||
    rig_fail "could not set Wine's dots per inch"

# --- taking a picture -----------------------------------------------------------------------------

# The pointer rests where no window of the program is, so no button is lit and no hint shows.
park_pointer() { rig_move 2900 980; }

# crop_screen FILE X Y W H: that part of the screen, in Wine's coordinates.
crop_screen() {
    import -window root -crop "${4}x${5}+$(($2 + RIG_ORIGIN_X))+$(($3 + RIG_ORIGIN_Y))" +repage "$1"
}
crops_agree() {
    crop_screen "$RIG_RUN/look-a.png" "$@"
    sleep 0.3
    crop_screen "$RIG_RUN/look-b.png" "$@"
    cmp -s <(convert "$RIG_RUN/look-a.png" rgb:-) <(convert "$RIG_RUN/look-b.png" rgb:-)
}
# No hint (nor balloon) shows: both are the system's tooltip windows.
tooltips_gone() { ! probe windows | grep -q $'\tclass=tooltips_class32\t'; }
# picture NAME X Y W H [SCALE%]: once no hint shows (unless KEEP_TOOLTIPS is set) and the part of
# the screen has settled, it is kept as NAME.png (scaled down for the pictures of a whole monitor).
picture() {
    local name=$1
    shift
    if [ -z "${KEEP_TOOLTIPS:-}" ]; then
        wait_until 15 "no hint on the screen for $name" tooltips_gone ||
            rig_fail "$name: a hint stays on the screen: $(probe windows | grep tooltips_class32)"
    fi
    wait_until 15 "the screen at $1,$2 ${3}x$4 to settle for $name" crops_agree "$1" "$2" "$3" "$4" ||
        rig_fail "$name: the screen did not settle"
    if [ -n "${5:-}" ]; then
        convert "$RIG_RUN/look-b.png" -filter Lanczos -resize "$5%" "$shots/$name.png"
    else
        cp "$RIG_RUN/look-b.png" "$shots/$name.png"
    fi
    rig_log "picture $name ($3 x $4 at $1,$2${5:+, scaled to $5 %})"
}
# window_picture NAME RECT [MARGIN]: the window's rectangle ("left,top,right,bottom"), with a
# margin of desktop around it.
window_picture() {
    local left top right bottom margin=${3:-0}
    IFS=, read -r left top right bottom <<<"$2"
    picture "$1" $((left - margin)) $((top - margin)) $((right - left + 2 * margin)) $((bottom - top + 2 * margin))
}

# --- the program's windows ------------------------------------------------------------------------

program_windows() { probe windows | grep $'\tclass=CellaroForm\t' || true; }
# The visible program window at exactly this rectangle.
window_at() { program_windows | grep -q $'\trect='"$1"$'\t'; }
window_gone_from() { ! window_at "$1"; }
wait_window_at() {
    wait_until 20 "$2 at $1" window_at "$1" || {
        program_windows >&2
        rig_fail "$2 does not show at $1"
    }
}
# The X window of the program's window at this rectangle (Wine's coordinates), for keys.
x_window_at() {
    local left top right bottom window
    IFS=, read -r left top right bottom <<<"$1"
    xdotool search --onlyvisible --name '^(Cellaro|About)$' 2>/dev/null | while read -r window; do
        read -r x y w h <<<"$(window_geometry "$window")"
        if [ "$x,$y,$w,$h" = "$((left + RIG_ORIGIN_X)),$((top + RIG_ORIGIN_Y)),$((right - left)),$((bottom - top))" ]; then
            echo "$window"
            break
        fi
    done
}
# keys_to RECT KEY...: the keys to the program's window at that rectangle.
keys_to() {
    local rect=$1 window
    shift
    window=$(x_window_at "$rect")
    [ -n "$window" ] || rig_fail "no X window at $rect for the keys $*"
    xdotool windowfocus --sync "$window" key "$@"
}

# The first start: no CRO.cfg beside the program, so the tray icon shows its balloon (which the rig
# waits for and here leaves on the screen).
start_app
RIG_KEEP_BALLOON=1 wait_tray 30 || rig_fail "no tray icon ($(app_state))"
[ -n "$RIG_BALLOON" ] || rig_fail "no balloon on the first start: $(probe windows)"
IFS=, read -r b_left b_top b_right b_bottom <<<"$(balloon_rect)"
read -r t_x t_y t_width t_height < <(window_geometry "$RIG_TRAY")
KEEP_TOOLTIPS=1 picture first-start-balloon 0 0 $((b_right > t_x + t_width ? b_right + 8 : t_x + t_width + 8)) \
    $((b_bottom + 8))
# A click on the balloon puts it away.
rig_click 1 $(((b_left + b_right) / 2)) $(((b_top + b_bottom) / 2))
wait_until 15 "the balloon to go after a click on it" balloon_gone || rig_fail "a click left the balloon"

# --- the target: notepad with a few lines -----------------------------------------------------------
(wine notepad >/dev/null 2>&1 &)
wait_until 30 "notepad's window" notepad_shown || rig_fail "notepad did not open"
notepad_hwnd=$(notepad_field hwnd)
probe move "$notepad_hwnd" 1000 120 1700 620 >/dev/null
wait_until 10 "notepad moved" notepad_rect_is 1000,120,1700,620 || rig_fail "notepad stayed at $(notepad_field rect)"
notepad_x=$(xdotool search --onlyvisible --name "^$NOTEPAD_TITLE\$" | head -n1)
[ -z "$notepad_x" ] || xdotool windowfocus --sync "$notepad_x" type --delay 20 \
    $'Monday\n- plan the week\n- answer the mail\n' || true
make_notepad_target
park_pointer

# --- the working window: the grid page, placing notepad ---------------------------------------------
show_working_window
move_working_window 240 380
working_rect=$(field "$(working_window_line)" rect)
read -r from_x from_y <<<"$(cell_point 3 0)"
read -r to_x to_y <<<"$(cell_point 5 3)"
expected=$(board_range_rect 0 3 0 5 3)
press_and_move "$from_x" "$from_y" "$to_x" "$to_y"
wait_until 10 "notepad to follow the drag to $expected" notepad_rect_is "$expected" ||
    rig_fail "notepad did not follow the drag: $(notepad_field rect), expected $expected"
picture placing 0 0 1920 1080 50
window_picture working-window-grid "$working_rect"
xdotool mouseup 1
wait_until 10 "notepad placed at $expected" notepad_is "$expected" 0 || rig_fail "notepad is at $(notepad_field rect)"

# --- the Arrange and Groups pages -------------------------------------------------------------------
show_page Arrange
park_pointer
window_picture working-window-arrange "$working_rect"
read -r origin_x origin_y <<<"$(working_window_origin)"
# SbGroup, "Groups": the status strip goes, so the picture changes once the page shows.
crop_screen "$RIG_RUN/arrange.png" "$origin_x" "$origin_y" 335 267
groups_page_shown() {
    crop_screen "$RIG_RUN/now.png" "$origin_x" "$origin_y" 335 267
    ! cmp -s <(convert "$RIG_RUN/arrange.png" rgb:-) <(convert "$RIG_RUN/now.png" rgb:-)
}
rig_click 1 $((origin_x + 56)) $((origin_y + 16))
wait_until 10 "the Groups page" groups_page_shown || rig_fail "SbGroup showed no group page"
park_pointer
window_picture working-window-groups "$working_rect"
show_page Grid
rig_click 1 $((origin_x + 319)) $((origin_y + 16)) # xClose2, "Close"
wait_until 10 "the working window to close" working_window_hidden || rig_fail "Close left the working window"

# --- the full-screen grid, placing notepad, and its menu --------------------------------------------
layer_shown() {
    program_windows | grep -q $'\trect='"$(layer_rect_over 0)"$'\t'
}
open_layer() {
    make_notepad_target
    choose_tray_item "Fullscreen grid - monitor 1"
    wait_until 20 "the full-screen grid over monitor 1" layer_shown ||
        rig_fail "no full-screen grid at $(layer_rect_over 0): $(program_windows)"
    LAYER_RECT=$(layer_rect_over 0)
    LAYER_CELLS=10
}
open_layer
read -r from_x from_y <<<"$(layer_cell_point 5 1)"
read -r to_x to_y <<<"$(layer_cell_point 9 6)"
expected=$(layer_range_rect 0 5 1 9 6)
press_and_move "$from_x" "$from_y" "$to_x" "$to_y"
wait_until 10 "notepad to follow the drag on the grid to $expected" notepad_rect_is "$expected" ||
    rig_fail "notepad did not follow the drag on the full-screen grid: $(notepad_field rect), expected $expected"
picture fullscreen-grid 0 0 1920 1080 50
xdotool mouseup 1
wait_until 10 "the full-screen grid to go" eval '! layer_shown' || rig_fail "the full-screen grid stayed after placing"

open_layer
rig_click 3 1400 700
wait_until 10 "the grid menu" menu_open || rig_fail "a right click on the full-screen grid opened no menu"
RIG_MENU=$(cat "$RIG_RUN/menu.txt")
IFS=, read -r m_left m_top m_right m_bottom <<<"$(field "$(head -n1 <<<"$RIG_MENU")" rect)"
# Windows has the menu above the layer, but X, with no window manager to restack them, leaves the
# layer's X window above the menu's: the menu's is raised, as it shows on Windows.
for x_window in $(xdotool search --onlyvisible --class '' 2>/dev/null); do
    if [ "$(window_geometry "$x_window")" = "$((m_left + RIG_ORIGIN_X)) $((m_top + RIG_ORIGIN_Y)) $((m_right - m_left)) $((m_bottom - m_top))" ]; then
        xdotool windowraise "$x_window"
    fi
done
picture fullscreen-grid-menu $((m_left - 40)) $((m_top - 30)) $((m_right - m_left + 80)) $((m_bottom - m_top + 60))
click_menu_item Close
wait_until 10 "the full-screen grid to go after Close" eval '! layer_shown' || rig_fail "Close left the full-screen grid"

# --- the tray menu -----------------------------------------------------------------------------------
open_tray_menu 20 || rig_fail "the tray menu did not open"
IFS=, read -r m_left m_top m_right m_bottom <<<"$(field "$(head -n1 <<<"$RIG_MENU")" rect)"
picture tray-menu 0 0 $((m_right + 12)) $((m_bottom + 12))
rig_click 1 2900 980 # on the desktop, beside the menu
wait_until 10 "the tray menu to close" menu_closed || rig_fail "Escape left the tray menu open"

# --- the settings window's four pages ----------------------------------------------------------------
readonly SETTINGS_RECT=442,189,1477,891 SETTINGS_LEFT=442 SETTINGS_TOP=189
choose_tray_item Settings
wait_window_at "$SETTINGS_RECT" "the settings window"
park_pointer
window_picture settings-grids "$SETTINGS_RECT"
page=1
for name in shortcuts set-window fullscreen-grid; do
    # The page buttons in the left column: Grids, Shortcuts, Set Window, Fullscreen grid.
    crop_screen "$RIG_RUN/page-before.png" "$SETTINGS_LEFT" "$SETTINGS_TOP" 1035 702
    rig_click 1 $((SETTINGS_LEFT + 64)) $((SETTINGS_TOP + 26 + 70 + page * 40 + 18))
    page_changed() {
        crop_screen "$RIG_RUN/page-now.png" "$SETTINGS_LEFT" "$SETTINGS_TOP" 1035 702
        ! cmp -s <(convert "$RIG_RUN/page-before.png" rgb:-) <(convert "$RIG_RUN/page-now.png" rgb:-)
    }
    wait_until 10 "the settings page $name" page_changed || rig_fail "the page button for $name showed nothing new"
    park_pointer
    window_picture "settings-$name" "$SETTINGS_RECT"
    page=$((page + 1))
done
keys_to "$SETTINGS_RECT" Escape
wait_until 10 "the settings window to close" window_gone_from "$SETTINGS_RECT" || rig_fail "Escape left the settings window"

# --- the window manager list, with windows in groups -------------------------------------------------
(probe demo "Report" 3 80 640 900 >"$RIG_RUN/demo.txt" &)
demo_count_is() { [ "$(grep -c '^demo' "$RIG_RUN/demo.txt" 2>/dev/null)" -eq "$1" ]; }
wait_until 30 "three more windows" demo_count_is 3 || rig_fail "the probe opened no windows"
readonly LIST_RECT=542,276,1378,803 LIST_LEFT=542 LIST_TOP=276
choose_tray_item "Manage groups"
wait_window_at "$LIST_RECT" "the window manager list"
list_box() { rig_click 1 $((LIST_LEFT + 4 + $2 * 30 + 8)) $((LIST_TOP + 26 + 41 + $1 * 48 + 18 + 8)); }
list_box 0 0
list_box 1 0
list_box 2 2
park_pointer
window_picture window-list "$LIST_RECT"
keys_to "$LIST_RECT" Escape
wait_until 10 "the list to close" window_gone_from "$LIST_RECT" || rig_fail "Escape left the list open"

# --- the groups navigation menu ---------------------------------------------------------------------
readonly BAR_RECT=1620,45,1904,86
choose_tray_item "Groups navigation menu"
wait_window_at "$BAR_RECT" "the groups navigation menu"
park_pointer
window_picture navigation-menu "$BAR_RECT" 10
choose_tray_item "Groups navigation menu"
wait_until 10 "the navigation menu to close" window_gone_from "$BAR_RECT" || rig_fail "the navigation menu stayed"

# --- the about window -------------------------------------------------------------------------------
readonly ABOUT_RECT=1,1,559,402
about_at() { probe find About | grep $'\tvisible=1\t' | grep -q $'\trect='"$ABOUT_RECT"$'\t'; }
choose_tray_item About
wait_until 20 "the about window" about_at || rig_fail "no about window at $ABOUT_RECT"
park_pointer
window_picture about "$ABOUT_RECT"
keys_to "$ABOUT_RECT" Escape
wait_until 10 "the about window to close" eval '! about_at' || rig_fail "Escape left the about window"

choose_tray_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"

# --- the pictures, small and without time stamps, into their folder ---------------------------------
for file in "$shots"/*.png; do
    mogrify -strip "$file"
    # A second pass: -strip also drops the density given with it.
    mogrify -define png:exclude-chunks=date,time -units PixelsPerInch -density 96 "$file"
    optipng -quiet -o2 "$file"
done
mkdir -p "$out_dir"
rm -f "$out_dir"/*.png
cp "$shots"/*.png "$out_dir"/
rig_log "pictures in $out_dir:"
for file in "$out_dir"/*.png; do
    printf '  %-32s %5d x %-5d %7d bytes\n' "$(basename "$file")" "$(identify -format '%w' "$file")" \
        "$(identify -format '%h' "$file")" "$(stat -c %s "$file")" >&2
done
