#!/usr/bin/env bash
# What Vorpane.scr costs when it runs full screen under Wine on the 1024x768 virtual display of the
# Windows tests: the time from start to the first frame of the escape-time image on screen, then
# over SECONDS (default 30) the worker thread's share of one core and the GUI thread's CPU time
# per frame (with Mesa's rendering threads, which work for it).
# Run after the mingw build: bash bench/wine_saver_cost.sh [SECONDS]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-30}
build=build/mingw
wine_dir=$build/wine
display=:97
tools=tools/wine

bash "$tools/setup.sh" --dir "$wine_dir" --display "$display" >/dev/null
trap 'bash "$tools/cleanup.sh" --dir "$wine_dir" --display "$display" >/dev/null' EXIT
export DISPLAY=$display VORPANE_WINE_DIR=$wine_dir VORPANE_WINE_DISPLAY=$display

ticks() { # PID NAME-PATTERN: utime + stime of the process's threads whose name matches
    local total=0
    for task in /proc/"$1"/task/*; do
        if [[ $(cat "$task/comm" 2>/dev/null) =~ $2 ]]; then
            total=$((total + $(awk '{ print $14 + $15 }' "$task/stat")))
        fi
    done
    echo "$total"
}

xdotool mousemove 512 384
started=$(date +%s.%N)
bash "$tools/emulator.sh" "$build/host/Vorpane.scr" /s &
launcher=$!
first_frame=""
for _ in $(seq 200); do
    if python3 - <<'PY'
import sys
sys.path.insert(0, "tests")
from e2e_support import palette_share, screenshot
sys.exit(0 if palette_share(screenshot()) > 0.5 else 1)
PY
    then
        first_frame=$(date +%s.%N)
        break
    fi
done
pid=$(pgrep -f 'Vorpane.scr /s' | while read -r p; do [[ $(cat /proc/$p/comm) == Vorpane.scr ]] && echo "$p"; done | head -1)
sleep 5
hz=$(getconf CLK_TCK)
w0=$(ticks "$pid" '^vorpane-worker$')
g0=$(ticks "$pid" '^(Vorpane.scr|llvmpipe-[0-9]+)$')
sleep "$seconds"
w1=$(ticks "$pid" '^vorpane-worker$')
g1=$(ticks "$pid" '^(Vorpane.scr|llvmpipe-[0-9]+)$')
xdotool key q
wait "$launcher" || true
awk -v s="$started" -v f="$first_frame" -v w=$((w1 - w0)) -v g=$((g1 - g0)) -v hz="$hz" -v secs="$seconds" 'BEGIN {
    if (f != "") printf "start to first frame on screen: %.2f s\n", f - s
    printf "worker: %.1f%% of one core\n", 100 * w / hz / secs
    printf "GUI thread and Mesa: %.1f%% of one core, %.2f ms CPU per frame at 20 frames a second\n",
           100 * g / hz / secs, 1000 * g / hz / (secs * 20) }'
