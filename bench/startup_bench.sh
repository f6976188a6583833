#!/usr/bin/env bash
# Whole-program benchmark: starts the built game under Xvfb exactly as a player would (its own
# folder, nothing on the command line) and measures, per run:
#   exec -> window mapped, -> first drawn frame, -> interactive (the settled picture first shown),
#   peak resident memory (VmHWM) 3 s in, CPU while idle and while the mouse moves over the
#   window (% of one core, with the busiest threads).
# With --peers the two same-colour games of the distribution (swell-foop, klickety) are measured
# the same way, interleaved run by run. With --scenarios the game is also driven through its
# screens: options and score table idle, a Classic game on the largest board idle, busy
# (blocks clicked away) and paused, with the peak memory of that game. Prints one table of medians.
#
# Usage: bench/startup_bench.sh [--runs N] [--peers] [--scenarios] [--shots DIR] [GAME_DIR]
#   GAME_DIR: the folder holding brixeler3d and Data/Resource.Kvr (default: build/game).
#   --shots DIR: keeps a screenshot (PNG) of every screen the scenarios visit, for comparing
#   the pictures of two builds.
#   --base DIR: also measures the game built in DIR (an earlier build), as "base", interleaved
#   run by run with the others; with --scenarios and --shots its screens go to DIR-base shots.
# Needs Xvfb, xdotool and the start probe (built as build*/bench/brx_start_probe, or compiled
# here from bench/probe/StartProbe.cpp when a compiler and the Xdamage headers are present).
# No figure here is a pass/fail test: the numbers are for the notes.
set -euo pipefail

HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(dirname "$HERE")"
RUNS=7
PEERS=0
SCENARIOS=0
GAME_DIR=""
SHOTS=""
BASE_DIR=""
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) RUNS="$2"; shift 2 ;;
        --peers) PEERS=1; shift ;;
        --scenarios) SCENARIOS=1; shift ;;
        --shots) SHOTS="$(mkdir -p "$2" && realpath "$2")"; shift 2 ;;
        --base) BASE_DIR="$(realpath "$2")"; shift 2 ;;
        -h|--help) sed -n 2,16p "$0"; exit 0 ;;
        *) GAME_DIR="$1"; shift ;;
    esac
done
GAME_DIR="$(realpath "${GAME_DIR:-$ROOT/build/game}")"
WATCH_MS=2500     # how long the probe watches the start
SAMPLE_S=5        # length of each CPU sample
SETTLE_S=1.5      # after a screen switch, before sampling

# One X server and one session bus for everything, as on a desktop.
if [ -z "${BRX_BENCH_INNER:-}" ]; then
    export BRX_BENCH_INNER=1
    exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$0" --runs "$RUNS" $([ $PEERS = 1 ] && echo --peers) \
        $([ $SCENARIOS = 1 ] && echo --scenarios) ${SHOTS:+--shots "$SHOTS"} \
        ${BASE_DIR:+--base "$BASE_DIR"} "$GAME_DIR"
fi

WORK="$(mktemp -d /tmp/brx-bench.XXXXXX)"
RESULTS="$WORK/results.txt"
: >"$RESULTS"
PID=""
cleanup() {
    [ -n "$PID" ] && kill -KILL "$PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

find_probe() {
    local probe
    for probe in "$ROOT"/build*/bench/brx_start_probe; do
        [ -x "$probe" ] && { echo "$probe"; return; }
    done
    c++ -O2 -std=c++20 -o "$WORK/brx_start_probe" "$HERE/probe/StartProbe.cpp" -lX11 -lXdamage \
        || { echo "no start probe: build brx_start_probe or install libxdamage-dev" >&2; exit 2; }
    echo "$WORK/brx_start_probe"
}
PROBE="$(find_probe)"

record() {  # record <program> <measure> <value>
    echo "$1 $2 $3" >>"$RESULTS"
}

field() {  # field <name> <probe output>
    echo "$2" | tr ' ' '\n' | sed -n "s/^$1=//p"
}

# Processor time of every thread, one line per thread: "<thread id> <ticks> <name>", in clock
# ticks but read from the scheduler's nanosecond count where the kernel keeps one: user and
# system ticks are charged whole at each timer tick, which over a short sample of a thread
# waking 25 times a second reads anywhere from nothing to several times its real share.
thread_ticks() {
    local pid="$1" task hz
    hz="$(getconf CLK_TCK)"
    for task in /proc/"$pid"/task/*; do
        if [ -r "$task/schedstat" ]; then
            awk -v hz="$hz" -v id="${task##*/}" -v name="$(tr ' ' _ <"$task/comm" 2>/dev/null)" \
                '{ printf "%s %.3f %s\n", id, $1 * hz / 1e9, name }' "$task/schedstat" \
                2>/dev/null || true
            continue
        fi
        # The name sits in parentheses and may hold spaces; the times follow it.
        awk -v id="${task##*/}" '{ line = $0; name = substr(line, index(line, "(") + 1);
               name = substr(name, 1, index(name, ")") - 1); gsub(/ /, "_", name);
               rest = substr(line, index(line, ")") + 2); split(rest, f, " ");
               print id, f[12] + f[13], name }' "$task/stat" 2>/dev/null || true
    done
}

# CPU share of one core over SAMPLE_S seconds while "$@" runs (or just waiting); records the
# total and prints the busiest thread names.
sample_cpu() {
    local program="$1" measure="$2" pid="$3"
    shift 3
    local hz before after
    hz="$(getconf CLK_TCK)"
    before="$(thread_ticks "$pid")"
    if [ $# -gt 0 ]; then "$@" & local driver=$!; fi
    sleep "$SAMPLE_S"
    after="$(thread_ticks "$pid")"
    [ $# -gt 0 ] && { kill "$driver" 2>/dev/null || true; wait "$driver" 2>/dev/null || true; }
    local table
    # Threads are matched by id and then summed by name: several threads may share a name (the
    # program's own unnamed workers), and matching by name would count each pair of them.
    table="$(join -a 2 <(echo "$before" | sort -k1,1) <(echo "$after" | sort -k1,1) 2>/dev/null |
        awk -v hz="$hz" -v s="$SAMPLE_S" '{ b = (NF == 5 ? $2 : 0); a = (NF == 5 ? $4 : $2);
            t[$3] += (a - b) } END { for (n in t) printf "%.1f %s\n", 100 * t[n] / hz / s, n }' |
        sort -rn)"
    local total
    total="$(echo "$table" | awk '{ s += $1 } END { printf "%.1f", s }')"
    record "$program" "$measure" "$total"
    echo "$program $measure: $total % ($(echo "$table" | head -n 3 | tr '\n' ' '))" >&2
}

# Moves the pointer over the window in circles, ~100 moves a second, until killed.
move_pointer() {
    local window="$1" i x y
    while :; do
        local chain=()
        for i in $(seq 0 99); do
            x=$((400 + (i % 20) * 10 - 100))
            y=$((300 + (i / 20) * 20 - 50))
            chain+=(mousemove --window "$window" "$x" "$y" sleep 0.01)
        done
        xdotool "${chain[@]}" >/dev/null 2>&1 || return 0
    done
}

# Clicks random points of the board area, four times a second, until killed.
click_board() {
    local window="$1"
    while :; do
        xdotool mousemove --window "$window" $((150 + RANDOM % 500)) $((80 + RANDOM % 460)) \
            click 1 sleep 0.25 >/dev/null 2>&1 || return 0
    done
}

vm_hwm_mib() {
    awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"
}

# A private copy of the game with its own settings and score tables.
install_game() {  # install_game [build folder]
    local from="${1:-$GAME_DIR}"
    rm -rf "$WORK/game"
    mkdir -p "$WORK/game/Data"
    cp "$from/brixeler3d" "$WORK/game/"
    ln -s "$from/Data/Resource.Kvr" "$WORK/game/Data/Resource.Kvr"
    [ -f "$WORK/System.Cfg" ] && cp "$WORK/System.Cfg" "$WORK/game/Data/System.Cfg"
    return 0
}

# Starts a program under the probe and records its start figures; sets PID and WINDOW.
start_measured() {
    local program="$1"
    shift
    local out
    mkdir -p "$WORK/home"
    out="$(cd "$WORK" && HOME="$WORK/home" BRX_PROBE_LOG="$WORK/$program.log" \
        "$PROBE" "$WATCH_MS" "$@")" || true
    PID="$(field pid "$out")"
    WINDOW="$(field window "$out")"
    record "$program" mapped_ms "$(field mapped_ms "$out")"
    record "$program" first_frame_ms "$(field first_frame_ms "$out")"
    record "$program" interactive_ms "$(field interactive_ms "$out")"
    echo "$program: $out" >&2
}

stop_program() {
    [ -n "$PID" ] || return 0
    kill -TERM "$PID" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$PID" 2>/dev/null || true
    PID=""
}

measure_start_and_idle() {
    local program="$1"
    shift
    start_measured "$program" "$@"
    if [ -z "$PID" ] || [ "$WINDOW" = "0" ]; then stop_program; return; fi
    sleep 0.5  # 3 s since exec
    record "$program" peak_rss_mib "$(vm_hwm_mib "$PID")"
    sample_cpu "$program" idle_cpu "$PID"
    sample_cpu "$program" mouse_cpu "$PID" move_pointer "$WINDOW"
    stop_program
}

# The game's screens, clicked as a player would (window pixels of an 800 x 600 window).
click_at() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" click 1 >/dev/null 2>&1
    sleep "$SETTLE_S"
}
press_escape() {
    xdotool key --window "$WINDOW" Escape >/dev/null 2>&1
    sleep "$SETTLE_S"
}
park_pointer() {  # out of the way of every control
    xdotool mousemove --window "$WINDOW" 790 590 >/dev/null 2>&1
}
screenshot() {  # screenshot <name>: the window's picture into the --shots folder
    [ -n "$SHOTS" ] || return 0
    mkdir -p "$SHOTS/$LABEL"
    xwd -silent -id "$WINDOW" >"$WORK/shot.xwd" &&
        python3 "$HERE/shot_tools.py" png "$WORK/shot.xwd" "$SHOTS/$LABEL/$1.png" || true
}

# The largest board: DifficultyLevel 3 in the settings the game wrote on its first run.
make_impossible_settings() {
    python3 - "$1" "$2" <<'EOF'
import sys
def scramble(data):
    key, out = 0x21, bytearray()
    for b in data:
        out.append(b ^ key)
        key = 0x21 if key == 0xE7 else key + 1
    return bytes(out)
text = scramble(open(sys.argv[1], 'rb').read()).decode('latin-1')
lines = [('DifficultyLevel=3' if l.strip().startswith('DifficultyLevel=') else l)
         for l in text.split('\n')]
open(sys.argv[2], 'wb').write(scramble('\n'.join(lines).encode('latin-1')))
EOF
}

measure_scenarios() {  # measure_scenarios <label> <build folder>
    LABEL="$1"
    local from="$2"
    install_game "$from"
    start_measured "$LABEL-screens" "$WORK/game/brixeler3d"
    [ -n "$PID" ] || return 0
    park_pointer
    screenshot menu
    click_at 400 237
    park_pointer
    screenshot options
    sample_cpu "$LABEL" options_idle_cpu "$PID"
    press_escape
    click_at 400 279
    park_pointer
    screenshot scores
    sample_cpu "$LABEL" scores_idle_cpu "$PID"
    stop_program
    [ -f "$WORK/game/Data/System.Cfg" ] && make_impossible_settings "$WORK/game/Data/System.Cfg" \
        "$WORK/System.Cfg"
    install_game "$from"
    start_measured "$LABEL-classic" "$WORK/game/brixeler3d"
    [ -n "$PID" ] || return 0
    click_at 400 195  # New game
    # The game selection lets the first dozen events after it opens go by.
    for i in $(seq 1 16); do xdotool mousemove --window "$WINDOW" $((380 + i)) 128 >/dev/null 2>&1; done
    click_at 400 128  # Classic
    screenshot select
    sleep 4           # the intro flies in
    park_pointer
    screenshot classic
    sample_cpu "$LABEL" classic_idle_cpu "$PID"
    sample_cpu "$LABEL" classic_busy_cpu "$PID" click_board "$WINDOW"
    screenshot classic-busy
    record "$LABEL" classic_peak_rss_mib "$(vm_hwm_mib "$PID")"
    park_pointer
    xdotool key --window "$WINDOW" p >/dev/null 2>&1  # pause
    sleep "$SETTLE_S"
    screenshot classic-paused
    sample_cpu "$LABEL" classic_paused_cpu "$PID"
    stop_program
    rm -f "$WORK/System.Cfg"
}

for run in $(seq 1 "$RUNS"); do
    echo "--- run $run of $RUNS" >&2
    install_game
    measure_start_and_idle game "$WORK/game/brixeler3d"
    if [ -n "$BASE_DIR" ]; then
        install_game "$BASE_DIR"
        measure_start_and_idle base "$WORK/game/brixeler3d"
    fi
    if [ "$PEERS" = 1 ]; then
        command -v swell-foop >/dev/null || PATH="$PATH:/usr/games"
        rm -rf "$WORK/home"
        measure_start_and_idle swell-foop swell-foop
        rm -rf "$WORK/home"
        measure_start_and_idle klickety klickety
    fi
    if [ "$SCENARIOS" = 1 ]; then
        measure_scenarios game "$GAME_DIR"
        [ -n "$BASE_DIR" ] && measure_scenarios base "$BASE_DIR"
    fi
done

echo
echo "Medians of $RUNS runs (times in ms since exec, CPU in % of one core, memory in MiB):"
awk '{ v[$1 " " $2] = v[$1 " " $2] " " $3 }
     END { for (k in v) print k, v[k] }' "$RESULTS" | sort |
    while read -r program measure values; do
        # -1 is a run whose window never showed: left out of the median (it is no time) and counted.
        median="$(echo "$values" | tr ' ' '\n' | grep -v '^$' | { grep -v '^-' || true; } | sort -g |
            awk '{ a[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print a[(NR + 1) / 2];
                  else printf "%.1f\n", (a[NR / 2] + a[NR / 2 + 1]) / 2 }')"
        missed="$(echo "$values" | tr ' ' '\n' | grep -c '^-' || true)"
        printf "%-14s %-22s %10s%s\n" "$program" "$measure" "$median" \
            "$([ "$missed" -gt 0 ] && echo " ($missed runs without a window left out)")"
    done
