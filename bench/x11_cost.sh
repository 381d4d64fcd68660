#!/usr/bin/env bash
# What the X11 front end costs on a 1024x768 virtual screen with Mesa's software renderer, next to
# the floor: a program that only clears, draws one textured 680x510 quad and swaps every 50 ms.
# Each runs alone on the root window of its own Xvfb for SECONDS (default 30) after a short
# warm-up; the figures are CPU time from /proc: the whole process, its main thread plus Mesa's
# rendering threads per frame, and the worker thread.
# Run: bash bench/x11_cost.sh [SECONDS] [BUILD-DIR]
set -euo pipefail
seconds=${1:-30}
build=${2:-build/native}
warmup=5

cpu_ticks() { # PID [THREAD-NAME]: utime + stime of the process, or of its threads with that name
    local pid=$1 name=${2:-} total=0
    if [[ -z $name ]]; then
        awk '{ print $14 + $15 }' "/proc/$pid/stat"
        return
    fi
    for task in /proc/"$pid"/task/*; do
        if [[ $(cat "$task/comm") == "$name" ]]; then
            total=$((total + $(awk '{ print $14 + $15 }' "$task/stat")))
        fi
    done
    echo "$total"
}

measure() { # LABEL COMMAND...
    local label=$1
    shift
    local display
    Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"/tmp/x11_cost.$$" 2>/dev/null &
    local xvfb=$!
    for _ in $(seq 50); do [[ -s /tmp/x11_cost.$$ ]] && break; sleep 0.1; done
    display=:$(head -1 "/tmp/x11_cost.$$")
    DISPLAY=$display "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep "$warmup"
    local hz total0 worker0 main0 total1 worker1 main1
    hz=$(getconf CLK_TCK)
    total0=$(cpu_ticks "$pid")
    worker0=$(cpu_ticks "$pid" vorpane-worker)
    sleep "$seconds"
    total1=$(cpu_ticks "$pid")
    worker1=$(cpu_ticks "$pid" vorpane-worker)
    kill "$pid" "$xvfb" 2>/dev/null || true
    wait "$pid" "$xvfb" 2>/dev/null || true
    rm -f "/tmp/x11_cost.$$"
    local frames=$((seconds * 20))
    awk -v l="$label" -v t=$((total1 - total0)) -v w=$((worker1 - worker0)) -v s="$seconds" -v hz="$hz" \
        -v f="$frames" 'BEGIN {
            printf "%-12s process %5.1f%% of one core   worker %4.1f%%   drawing %5.2f ms CPU per frame\n",
                   l, 100 * t / hz / s, 100 * w / hz / s, 1000 * (t - w) / hz / f }'
}

measure floor "$build/bench/floor_quad"
measure vorpane "$build/x11/vorpane" -root
