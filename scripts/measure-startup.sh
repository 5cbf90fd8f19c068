#!/usr/bin/env bash
# Measures cellaro.exe under Wine on the end-to-end rig: the time from the launch to the tray icon
# (several runs, each in a fresh copy of the prefix), the size of the executable, the memory of the
# running process after start and its CPU share while idle with the working window hidden.
#
#   scripts/measure-startup.sh [CELLARO_EXE [PROBE_EXE [RUNS [IDLE_SECONDS]]]]
#
# The defaults are the Windows build's programs, 3 runs and 30 idle seconds. Memory and CPU are
# read from /proc of the Unix process that Wine runs cellaro.exe in, after the last run's start;
# the CPU of wineserver over the same interval is reported beside it, as the program's timers make
# it work too.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$repo/build/windows
exe=${1:-$build/src/platform/win32/cellaro.exe}
probe_exe=${2:-$build/tests/e2e/probe/probe.exe}
runs=${3:-3}
idle_seconds=${4:-30}

# shellcheck source=tests/e2e/rig.sh
source "$repo/tests/e2e/rig.sh"
rig_args "$exe" "$probe_exe"
rig_begin measure
start_display

# The Unix process whose command line names cellaro.exe as the program (not a shell that merely
# has the path among its arguments).
cellaro_unix_pid() {
    local entry pid program
    for entry in /proc/[0-9]*/cmdline; do
        pid=${entry#/proc/}
        pid=${pid%/cmdline}
        program=$({ tr '\0' '\n' <"$entry"; } 2>/dev/null | head -n1) || continue
        case "${program,,}" in
        *cellaro.exe) echo "$pid" && return 0 ;;
        esac
    done
    return 1
}

# The Unix processes of this run's prefix (cellaro.exe, wineserver, explorer.exe and Wine's other
# services), as "PID NAME" lines.
prefix_processes() {
    local entry pid
    for entry in /proc/[0-9]*/environ; do
        pid=${entry#/proc/}
        pid=${pid%/environ}
        if [ "$({ tr '\0' '\n' <"$entry"; } 2>/dev/null | sed -n 's/^WINEPREFIX=//p')" = "$WINEPREFIX" ]; then
            echo "$pid $({ tr '\0' '\n' <"/proc/$pid/cmdline"; } 2>/dev/null | head -n1 | sed 's/ *$//')"
        fi
    done
}

# Clock ticks (user + system) a process has used so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

report() { printf '%s\n' "$*" | tee -a "$RIG_RUN/report.txt"; }

run_directory=$RIG_RUN
times=()
for run in $(seq 1 "$runs"); do
    RIG_RUN=$run_directory/run$run
    mkdir -p "$RIG_RUN"
    make_prefix
    start_app
    wait_tray 60 || rig_fail "run $run: no tray icon ($(app_state))"
    times+=("$(rig_elapsed "$RIG_APP_STARTED")")
    if [ "$run" -lt "$runs" ]; then
        timeout 10 wineserver -k >/dev/null 2>&1 || true
        wait_app_exit 20 || rig_fail "run $run: cellaro.exe did not end"
        rm -rf "$RIG_RUN/prefix"
    fi
done
RIG_RUN=$run_directory
report "time from launch to tray icon (s): ${times[*]}"

report "executable: $exe"
report "  size as built: $(stat -c %s "$exe") bytes"
stripped=$RIG_RUN/cellaro.stripped.exe
if x86_64-w64-mingw32-strip -o "$stripped" "$exe" 2>/dev/null; then
    report "  size stripped: $(stat -c %s "$stripped") bytes"
fi

pid=$(cellaro_unix_pid) || rig_fail "no Unix process runs cellaro.exe"
sleep 2 # past the start-up work
rss=$(sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$pid/status")
private_dirty=$(awk '/^Private_Dirty:/ { sum += $2 } END { print sum " kB" }' "/proc/$pid/smaps")
report "memory of cellaro.exe (Unix pid $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline")), working window hidden:"
report "  VmRSS (resident, shared Wine libraries included): $rss"
report "  Private_Dirty summed over smaps (memory only this process holds): $private_dirty"

ticks_per_second=$(getconf CLK_TCK)
share() { awk -v t="$1" -v s="$idle_seconds" -v hz="$ticks_per_second" 'BEGIN { printf "%.2f%%", 100 * t / (s * hz) }'; }
declare -A start_ticks names
while read -r process name; do
    start_ticks[$process]=$(cpu_ticks "$process" 2>/dev/null || echo 0)
    names[$process]=$name
done < <(prefix_processes)
sleep "$idle_seconds"
report "idle CPU over ${idle_seconds}s, working window hidden (share of one core, CLK_TCK $ticks_per_second):"
total=0
for process in "${!start_ticks[@]}"; do
    used=$(($(cpu_ticks "$process" 2>/dev/null || echo "${start_ticks[$process]}") - start_ticks[$process]))
    total=$((total + used))
    if [ "$used" -gt 0 ] || [ "$process" = "$pid" ]; then
        name=${names[$process]}
        report "  ${name##*[\\/]} (pid $process): $used ticks = $(share "$used")"
    fi
done
report "  all processes of the prefix: $total ticks = $(share "$total")"
cp "$RIG_RUN/report.txt" "$E2E_ARTIFACTS/measure-startup.txt"
rig_log "report kept in $E2E_ARTIFACTS/measure-startup.txt"
