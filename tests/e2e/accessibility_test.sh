#!/usr/bin/env bash
# What a screen reader reads of the forms, asked from another process as a screen reader asks
# (the probe, through Microsoft Active Accessibility). The working window's client area holds push
# buttons named by their hints, each where the hit test finds it, in a chain the navigation walks,
# and one cell grid over the board. Pressing "Arrange" through its default action shows the anchor
# pad, whose nine buttons read in order at the points where the pointer finds them. The settings window holds "OK" and "Cancel" and the two count spin boxes with
# their values, the first of them focused; three presses of Tab move the focus to the next three
# focusable items, as the focus events the program raises and the focused state both tell.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin accessibility
start_display
make_prefix
start_app
wait_tray 30 || rig_fail "no tray icon ($(app_state))"

# --- reading a tree -------------------------------------------------------------------------------

# read_tree HWND: the probe's lines for that window's client area, left in RIG_TREE.
RIG_TREE=
read_tree() {
    RIG_TREE=$(probe accessible "$1") && [[ $RIG_TREE == accessible* ]]
}
# The line of the client object (child 0) or of one child.
tree_line() { printf '%s\n' "$RIG_TREE" | grep -P "^accessible\tchild=$1\t" | head -n1 || true; }
# tree_children ROLE: "ID<tab>NAME<tab>VALUE<tab>STATE" of the children with this role, in order.
tree_children() {
    printf '%s\n' "$RIG_TREE" | awk -F'\t' -v want="role=$1" '
        $1 == "accessible" && $2 != "child=0" && $3 == want {
            for (i = 2; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = substr($i, length(kv[1]) + 2) }
            print f["child"] "\t" f["name"] "\t" f["value"] "\t" f["state"]
        }'
}
# tree_child_named ROLE NAME: the id of the first child with this role and name.
tree_child_named() { tree_children "$1" | awk -F'\t' -v name="$2" '$2 == name { print $1; exit }'; }
tree_has_names() {
    local name
    for name in "$@"; do
        [ -n "$(tree_child_named pushbutton "$name")" ] || return 1
    done
}
# same WHAT EXPECTED ACTUAL: expect_equal without the line for each match, for checks made in loops.
same() { [ "$2" = "$3" ] || expect_equal "$@"; }
# rect_within INNER OUTER: a rectangle ("L,T,R,B") that is not empty and lies inside another.
rect_within() {
    local l t r b left top right bottom
    IFS=, read -r l t r b <<<"$1"
    IFS=, read -r left top right bottom <<<"$2"
    ((l >= left && t >= top && r <= right && b <= bottom && l < r && t < b))
}
# point_in X Y RECT
point_in() {
    local l t r b
    IFS=, read -r l t r b <<<"$3"
    (($1 >= l && $1 < r && $2 >= t && $2 < b))
}
# A state word in a state field ("focused,focusable").
has_state() { [[ ",$1," == *",$2,"* ]]; }
log_tree() { printf '%s\n' "$RIG_TREE" | sed 's/^/    /' >&2; }

# tree_faults WINDOW_RECT: one line for each child that lies outside the window or is empty, that
# the hit test at its middle does not find (with "hits", for windows whose children do not
# overlap), or whose neighbours are not the children before and after it; nothing when all is well.
tree_faults() {
    printf '%s\n' "$RIG_TREE" | awk -F'\t' -v window="$1" -v hits="${2:-}" '
        BEGIN { split(window, w, ",") }
        $1 != "accessible" || $2 == "child=0" { next }
        {
            delete f
            for (i = 2; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = substr($i, length(kv[1]) + 2) }
            child = f["child"] + 0
            ++count
            if (child != count) print "child " count " is missing, " child " comes instead"
            split(f["rect"], r, ",")
            if (r[1] < w[1] || r[2] < w[2] || r[3] > w[3] || r[4] > w[4] || r[1] >= r[3] || r[2] >= r[4])
                print "child " child " lies outside the window or is empty: " f["rect"]
            if (hits != "" && f["hit"] != child) print "the hit test at the middle of child " child " finds " f["hit"]
            previous[child] = f["previous"]
            next_[child] = f["next"]
        }
        END {
            for (c = 1; c <= count; c++) {
                p = c > 1 ? c - 1 : "none"
                n = c < count ? c + 1 : "none"
                if (previous[c] != p || next_[c] != n)
                    print "child " c " has the neighbours " previous[c] " and " next_[c] ", not " p " and " n
            }
        }'
}

# expect_sound_tree HWND WINDOW_RECT [hits]: the client object is the window's client area, titled
# "Cellaro", with its children from 1 to N; no child has a fault (tree_faults).
expect_sound_tree() {
    local client count faults
    client=$(tree_line 0)
    expect_equal "role of the client object of $1" client "$(field "$client" role)"
    expect_equal "name of the client object of $1" Cellaro "$(field "$client" name)"
    expect_equal "rectangle of the client object of $1" "$2" "$(field "$client" rect)"
    count=$(field "$client" children)
    [ "$count" -gt 0 ] || rig_fail "the client object of $1 has no children: $client"
    expect_equal "children of $1 read" "$count" "$(printf '%s\n' "$RIG_TREE" | grep -cP '^accessible\tchild=[1-9]')"
    expect_equal "first and last child of $1" "1 $count" "$(field "$client" first) $(field "$client" last)"
    [ "$(field "$client" parent)" != none ] || rig_fail "the client object of $1 has no parent: $client"
    faults=$(tree_faults "$2" "${3:-}")
    [ -z "$faults" ] || {
        log_tree
        rig_fail "the tree of $1: $faults"
    }
    rig_log "ok: the tree of $1 is sound: $count children inside $2, first to last in a chain${3:+, each where the hit test finds it}"
}

# --- the working window -------------------------------------------------------------------------

show_working_window
hwnd=$working_window_hwnd
window_rect=$(field "$(working_window_line)" rect)
IFS=, read -r window_left window_top _ _ <<<"$window_rect"
read_tree "$hwnd" || rig_fail "no accessible tree for the working window: $RIG_TREE"
rig_log "the working window's tree:"
log_tree
expect_sound_tree "the working window" "$window_rect" hits
tree_has_names Grid Arrange Settings Close || rig_fail "the working window lacks its title strip's buttons"
for name in Grid Arrange Settings Close; do
    line=$(tree_line "$(tree_child_named pushbutton "$name")")
    same "default action of \"$name\"" Press "$(field "$line" action)"
done
rig_log "ok: the title strip's buttons read as push buttons named by their hints, pressed by their default action"

# The board: one cell grid over its cells.
grids=$(tree_children table)
[ "$(printf '%s\n' "$grids" | grep -c .)" -eq 1 ] || rig_fail "not one cell grid in the working window: $grids"
grid_rect=$(field "$(tree_line "$(cut -f1 <<<"$grids")")" rect)
for corner in 0 5; do
    read -r x y <<<"$(cell_point "$corner" "$corner")"
    point_in "$x" "$y" "$grid_rect" || rig_fail "the cell grid at $grid_rect misses the board's cell $corner,$corner at $x,$y"
done
rig_log "ok: the board reads as one cell grid over its cells"

# "Arrange" pressed through its default action, as a screen reader presses it.
arrange=$(tree_child_named pushbutton Arrange)
action=$(probe accessible-do "$hwnd" "$arrange" || true)
expect_equal "result of pressing Arrange" 0x0 "$(field "$action" result)"
readonly ANCHOR_NAMES=("Top left" "Top center" "Top right" "Middle left" "Middle center" "Middle right"
    "Bottom left" "Bottom center" "Bottom right")
anchor_pad_read() { read_tree "$hwnd" && tree_has_names "${ANCHOR_NAMES[@]}"; }
wait_until 20 "the anchor pad in the tree" anchor_pad_read || {
    log_tree
    rig_fail "pressing Arrange through its default action showed no anchor pad"
}
screenshot accessibility-arrange "$window_left" "$window_top" "$WORKING_WIDTH" "$WORKING_HEIGHT"
expect_sound_tree "the Arrange page" "$window_rect" hits
previous_id=0
for index in "${!ANCHOR_NAMES[@]}"; do
    id=$(tree_child_named pushbutton "${ANCHOR_NAMES[$index]}")
    [ "$id" -gt "$previous_id" ] || rig_fail "the anchor \"${ANCHOR_NAMES[$index]}\" reads out of order"
    previous_id=$id
    IFS=, read -r l t r b <<<"$(field "$(tree_line "$id")" rect)"
    read -r x y <<<"$(anchor_point "${ANCHORS[$index]}")"
    same "middle of the anchor \"${ANCHOR_NAMES[$index]}\" on the screen" \
        "$((window_left + x)),$((window_top + y))" "$(((l + r) / 2)),$(((t + b) / 2))"
done
rig_log "ok: the anchor pad reads in order, each button where the pointer finds it"

# --- the settings window ------------------------------------------------------------------------

# 1035 x 702, centred on the first monitor.
readonly SETTINGS_RECT=442,189,1477,891
settings_line() { probe windows | grep $'\trect='"$SETTINGS_RECT"$'\t' | head -n1; }
settings_shown() { [ -n "$(settings_line)" ]; }
open_tray_menu 10 || rig_fail "no tray menu"
click_menu_item Settings
wait_until 20 "the settings window" settings_shown || rig_fail "Settings showed no window at $SETTINGS_RECT"
settings=$(field "$(settings_line)" hwnd)
# Its widgets are made before it shows, but the probe may come first: wait until OK is read.
settings_read() { read_tree "$settings" && tree_has_names OK Cancel; }
wait_until 20 "the settings window's tree" settings_read || {
    log_tree
    rig_fail "the settings window reads without OK and Cancel"
}
rig_log "the settings window's tree:"
log_tree
expect_sound_tree "the settings window" "$SETTINGS_RECT"
for name in OK Cancel; do
    expect_equal "push buttons named $name" 1 "$(tree_children pushbutton | cut -f2 | grep -cx "$name")"
done
# The Rows and Columns counts, 6 each on a fresh start, left to right.
spins=$(tree_children spinbutton)
expect_equal "values of the spin boxes" "6 6" "$(cut -f3 <<<"$spins" | tr '\n' ' ' | sed 's/ $//')"
rows_id=$(sed -n 1p <<<"$spins" | cut -f1)
columns_id=$(sed -n 2p <<<"$spins" | cut -f1)
[ "$(field "$(tree_line "$rows_id")" rect | cut -d, -f1)" -lt "$(field "$(tree_line "$columns_id")" rect | cut -d, -f1)" ] ||
    rig_fail "the Rows count does not come before the Columns count: $spins"
screenshot accessibility-settings 442 189 1035 702
rig_log "ok: OK, Cancel and the two counts (6 and 6) read as push buttons and spin boxes"

# The Rows editor has the focus when the window opens.
settings_x_window() {
    xdotool search --onlyvisible --name '^Cellaro$' 2>/dev/null | while read -r window; do
        read -r x y w h <<<"$(window_geometry "$window")"
        [ "$x,$y,$w,$h" = "442,189,1035,702" ] && echo "$window"
    done | head -n1
}
settings_focused() { read_tree "$settings" && [ "$(field "$(tree_line 0)" focus)" = "$rows_id" ]; }
x_window=$(settings_x_window)
[ -n "$x_window" ] || rig_fail "no X window for the settings window"
xdotool windowfocus --sync "$x_window"
wait_until 10 "the Rows count focused" settings_focused || {
    log_tree
    rig_fail "the settings window's focus is not on the Rows count"
}
has_state "$(field "$(tree_line "$rows_id")" state)" focused || rig_fail "the Rows count is not in the focused state: $(tree_line "$rows_id")"

# Tab three times: the focus goes to the next three focusable items that are available, in order.
focusable=$(printf '%s\n' "$RIG_TREE" | awk -F'\t' '$1 == "accessible" && $2 != "child=0" {
        split($2, c, "="); split($4, s, "=")
        if (("," s[2] ",") ~ /,focusable,/ && ("," s[2] ",") !~ /,unavailable,/) print c[2]
    }')
expected=$(printf '%s\n%s\n' "$focusable" "$focusable" | awk -v from="$rows_id" 'seen && n < 3 { print; n++ } $1 == from { seen = 1 }')
[ "$(grep -c . <<<"$expected")" -eq 3 ] || rig_fail "fewer than three focusable items to Tab to: $focusable"
pid=$(probe process cellaro.exe | head -n1)
[ -n "$pid" ] || rig_fail "no process cellaro.exe"
events=$RIG_RUN/focus-events.out
(wine "$PROBE_EXE" focus-events "$pid" 3 60 >"$events" 2>/dev/null &)
wait_until 30 "the probe to listen for focus events" grep -q '^listening' "$events" ||
    rig_fail "the probe does not listen for focus events: $(cat "$events")"
xdotool windowfocus --sync "$x_window"
xdotool key Tab
xdotool key Tab
xdotool key Tab
wait_until 70 "three focus events" grep -q '^done' "$events" || rig_fail "the focus events did not end: $(cat "$events")"
rig_log "focus events:"
sed 's/^/    /' "$events" >&2
grep -q $'^done\tevents=3\treason=count$' "$events" || rig_fail "not three focus events: $(cat "$events")"
heard=$(awk -F'\t' '$1 == "focus" { print $2 " " $3 " " $4 }' "$events")
want=$(while read -r id; do echo "hwnd=$settings object=-4 child=$id"; done <<<"$expected")
expect_equal "focus events after three presses of Tab" "$want" "$heard"
read_tree "$settings" || rig_fail "no accessible tree for the settings window after Tab"
while read -r id; do
    same "name in the focus event of child $id" "$(field "$(tree_line "$id")" name)" \
        "$(awk -F'\t' -v child="child=$id" '$1 == "focus" && $4 == child { sub(/^name=/, "", $5); print $5; exit }' "$events")"
done <<<"$expected"
last=$(tail -n1 <<<"$expected")
expect_equal "the focus after three presses of Tab" "$last" "$(field "$(tree_line 0)" focus)"
focused=$(printf '%s\n' "$RIG_TREE" | awk -F'\t' '$1 == "accessible" && $2 != "child=0" && ("," substr($4, 7) ",") ~ /,focused,/ { print substr($2, 7) }')
expect_equal "the one child in the focused state" "$last" "$focused"
rig_log "ok: Tab moved the focus to children $(tr '\n' ' ' <<<"$expected")as the events and the states tell"

open_tray_menu 10 || rig_fail "no tray menu"
click_menu_item Exit
wait_app_exit 20 || rig_fail "cellaro.exe did not end after Exit"
rig_log "ok: accessibility test"
