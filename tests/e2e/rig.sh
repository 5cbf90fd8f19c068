# shellcheck shell=bash disable=SC2034
# The end-to-end rig (sourced by the tests and by scripts/run.sh): an Xorg server with the dummy
# driver and two monitors, a fresh Wine prefix per run, cellaro.exe started from its own program
# directory, the probe, xdotool input and screenshots. Every wait is bounded; rig_cleanup (run by
# the EXIT trap that rig_begin installs) stops Wine and the X server whatever happened.
#
# Callers set, before rig_begin:
#   CELLARO_EXE  path of cellaro.exe           PROBE_EXE  path of probe.exe (probe_hook.dll beside it)
# Optional:
#   E2E_WORK       where prefixes and runs live (default: <repo>/build/e2e)
#   E2E_ARTIFACTS  where screenshots go (default: $E2E_WORK/artifacts)

E2E_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_WORK=${E2E_WORK:-$E2E_REPO/build/e2e}
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$E2E_WORK/artifacts}
RIG_POLL=0.15 # seconds between two looks in every wait
# The X position of Wine's 0,0 (the primary monitor's top left corner); start_display sets it.
RIG_ORIGIN_X=0
RIG_ORIGIN_Y=0

export WINEDEBUG=-all
# No Mono or Gecko installer dialogs while a prefix is prepared.
export WINEDLLOVERRIDES="mscoree=;mshtml="

rig_log() { printf '[rig %s] %s\n' "$(date +%H:%M:%S.%N | cut -c1-12)" "$*" >&2; }
rig_fail() {
    rig_log "FAIL: $*"
    exit 1
}

# Seconds since the epoch with milliseconds, for timings.
rig_now() { date +%s.%N | cut -c1-14; }
rig_elapsed() { awk -v a="$1" -v b="$(rig_now)" 'BEGIN { printf "%.2f", b - a }'; }

# wait_until SECONDS DESCRIPTION COMMAND...: runs COMMAND every RIG_POLL seconds until it succeeds;
# false (with a log line) when it has not succeeded within SECONDS.
wait_until() {
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    # SECONDS counts whole seconds, so the last look may come up to a second late: never early.
    while true; do
        if "$@"; then
            return 0
        fi
        if [ "$SECONDS" -gt "$deadline" ]; then
            rig_log "timed out after ${limit}s waiting for: $what"
            return 1
        fi
        sleep "$RIG_POLL"
    done
}

# rig_begin NAME: a fresh run directory with an EXIT trap that cleans up.
rig_begin() {
    RIG_NAME=$1
    mkdir -p "$E2E_WORK/runs" "$E2E_ARTIFACTS"
    rm -rf "$E2E_WORK/runs/$RIG_NAME".* # what the last failed run of this test kept
    RIG_RUN=$(mktemp -d "$E2E_WORK/runs/$RIG_NAME.XXXXXX")
    RIG_XORG_PID=
    RIG_APP_PID=
    RIG_DISPLAY_NUMBER=
    trap rig_cleanup EXIT
    trap 'exit 130' INT TERM
}

rig_cleanup() {
    local status=$?
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        timeout 10 wineserver -k >/dev/null 2>&1 || true
        timeout 10 wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${RIG_APP_PID:-}" ]; then
        kill -9 "$RIG_APP_PID" 2>/dev/null || true
    fi
    stop_display
    if [ "$status" -eq 0 ] && [ -n "${RIG_RUN:-}" ] && [ -z "${E2E_KEEP_RUN:-}" ]; then
        rm -rf "$RIG_RUN"
    elif [ -n "${RIG_RUN:-}" ]; then
        [ -n "${E2E_KEEP_RUN:-}" ] || rm -rf "$RIG_RUN/prefix"
        rig_log "run directory kept: $RIG_RUN"
    fi
    return "$status"
}

# --- the X server -------------------------------------------------------------------------------

rig_write_xorg_config() {
    cat >"$1" <<'EOF'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 4096 2160
    EndSubSection
EndSection
EOF
}

rig_display_answers() { xrandr -d ":$1" -q >/dev/null 2>&1; }
rig_xorg_alive() { kill -0 "$RIG_XORG_PID" 2>/dev/null; }
# Up, or our server gave up (another run may have taken the number in the meantime).
rig_display_settled() { ! rig_xorg_alive || rig_display_answers "$1"; }
# The server on :N answers and is the one this run started (its lock names our process; under
# sudo the lock names the server, a child of ours).
rig_display_ours() {
    rig_xorg_alive && rig_display_answers "$1" || return 1
    local owner
    owner=$(tr -d ' \n' <"/tmp/.X$1-lock" 2>/dev/null)
    [ "$owner" = "$RIG_XORG_PID" ] || [ "$(ps -o ppid= -p "$owner" 2>/dev/null | tr -d ' ')" = "$RIG_XORG_PID" ]
}
rig_two_monitors() { [ "$(xrandr --listmonitors 2>/dev/null | head -n1)" = "Monitors: 2" ]; }

# The layouts of the two monitors, as X places them: DUMMY0 (1920 x 1080) is always the primary;
# DUMMY1 (1280 x 1024) lies to its right (the default), to its left, or below it. X has no negative
# positions, so "left" puts DUMMY1 at 0,0 and the primary beside it.
rig_layout_positions() {
    case $1 in
    right) echo 0x0 1920x0 ;;
    left) echo 1280x0 0x0 ;;
    below) echo 0x0 0x1080 ;;
    *) return 1 ;;
    esac
}

# start_display [LAYOUT]: starts Xorg with the dummy driver on the first free display from :100 up,
# sets DISPLAY and lays out the two monitors (rig_layout_positions; "right" when no layout is
# given). Windows puts its primary monitor's top left corner at 0,0, so Wine's screen coordinates
# are X's shifted by the primary's X position: RIG_ORIGIN_X and RIG_ORIGIN_Y hold that position,
# and RIG_EXPECTED_MONITORS the "rect=L,T,R,B primary=P" lines Wine should report (the primary's
# first). rig_move and screenshot take Wine's coordinates; expect_wine_monitors (after make_prefix)
# checks what Wine makes of the layout.
# shellcheck disable=SC2120 # most tests take the default layout
start_display() {
    RIG_LAYOUT=${1:-right}
    local positions primary_at second_at
    positions=$(rig_layout_positions "$RIG_LAYOUT") || rig_fail "start_display: no monitor layout \"$RIG_LAYOUT\""
    read -r primary_at second_at <<<"$positions"
    local config=$RIG_RUN/xorg.conf number xorg=(Xorg)
    # Xorg takes a configuration file from any place only from root.
    [ "$(id -u)" -eq 0 ] || xorg=(sudo -n Xorg)
    rig_write_xorg_config "$config"
    for number in $(seq 100 160); do
        if [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; then
            continue
        fi
        "${xorg[@]}" ":$number" -noreset -nolisten tcp -config "$config" -logfile "$RIG_RUN/xorg.$number.log" \
            >"$RIG_RUN/xorg.$number.out" 2>&1 &
        RIG_XORG_PID=$!
        wait_until 20 "Xorg on :$number" rig_display_settled "$number" || true
        if rig_display_ours "$number"; then
            RIG_DISPLAY_NUMBER=$number
            break
        fi
        # Another server took the number between the look and the start, or this one failed.
        kill "$RIG_XORG_PID" 2>/dev/null || true
        wait "$RIG_XORG_PID" 2>/dev/null || true
        RIG_XORG_PID=
    done
    [ -n "$RIG_DISPLAY_NUMBER" ] || rig_fail "no X server could be started (see $RIG_RUN/xorg.*.log)"
    export DISPLAY=":$RIG_DISPLAY_NUMBER"

    # The modes may exist already on a reused server: BadName is fine there.
    xrandr --newmode "1920x1080" 173.00 1920 2048 2248 2576 1080 1083 1088 1120 -hsync +vsync 2>/dev/null || true
    xrandr --newmode "1280x1024" 109.00 1280 1368 1496 1712 1024 1027 1034 1063 -hsync +vsync 2>/dev/null || true
    xrandr --addmode DUMMY0 1920x1080 2>/dev/null || true
    xrandr --addmode DUMMY1 1280x1024 2>/dev/null || true
    xrandr --output DUMMY0 --mode 1920x1080 --pos "$primary_at" --primary \
        --output DUMMY1 --mode 1280x1024 --pos "$second_at" || rig_fail "xrandr could not set up the two outputs"
    # Wine reads the "current" RandR resources, which stay stale until a full query has run.
    xrandr --verbose >/dev/null
    wait_until 10 "two RandR monitors" rig_two_monitors || rig_fail "the X server does not show two monitors"
    local expected_x
    expected_x=$(printf '1920/x1080/+%s+%s DUMMY0\n1280/x1024/+%s+%s DUMMY1' \
        "${primary_at%x*}" "${primary_at#*x}" "${second_at%x*}" "${second_at#*x}")
    [ "$(rig_x_monitors)" = "$expected_x" ] ||
        rig_fail "layout $RIG_LAYOUT: X shows the monitors as $(rig_x_monitors | tr '\n' ' '), expected $(
            printf '%s\n' "$expected_x" | tr '\n' ' ')"
    RIG_ORIGIN_X=${primary_at%x*}
    RIG_ORIGIN_Y=${primary_at#*x}
    RIG_EXPECTED_MONITORS=$(printf 'rect=%s primary=1\nrect=%s primary=0' \
        "$(rig_wine_rect "$primary_at" 1920 1080)" "$(rig_wine_rect "$second_at" 1280 1024)")
    rig_log "display $DISPLAY up with two monitors, layout $RIG_LAYOUT: $(rig_x_monitors | tr '\n' ' ')"
}

# The RandR monitors as "W/xH/+X+Y OUTPUT" lines (physical sizes dropped), in the order X lists them.
rig_x_monitors() {
    xrandr --listmonitors 2>/dev/null | awk 'NR > 1 { geometry = $3; gsub(/\/[0-9]+/, "/", geometry); print geometry, $4 }'
}

# rig_wine_rect XxY WIDTH HEIGHT: the rectangle of an output at that X position in Wine's
# coordinates, once RIG_ORIGIN_X and RIG_ORIGIN_Y are known.
rig_wine_rect() {
    local x=$((${1%x*} - RIG_ORIGIN_X)) y=$((${1#*x} - RIG_ORIGIN_Y))
    echo "$x,$y,$((x + $2)),$((y + $3))"
}

# The monitors that Wine reports, as "rect=L,T,R,B primary=P" lines in enumeration order.
rig_wine_monitors() { probe monitors | awk -F'\t' '$1 == "monitor" { print $3, $5 }'; }
rig_wine_monitors_expected() {
    [ "$(rig_wine_monitors | sort)" = "$(printf '%s\n' "$RIG_EXPECTED_MONITORS" | sort)" ]
}

# expect_wine_monitors: once the prefix is made, Wine must report the layout's two monitors (in
# any order; the work areas are checked by the tests that use them). What it reports is logged.
expect_wine_monitors() {
    if ! wait_until 20 "Wine to report the monitors of layout $RIG_LAYOUT" rig_wine_monitors_expected; then
        rig_log "layout $RIG_LAYOUT: Wine reports"
        probe monitors >&2 || true
        rig_fail "layout $RIG_LAYOUT: Wine does not report the monitors $(printf '%s\n' "$RIG_EXPECTED_MONITORS" |
            tr '\n' ';') but $(rig_wine_monitors | tr '\n' ';')"
    fi
    rig_log "layout $RIG_LAYOUT: Wine reports"
    probe monitors | cut -f2-5 >&2
}

stop_display() {
    if [ -n "${RIG_XORG_PID:-}" ]; then
        kill "$RIG_XORG_PID" 2>/dev/null || true
        local waited=0
        while kill -0 "$RIG_XORG_PID" 2>/dev/null && [ $waited -lt 50 ]; do
            sleep 0.1
            waited=$((waited + 1))
        done
        kill -9 "$RIG_XORG_PID" 2>/dev/null || true
        wait "$RIG_XORG_PID" 2>/dev/null || true
        RIG_XORG_PID=
    fi
}

# --- Wine ---------------------------------------------------------------------------------------

# A prepared prefix is made once (about ten seconds) and copied for every run (well under one).
rig_template_prefix() {
    local template=$E2E_WORK/prefix-template version
    version=$(wine --version 2>/dev/null)
    exec 9>"$E2E_WORK/prefix-template.lock"
    flock -w 120 9 || rig_fail "another run holds the prefix template lock"
    if [ ! -f "$template/.rig-ready" ] || [ "$(cat "$template/.rig-ready")" != "$version" ]; then
        local started fresh
        started=$(rig_now)
        rm -rf "$template" "$template.new"
        fresh=$template.new
        mkdir -p "$fresh"
        # No display: wineboot must not open windows on a test server.
        WINEPREFIX=$fresh DISPLAY='' timeout 120 wineboot -i >/dev/null 2>&1 ||
            rig_fail "wineboot could not create a prefix"
        WINEPREFIX=$fresh timeout 60 wineserver -w || true
        echo "$version" >"$fresh/.rig-ready"
        mv "$fresh" "$template"
        rig_log "prefix template created in $(rig_elapsed "$started")s"
    fi
    exec 9>&-
    RIG_TEMPLATE=$template
}

# The copy shares system32 (about 630 of the prefix's 700 MB: Wine's own libraries, which nothing
# writes to at run time) through hard links and copies the rest: registry, profile, settings.
make_prefix() {
    rig_template_prefix
    local started libraries=drive_c/windows/system32
    started=$(rig_now)
    mkdir -p "$RIG_RUN/prefix"
    tar -C "$RIG_TEMPLATE" --exclude="./$libraries" -cf - . | tar -C "$RIG_RUN/prefix" -xf - ||
        rig_fail "could not copy the prefix"
    cp -al "$RIG_TEMPLATE/$libraries" "$RIG_RUN/prefix/$libraries" || rig_fail "could not link the prefix's libraries"
    export WINEPREFIX=$RIG_RUN/prefix
    rig_log "prefix copied in $(rig_elapsed "$started")s"
}

# The Windows path of a Unix path (through the Z: drive that every prefix has).
rig_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# start_app: copies cellaro.exe into a fresh program directory (so CRO.cfg is written there) and
# starts it in the background. Sets RIG_PROGRAM_DIR, RIG_APP_PID, RIG_APP_STARTED.
start_app() {
    RIG_PROGRAM_DIR=$RIG_RUN/program
    mkdir -p "$RIG_PROGRAM_DIR"
    cp "$CELLARO_EXE" "$RIG_PROGRAM_DIR/cellaro.exe"
    # A start without CRO.cfg is a first start: the tray icon shows its balloon (wait_tray).
    RIG_FIRST_START=
    [ -e "$RIG_PROGRAM_DIR/CRO.cfg" ] || RIG_FIRST_START=1
    RIG_APP_STARTED=$(rig_now)
    rm -f "$RIG_RUN/app.status"
    (
        cd "$RIG_PROGRAM_DIR" || exit 1
        status=0
        wine cellaro.exe >"$RIG_RUN/app.out" 2>&1 || status=$?
        echo "$status" >"$RIG_RUN/app.status"
    ) &
    RIG_APP_PID=$!
}

# For failure messages: whether the program still runs, or how it ended.
app_state() {
    if app_running; then
        echo "cellaro.exe is running"
    else
        echo "cellaro.exe has ended with status $(cat "$RIG_RUN/app.status" 2>/dev/null)"
    fi
}

app_running() { [ -n "${RIG_APP_PID:-}" ] && kill -0 "$RIG_APP_PID" 2>/dev/null; }
app_gone() { ! app_running; }

# wait_app_exit SECONDS: true when the program has ended within the time; sets RIG_APP_STATUS.
wait_app_exit() {
    wait_until "$1" "cellaro.exe to end" app_gone || return 1
    wait "$RIG_APP_PID" 2>/dev/null || true
    RIG_APP_STATUS=$(cat "$RIG_RUN/app.status" 2>/dev/null || echo unknown)
    RIG_APP_PID=
}

# probe ARGS...: runs probe.exe in the run's prefix, bounded in time; its lines on stdout.
probe() { timeout 30 wine "$PROBE_EXE" "$@" 2>/dev/null; }

# probe_read ARGS...: for the probe's questions that always answer with a line (regrun, foreground,
# doubleclick ...). A probe started while the wine server is winding down after the program's exit
# can end without running at all; an empty answer is asked again, up to three times.
probe_read() {
    local answer attempt
    for attempt in 1 2 3; do
        answer=$(probe "$@" || true)
        if [ -n "$answer" ]; then
            printf '%s\n' "$answer"
            return 0
        fi
        rig_log "the probe gave no answer to '$*' (attempt $attempt)"
        timeout 10 wineserver -w >/dev/null 2>&1 || true
    done
    return 1
}

# Probe lines are "key=value" fields separated by tabs; field LINE KEY prints the value of KEY.
field() { printf '%s\n' "$1" | tr '\t' '\n' | sed -n "s/^$2=//p" | head -n1; }

# --- real input ---------------------------------------------------------------------------------

# Two presses of one button on one spot (within the double-click rectangle) closer together than
# the double-click time arrive as a double-click: a tray icon then reports 0x203 instead of a
# second click, a window gets WM_LBUTTONDBLCLK. The system remembers the last press per process,
# not per screen, so a press in between on another program's window does not break the pair.
# Every press of the tests goes through rig_click or rig_press, which space a press from the last
# one of the same button near the same point by more than the double-click time that the system
# reports (read once per run through the probe).
RIG_DOUBLE_CLICK_MS=
RIG_DOUBLE_CLICK_WIDTH=
RIG_DOUBLE_CLICK_HEIGHT=
RIG_CLICK_MARGIN_MS=100 # the press's X time is earlier than the moment the script notes it
RIG_PRESSES=()          # "BUTTON X Y MS" of every press made in this run

rig_now_ms() { date +%s%3N; }
rig_time_reached() { [ "$(rig_now_ms)" -ge "$1" ]; }

rig_read_double_click() {
    [ -z "$RIG_DOUBLE_CLICK_MS" ] || return 0
    local line
    # The first probe of a run may meet a prefix still settling under load: a few bounded tries.
    local try
    for try in 1 2 3; do
        line=$(probe doubleclick) && break
        rig_log "reading the double-click time failed (try $try): $line"
        line=
    done
    [ -n "$line" ] || rig_fail "the probe could not read the double-click time"
    RIG_DOUBLE_CLICK_MS=$(field "$line" ms)
    RIG_DOUBLE_CLICK_WIDTH=$(field "$line" width)
    RIG_DOUBLE_CLICK_HEIGHT=$(field "$line" height)
    [[ $RIG_DOUBLE_CLICK_MS =~ ^[0-9]+$ && $RIG_DOUBLE_CLICK_WIDTH =~ ^[0-9]+$ &&
        $RIG_DOUBLE_CLICK_HEIGHT =~ ^[0-9]+$ ]] || rig_fail "odd double-click metrics: $line"
    rig_log "double-click time ${RIG_DOUBLE_CLICK_MS} ms, rectangle ${RIG_DOUBLE_CLICK_WIDTH}x$RIG_DOUBLE_CLICK_HEIGHT"
}

# rig_space_press BUTTON: with the pointer where the press will go, waits until no earlier press of
# that button near this point is within the double-click time any more.
rig_space_press() {
    local button=$1 X Y SCREEN WINDOW entry pressed_button pressed_x pressed_y pressed_ms latest=0
    rig_read_double_click
    eval "$(xdotool getmouselocation --shell)"
    for entry in "${RIG_PRESSES[@]}"; do
        read -r pressed_button pressed_x pressed_y pressed_ms <<<"$entry"
        # The system's test: closer than half the rectangle's width and height.
        if [ "$pressed_button" = "$button" ] && [ $((2 * (X > pressed_x ? X - pressed_x : pressed_x - X))) -lt \
            "$RIG_DOUBLE_CLICK_WIDTH" ] && [ $((2 * (Y > pressed_y ? Y - pressed_y : pressed_y - Y))) -lt \
            "$RIG_DOUBLE_CLICK_HEIGHT" ] && [ "$pressed_ms" -gt "$latest" ]; then
            latest=$pressed_ms
        fi
    done
    RIG_PRESS_X=$X
    RIG_PRESS_Y=$Y
    [ "$latest" -gt 0 ] || return 0
    local due=$((latest + RIG_DOUBLE_CLICK_MS + RIG_CLICK_MARGIN_MS))
    rig_time_reached "$due" && return 0
    rig_log "press of button $button at $X,$Y held back $((due - $(rig_now_ms))) ms: not a double-click"
    wait_until $((RIG_DOUBLE_CLICK_MS / 1000 + 2)) "the double-click time to pass" rig_time_reached "$due" ||
        rig_fail "the clock did not reach $due"
}

rig_note_press() { RIG_PRESSES+=("$1 $RIG_PRESS_X $RIG_PRESS_Y $(rig_now_ms)"); }

# rig_move [--window W] X Y: the pointer to that point of the screen in Wine's coordinates (or of
# the X window W), once the X server has it there. From then on the window under the pointer gets
# the move before any press that follows, in the order the server sends them, so a press needs no
# pause after a move.
# "xdotool mousemove --sync" waits for a movement, and when the pointer is there already it waits
# long for one that never comes, so the point is compared first.
rig_move() {
    local x y X Y SCREEN WINDOW
    if [ "$1" = --window ]; then
        local left top
        read -r left top _ _ <<<"$(window_geometry "$2")"
        x=$((left + $3))
        y=$((top + $4))
    else
        x=$(($1 + RIG_ORIGIN_X))
        y=$(($2 + RIG_ORIGIN_Y))
    fi
    eval "$(xdotool getmouselocation --shell)"
    [ "$X,$Y" = "$x,$y" ] || xdotool mousemove --sync "$x" "$y"
}

# rig_click BUTTON [MOVE-ARGUMENTS...]: a real click (press and release) of the button, after
# moving the pointer with rig_move if arguments are given.
rig_click() {
    local button=$1
    shift
    [ $# -eq 0 ] || rig_move "$@"
    rig_space_press "$button"
    xdotool click "$button"
    rig_note_press "$button"
}

# rig_press BUTTON [MOVE-ARGUMENTS...]: the button goes down there and stays down (a drag).
rig_press() {
    local button=$1
    shift
    [ $# -eq 0 ] || rig_move "$@"
    rig_space_press "$button"
    xdotool mousedown "$button"
    rig_note_press "$button"
}

# --- the tray icon ------------------------------------------------------------------------------

# The X window Wine draws its own notification area in (there is no XEmbed tray on this server).
tray_window() { xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n1; }
rig_tray_shown() { [ -n "$(tray_window)" ]; }
rig_tray_gone() { ! rig_tray_shown; }

rig_tray_shown_or_app_gone() { rig_tray_shown || app_gone; }

# wait_tray SECONDS: sets RIG_TRAY to the tray window and logs the time since start_app; gives up
# at once when the program ends first. On a first start it then waits for the tray icon's balloon,
# keeps its text (escaped like every probe text) in RIG_BALLOON and clicks it away, so that it
# covers nothing a test looks at or clicks; with RIG_KEEP_BALLOON set the balloon stays. A balloon
# that does not come is logged and leaves RIG_BALLOON empty.
wait_tray() {
    wait_until "$1" "the tray icon" rig_tray_shown_or_app_gone && rig_tray_shown || return 1
    RIG_TRAY=$(tray_window)
    rig_log "tray icon shown $(rig_elapsed "$RIG_APP_STARTED")s after the start"
    RIG_BALLOON=
    [ -n "${RIG_FIRST_START:-}" ] || return 0
    if ! wait_until 20 "the first start's balloon" balloon_read; then
        rig_log "no balloon on the first start"
        return 0
    fi
    RIG_BALLOON=$(sed -n 's/^tooltip\ttext=//p' "$RIG_RUN/balloon.txt")
    rig_log "first start's balloon: $RIG_BALLOON"
    [ -z "${RIG_KEEP_BALLOON:-}" ] || return 0
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$(balloon_rect)"
    rig_click 1 $(((left + right) / 2)) $(((top + bottom) / 2))
    wait_until 15 "the balloon to go after a click on it" balloon_gone || rig_log "the balloon stays after a click"
}

balloon_read() { probe balloon >"$RIG_RUN/balloon.txt" && grep -q '^tooltip' "$RIG_RUN/balloon.txt"; }
# The shown balloon's rectangle, "left,top,right,bottom": the tooltip window with TTS_BALLOON.
balloon_rect() {
    local line style
    while IFS= read -r line; do
        style=$(field "$line" style)
        if [ -n "$style" ] && [ $((style & 0x40)) -ne 0 ]; then
            field "$line" rect
            return 0
        fi
    done < <(probe windows | grep $'\tclass=tooltips_class32\t' || true)
}
balloon_gone() { [ -z "$(balloon_rect)" ]; }

tooltip_read() { probe tooltip >"$RIG_RUN/tooltip.txt" && grep -q '^tooltip' "$RIG_RUN/tooltip.txt"; }

# read_tray_hint SECONDS: rests the pointer on the tray icon until its tooltip shows; its text
# (escaped like every probe text) is left in RIG_HINT.
read_tray_hint() {
    local attempt
    for attempt in 1 2; do
        xdotool mousemove --window "$RIG_TRAY" 8 8 sleep 0.2 mousemove --window "$RIG_TRAY" 9 9
        if wait_until "$1" "the tray tooltip (attempt $attempt)" tooltip_read; then
            RIG_HINT=$(sed -n 's/^tooltip\ttext=//p' "$RIG_RUN/tooltip.txt")
            return 0
        fi
        xdotool mousemove 600 600 # away, so the next rest on the icon starts a new tooltip
    done
    return 1
}

menu_open() { probe menu >"$RIG_RUN/menu.txt" && grep -q '^item' "$RIG_RUN/menu.txt"; }

# click_tray BUTTON: a click on the program's icon (the first one in the notification area).
click_tray() { rig_click "$1" --window "$RIG_TRAY" 5 5; }

# open_tray_menu SECONDS: right-clicks the tray icon; the probe's description of the open menu is
# left in RIG_MENU (lines "menu ..." then "item ...").
open_tray_menu() {
    click_tray 3
    wait_until "$1" "the tray menu" menu_open || return 1
    RIG_MENU=$(cat "$RIG_RUN/menu.txt")
}

# menu_item_line TEXT-PREFIX: the probe line of the first top-level item whose text starts so.
menu_item_line() {
    printf '%s\n' "$RIG_MENU" | awk -F'\t' -v want="$1" '
        $1 == "item" && $2 !~ /\./ {
            for (i = 2; i <= NF; i++) if ($i ~ /^text=/) text = substr($i, 6)
            if (index(text, want) == 1) { print; exit }
        }'
}

# The open menu shows the item with this text prefix selected (the pointer is over it).
menu_item_selected() {
    menu_open || return 1
    RIG_MENU=$(cat "$RIG_RUN/menu.txt")
    [ "$(field "$(menu_item_line "$1")" hilite)" = 1 ]
}

# click_menu_item TEXT-PREFIX: a real left click in the middle of that item of the open menu, once
# the menu shows the item selected under the pointer.
click_menu_item() {
    local line rect x y
    line=$(menu_item_line "$1")
    [ -n "$line" ] || rig_fail "the open menu has no item \"$1\""
    rect=$(field "$line" rect)
    [ "$rect" != none ] || rig_fail "no rectangle for the menu item \"$1\""
    IFS=, read -r left top right bottom <<<"$rect"
    x=$(((left + right) / 2))
    y=$(((top + bottom) / 2))
    rig_move "$x" "$y"
    wait_until 10 "the menu item \"$1\" selected under the pointer" menu_item_selected "$1" ||
        rig_fail "the menu does not show \"$1\" selected with the pointer at $x,$y: $(cat "$RIG_RUN/menu.txt")"
    rig_click 1
}

menu_closed() { ! probe windows | grep -q $'\tclass=#32768\t'; }

# screenshot NAME [X Y W H]: the whole screen (or that part, in Wine's coordinates) to the
# artefacts directory.
screenshot() {
    local target=$E2E_ARTIFACTS/$1.png
    if [ $# -ge 5 ]; then
        import -window root -crop "${4}x${5}+$(($2 + RIG_ORIGIN_X))+$(($3 + RIG_ORIGIN_Y))" +repage "$target"
    else
        import -window root "$target"
    fi
    rig_log "screenshot $target"
}

# X geometry of a window as "X Y W H".
window_geometry() {
    xdotool getwindowgeometry --shell "$1" |
        awk -F= '/^X=/ { x = $2 } /^Y=/ { y = $2 } /^WIDTH=/ { w = $2 } /^HEIGHT=/ { h = $2 } END { print x, y, w, h }'
}

# menu_summary: the open menu (RIG_MENU) as "INDEX FLAGS TEXT" lines, tab-separated; a separator
# is just "INDEX separator" whatever state the system reports for it.
menu_summary() {
    printf '%s\n' "$RIG_MENU" | awk -F'\t' '
        $1 == "item" {
            index_ = flags = text = ""
            for (i = 2; i <= NF; i++) {
                if ($i ~ /^index=/) index_ = substr($i, 7)
                else if ($i ~ /^flags=/) flags = substr($i, 7)
                else if ($i ~ /^text=/) text = substr($i, 6)
            }
            if (flags ~ /separator/) print index_ "\tseparator"
            else print index_ "\t" flags "\t" text
        }'
}

# --- checks -------------------------------------------------------------------------------------

# rig_args CELLARO_EXE PROBE_EXE: the two programs every test is given by ctest.
rig_args() {
    CELLARO_EXE=${1:?path of cellaro.exe}
    PROBE_EXE=${2:?path of probe.exe}
    local file
    for file in "$CELLARO_EXE" "$PROBE_EXE" "$(dirname "$PROBE_EXE")/probe_hook.dll"; do
        [ -f "$file" ] || rig_fail "$file is missing: build the Windows preset first (cmake --build --preset windows)"
    done
}

# expect_equal WHAT EXPECTED ACTUAL
expect_equal() {
    if [ "$2" != "$3" ]; then
        rig_log "$1: expected"
        printf '%s\n' "$2" >&2
        rig_log "$1: but got"
        printf '%s\n' "$3" >&2
        diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2 || true
        rig_fail "$1"
    fi
    rig_log "ok: $1"
}

# Faults that leave the rest of a run meaningful: rig_fault notes one and the run goes on;
# expect_no_faults, at the end, fails the test naming them all.
RIG_FAULTS=()
rig_fault() {
    rig_log "FAULT: $*"
    RIG_FAULTS+=("$*")
}
expect_no_faults() {
    [ "${#RIG_FAULTS[@]}" -eq 0 ] && return 0
    rig_log "${#RIG_FAULTS[@]} fault(s):"
    printf '  %s\n' "${RIG_FAULTS[@]}" >&2
    rig_fail "${#RIG_FAULTS[@]} fault(s) of $RIG_NAME"
}

# expect_file_bytes WHAT FILE BYTES (with printf's backslash escapes): the file holds exactly these bytes.
expect_file_bytes() {
    local expected=$RIG_RUN/expected.bytes
    printf '%b' "$3" >"$expected"
    [ -f "$2" ] || rig_fail "$1: $2 does not exist"
    if ! cmp -s "$expected" "$2"; then
        rig_log "$1: expected bytes"
        od -c "$expected" >&2
        rig_log "$1: but $2 holds"
        od -c "$2" >&2
        rig_fail "$1"
    fi
    rig_log "ok: $1"
}

# ini_value FILE SECTION KEY: the value of KEY in [SECTION] of an INI file with CR LF lines, or
# nothing when the file, the section or the key is missing.
ini_value() {
    [ -f "$1" ] || return 0
    tr -d '\r' <"$1" | awk -v section="[$2]" -v key="$3" '
        /^\[/ { inside = ($0 == section); next }
        inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

# file_has_bytes FILE BYTES: for waiting until a file reaches a state.
file_has_bytes() { [ -f "$1" ] && cmp -s <(printf '%b' "$2") "$1"; }

# --- notepad, the target of most tests, and the monitors ------------------------------------------

readonly NOTEPAD_TITLE="Untitled - Notepad"
# The first visible notepad's probe line, and its fields.
notepad_line() { probe find "$NOTEPAD_TITLE" | grep $'\tvisible=1\t' | head -n1; }
notepad_shown() { [ -n "$(notepad_line)" ]; }
notepad_field() { field "$(notepad_line)" "$1"; }
notepad_rect_is() { [ "$(notepad_field rect)" = "$1" ]; }
notepad_is_foreground() { probe foreground | grep -q $'\ttitle=Untitled - Notepad$'; }
# notepad_is RECT ZOOMED: at this rectangle, maximised (1) or not (0).
notepad_is() {
    local line
    line=$(notepad_line)
    [ "$(field "$line" rect)" = "$1" ] && [ "$(field "$line" zoomed)" = "$2" ]
}
# The probe line of the top-level window with this handle, shown or not.
window_line() { probe windows all | grep -P "^window\thwnd=$1\t" | head -n1; }

# The tray hint names the program's target between two line breaks.
RIG_HINT=
target_is_notepad() { read_tray_hint 3 && [[ $RIG_HINT == *'\r\nUntitled - Notepad\r\n'* ]]; }

# make_notepad_target: a click into the middle of notepad makes it the foreground window, which the
# tracking adopts as its target; the tray hint, which names the target, must name it. Under Wine
# a click on the tray icon makes the notification area's own window (titled "Wine System Tray") the
# foreground window for a moment, and the tracking may take it for the target: after a click on the
# tray icon a test makes notepad the target again this way.
make_notepad_target() {
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$(notepad_field rect)"
    rig_click 1 $(((left + right) / 2)) $(((top + bottom) / 2))
    wait_until 10 "notepad in the foreground" notepad_is_foreground ||
        rig_fail "notepad is not the foreground window: $(probe foreground || true)"
    wait_until 20 "the tray hint to name notepad" target_is_notepad ||
        rig_fail "the target is not notepad: tray hint \"$RIG_HINT\""
    rig_log "notepad at $(notepad_field rect) is the target"
}

# "left,top,right,bottom" of the monitor with this index (EnumDisplayMonitors order), or its work area.
monitor_rect() { field "$(probe monitors | grep -P "^monitor\tindex=$1\t")" "${2:-rect}"; }

# A / B rounded to the nearest integer, halves to even.
divide_half_even() {
    local quotient=$(($1 / $2)) remainder=$(($1 % $2))
    if [ $((2 * remainder)) -gt "$2" ] || { [ $((2 * remainder)) -eq "$2" ] && [ $((quotient % 2)) -eq 1 ]; }; then
        quotient=$((quotient + 1))
    fi
    echo "$quotient"
}

# --- the working window -------------------------------------------------------------------------

# The board of the compact working window: 320 x 195 at (6, 30) of its client area (below the
# 26-pixel title strip, 4 pixels into the page), cut into 6 x 6 cells of 53 x 32 board pixels.
readonly BOARD_X=6 BOARD_Y=30 BOARD_CELL_WIDTH=53 BOARD_CELL_HEIGHT=32 BOARD_COLUMNS=6 BOARD_ROWS=6
# The compact working window's size and, in its client area, the middles of the title strip's page
# buttons Grid (the board) and Arrange (the window commands), and a point of the status strip that
# drags the window.
readonly WORKING_WIDTH=335 WORKING_HEIGHT=267
readonly GRID_PAGE_X=24 ARRANGE_PAGE_X=88 PAGE_BUTTON_Y=16 STRIP_X=5 STRIP_Y=250
# The anchor pad of the Arrange page in reading order: top left, top centre ... bottom right.
readonly ANCHORS=(x1 X2 X3 X4 X5 X6 X7 X8 X9)

# The working window is the program's one visible window of the compact size titled "Cellaro" (the
# preview rectangle carries that title as well); once a test sets working_window_hwnd it is known
# by its handle.
working_window_hwnd=
working_window_line() {
    if [ -n "$working_window_hwnd" ]; then
        probe windows | grep -P "^window\thwnd=$working_window_hwnd\t" | head -n1
    else
        probe windows | grep $'\ttitle=Cellaro$' | awk -F'\t' '{
            for (i = 2; i <= NF; i++) if ($i ~ /^rect=/) split(substr($i, 6), r, ",")
            if (r[3] - r[1] == 335 && r[4] - r[2] == 267) { print; exit }
        }'
    fi
}
working_window_shown() { [ -n "$(working_window_line)" ]; }
working_window_hidden() { ! working_window_shown; }
working_window_origin() { field "$(working_window_line)" rect | cut -d, -f1,2 | tr , ' '; }
working_window_at() { [ "$(working_window_origin)" = "$1 $2" ]; }
working_window_resting() { [ "$(field "$(working_window_line)" alpha)" = 200 ]; }

# show_working_window: a left click on the tray icon shows the working window (hidden until then);
# sets working_window_hwnd. It shows at 220 and rests at 200 once active, and its first activation
# after a show centres it on its monitor: that is waited for, so that a drag of it that follows is
# not undone by the centring.
show_working_window() {
    click_tray 1
    wait_until 20 "the working window" working_window_shown || rig_fail "a left click on the tray icon showed nothing"
    working_window_hwnd=$(field "$(working_window_line)" hwnd)
    wait_until 10 "the working window active" working_window_resting ||
        rig_fail "the working window did not become active: $(working_window_line)"
    rig_log "working window shown: $(working_window_line)"
}

# Screen point of the middle of board cell (column, row) of the working window.
cell_point() {
    local origin_x origin_y
    read -r origin_x origin_y <<<"$(working_window_origin)"
    echo "$((origin_x + BOARD_X + $1 * BOARD_CELL_WIDTH + BOARD_CELL_WIDTH / 2))" \
        "$((origin_y + BOARD_Y + $2 * BOARD_CELL_HEIGHT + BOARD_CELL_HEIGHT / 2))"
}

# press_and_move FROM_X FROM_Y TO_X TO_Y: the left button goes down at the first point and the
# pointer travels to the second in a few steps; the button stays down.
press_and_move() {
    local step steps=5
    rig_press 1 "$1" "$2" # the window sees the pointer arrive before the press (rig_move)
    for step in $(seq 1 $steps); do
        rig_move $(($1 + ($3 - $1) * step / steps)) $(($2 + ($4 - $2) * step / steps))
        sleep 0.05 # a hand's pace; what counts is where the pointer ends, which the callers wait for
    done
}

# board_range_rect MONITOR C0 R0 C1 R1: the window rectangle the range of these cells of the compact
# board maps to on that monitor: columns share the monitor's width (rounded, halves to even), rows
# the work area's height (truncated), counted from the monitor's top left corner.
board_range_rect() {
    local left top right bottom work_top work_bottom cell_width cell_height
    IFS=, read -r left top right bottom <<<"$(monitor_rect "$1")"
    IFS=, read -r _ work_top _ work_bottom <<<"$(monitor_rect "$1" work)"
    cell_width=$(divide_half_even $((right - left)) "$BOARD_COLUMNS")
    cell_height=$(((work_bottom - work_top) / BOARD_ROWS))
    local min_column=$(($2 < $4 ? $2 : $4)) max_column=$(($2 > $4 ? $2 : $4))
    local min_row=$(($3 < $5 ? $3 : $5)) max_row=$(($3 > $5 ? $3 : $5))
    local x=$((left + min_column * cell_width)) y=$((top + min_row * cell_height))
    echo "$x,$y,$((x + (max_column - min_column + 1) * cell_width)),$((y + (max_row - min_row + 1) * cell_height))"
}

# The press has reached the window with this handle: its thread holds the mouse capture on it.
window_has_capture() { [ "$(field "$(probe capture "$1")" hwnd)" = "$1" ]; }

# move_working_window LEFT TOP: drags the working window by its status strip until its top left
# corner is at that point, in a few steps. The window follows the cursor's travel from where the
# cursor is when the program handles the press, which comes late when the press first activates the
# window: so the pointer moves only once the press has reached the window (it holds the capture),
# and each step waits until the window has followed.
move_working_window() {
    local left top from_x from_y step steps=5 step_left step_top hwnd
    hwnd=$(field "$(working_window_line)" hwnd)
    read -r left top <<<"$(working_window_origin)"
    from_x=$((left + STRIP_X))
    from_y=$((top + STRIP_Y))
    rig_press 1 "$from_x" "$from_y"
    if ! wait_until 10 "the press on the status strip to reach the working window" window_has_capture "$hwnd"; then
        xdotool mouseup 1
        rig_fail "a press on the working window's status strip did not reach it: $(probe capture "$hwnd")"
    fi
    for step in $(seq 1 $steps); do
        step_left=$((left + ($1 - left) * step / steps))
        step_top=$((top + ($2 - top) * step / steps))
        rig_move $((step_left + STRIP_X)) $((step_top + STRIP_Y))
        wait_until 10 "the working window to follow the pointer to $step_left,$step_top" \
            working_window_at "$step_left" "$step_top" || break
    done
    xdotool mouseup 1
    wait_until 10 "the working window at $1,$2" working_window_at "$1" "$2" ||
        rig_fail "dragging the status strip from $left,$top to $1,$2 left the working window at $(working_window_origin)"
    rig_log "working window dragged to $1,$2"
}

# working_window_onto MONITOR: drags the working window to the middle of that monitor.
working_window_onto() {
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$(monitor_rect "$1")"
    move_working_window $(((left + right) / 2 - WORKING_WIDTH / 2)) $(((top + bottom) / 2 - WORKING_HEIGHT / 2))
}

# show_page Grid|Arrange: a click on that page's button in the title strip.
show_page() {
    local x origin_x origin_y
    case $1 in
    Grid) x=$GRID_PAGE_X ;;
    Arrange) x=$ARRANGE_PAGE_X ;;
    *) rig_fail "no page button $1" ;;
    esac
    read -r origin_x origin_y <<<"$(working_window_origin)"
    rig_click 1 $((origin_x + x)) $((origin_y + PAGE_BUTTON_Y))
}

# anchor_point NAME: the middle of that anchor button in the working window's client area (the pad's
# buttons are 64 x 38, 66 x 40 apart, from (65, 60) of the page below the 26-pixel title strip).
anchor_point() {
    local index
    for index in "${!ANCHORS[@]}"; do
        [ "${ANCHORS[$index]}" = "$1" ] && break
    done
    [ "${ANCHORS[$index]}" = "$1" ] || rig_fail "no anchor button $1"
    echo "$((63 + 2 + (index % 3) * 66 + 32))" "$((26 + 58 + 2 + (index / 3) * 40 + 19))"
}

# anchor_rect MONITOR NAME WIDTH HEIGHT: where that anchor puts a window of this size when the
# working window is on that monitor, measured from the monitor's own edges: horizontally across its
# bounds, vertically from its top to its work area's bottom; the middle is rounded down.
anchor_rect() {
    local left top right work_bottom index x y
    IFS=, read -r left top right _ <<<"$(monitor_rect "$1")"
    IFS=, read -r _ _ _ work_bottom <<<"$(monitor_rect "$1" work)"
    for index in "${!ANCHORS[@]}"; do
        [ "${ANCHORS[$index]}" = "$2" ] && break
    done
    case $((index % 3)) in
    0) x=$left ;;
    1) x=$((left + (right - left) / 2 - $3 / 2)) ;;
    2) x=$((right - $3)) ;;
    esac
    case $((index / 3)) in
    0) y=$top ;;
    1) y=$((top + (work_bottom - top) / 2 - $4 / 2)) ;;
    2) y=$((work_bottom - $4)) ;;
    esac
    echo "$x,$y,$((x + $3)),$((y + $4))"
}

# --- the full-screen grid -----------------------------------------------------------------------

# choose_tray_item TEXT: the tray menu opened with a right click on the icon and the item chosen
# with a left click; sets CHOSEN_AT to the moment of the click.
choose_tray_item() {
    open_tray_menu 20 || rig_fail "the tray menu did not open ($(app_state))"
    local item
    item=$(menu_item_line "$1")
    [ -n "$item" ] || rig_fail "no \"$1\" in the tray menu: $RIG_MENU"
    [[ "$(field "$item" flags)" != *grayed* ]] || rig_fail "\"$1\" is not available: $item"
    click_menu_item "$1"
    CHOSEN_AT=$(rig_now)
}

# layer_rect_over MONITOR: the full-screen layer's rectangle over that monitor: its top left corner,
# the size of its work area.
layer_rect_over() {
    local left top work_left work_top work_right work_bottom
    IFS=, read -r left top _ _ <<<"$(monitor_rect "$1")"
    IFS=, read -r work_left work_top work_right work_bottom <<<"$(monitor_rect "$1" work)"
    echo "$left,$top,$((left + work_right - work_left)),$((top + work_bottom - work_top))"
}

# The open layer's rectangle and its cells across and down (the board fills the layer); the callers
# set them once the layer shows.
LAYER_RECT=
LAYER_CELLS=

# layer_cell_point COLUMN ROW: the screen point of the middle of that cell of the open layer.
layer_cell_point() {
    local left top right bottom width height
    IFS=, read -r left top right bottom <<<"$LAYER_RECT"
    width=$(((right - left) / LAYER_CELLS))
    height=$(((bottom - top) / LAYER_CELLS))
    echo "$((left + $1 * width + width / 2))" "$((top + $2 * height + height / 2))"
}

# layer_range_rect MONITOR C0 R0 C1 R1: where the range of these cells of the open layer places the
# target: the left and top of its first cell on the layer's board (board width / cells and board
# height / cells, both truncated, from the layer's corner), the size as on the compact board:
# columns share the monitor's width (rounded, halves to even), rows its work area's height
# (truncated).
layer_range_rect() {
    local left top right bottom work_top work_bottom board_left board_top board_right board_bottom
    IFS=, read -r left top right bottom <<<"$(monitor_rect "$1")"
    IFS=, read -r _ work_top _ work_bottom <<<"$(monitor_rect "$1" work)"
    IFS=, read -r board_left board_top board_right board_bottom <<<"$LAYER_RECT"
    local cell_width cell_height board_cell_width board_cell_height
    cell_width=$(divide_half_even $((right - left)) "$LAYER_CELLS")
    cell_height=$(((work_bottom - work_top) / LAYER_CELLS))
    board_cell_width=$(((board_right - board_left) / LAYER_CELLS))
    board_cell_height=$(((board_bottom - board_top) / LAYER_CELLS))
    local min_column=$(($2 < $4 ? $2 : $4)) max_column=$(($2 > $4 ? $2 : $4))
    local min_row=$(($3 < $5 ? $3 : $5)) max_row=$(($3 > $5 ? $3 : $5))
    local x=$((left + min_column * board_cell_width)) y=$((top + min_row * board_cell_height))
    echo "$x,$y,$((x + (max_column - min_column + 1) * cell_width)),$((y + (max_row - min_row + 1) * cell_height))"
}
