#!/usr/bin/env bash
# The rig itself, without cellaro.exe: Wine sees the two monitors of the dummy X server, and the
# probe reads a known popup menu of another process and a real click chooses one of its items.
# Arguments: cellaro.exe probe.exe
set -euo pipefail
# shellcheck source=tests/e2e/rig.sh
source "$(dirname "$0")/rig.sh"
rig_args "$@"
rig_begin rig
start_display
make_prefix

expect_equal "monitors seen by Wine" \
    "$(printf 'monitor\tindex=0\trect=0,0,1920,1080\twork=0,0,1920,1080\tprimary=1\nmonitor\tindex=1\trect=1920,0,3200,1024\twork=1920,0,3200,1024\tprimary=0')" \
    "$(probe monitors | cut -f1-5)"

(timeout 60 wine "$PROBE_EXE" popup-demo 300 300 >"$RIG_RUN/demo.out" 2>/dev/null) &
demo=$!
wait_until 20 "the demo menu" menu_open || rig_fail "the demo menu did not open"
RIG_MENU=$(cat "$RIG_RUN/menu.txt")
expect_equal "demo menu items" "$(
    cat <<'ITEMS'
0	none	First \tAlt+1
1	separator
2	popup	More
2.0	none	Inner one
2.1	none	Inner two
3	checked	Checked
4	grayed	Grayed
5	separator
6	none	Exit
ITEMS
)" "$(menu_summary)"
click_menu_item Checked
demo_gone() { ! kill -0 "$demo" 2>/dev/null; }
wait_until 20 "the demo to end" demo_gone || rig_fail "the demo menu stayed open"
wait "$demo" || true
expect_equal "item chosen by the click" "$(printf 'chosen\tid=12')" "$(cat "$RIG_RUN/demo.out")"
