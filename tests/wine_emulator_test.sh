#!/usr/bin/env bash
# Runs tests/wine_probe.cpp through the Wine emulator, as the fixture's environment names it, and
# checks that what the program did reaches the caller: exit codes (a failure must never pass),
# output with Unix line ends, input, and that stopping the emulator stops the program.
#   wine_emulator_test.sh WINE_PROBE_EXE
set -euo pipefail
probe=${1:?usage: wine_emulator_test.sh WINE_PROBE_EXE}
run=${VORPANE_WINE_EMULATOR:?no VORPANE_WINE_EMULATOR: run this test through CTest}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Exit codes: what the emulator must return for each run of the probe, and how often to run it.
# Wine passes on the low eight bits; a code whose low byte is 0 must still come back as a
# failure. A crash is run repeatedly, since Wine's crash handling can race the program's exit.
while read -r expected runs arguments; do
    for ((run_number = 0; run_number < runs; run_number++)); do
        status=0
        # shellcheck disable=SC2086 # the arguments are words
        timeout 120 "$run" "$probe" $arguments </dev/null >"$work/out" 2>&1 || status=$?
        if ((status == 124)); then
            fail "'$arguments' did not end (a dialog waiting for a click?)"
        elif [[ $expected == nonzero ]]; then
            ((status != 0)) || fail "'$arguments' returned 0"
        elif ((status != expected)); then
            fail "'$arguments' returned $status, not $expected"
            cat "$work/out"
        fi
    done
done <<'CASES'
0       1  exit 0
1       1  exit 1
3       1  exit 3
255     1  exit -1
nonzero 1  exit 256
nonzero 1  exit 512
5       10 crash
3       1  abort
CASES

# Output: Unix line ends, and complete as soon as the emulator has returned.
"$run" "$probe" lines </dev/null >"$work/lines"
printf 'first\nsecond\n' | cmp -s - "$work/lines" || fail "output came back as $(od -c "$work/lines" | head -3)"

# Input reaches the program.
printf 'alpha\nbeta\n' | "$run" "$probe" echo >"$work/echo"
printf 'alpha\nbeta\n' | cmp -s - "$work/echo" || fail "input came back as $(od -c "$work/echo" | head -3)"

# Stopping the emulator stops the program, whether it can catch the signal or not: a test that
# kills a saver it started must not leave it running.
probe_running() {
    local proc comm
    for proc in /proc/[0-9]*; do
        read -r comm 2>/dev/null <"$proc/comm" || continue
        [[ $comm == wine_probe.exe ]] && grep -qsF -- "$1" "$proc/cmdline" && return 0
    done
    return 1
}
for signal in TERM KILL; do
    mark=stop-me-$signal-$$-$RANDOM
    "$run" "$probe" sleep 120 "$mark" </dev/null &
    emulator=$!
    for ((tries = 0; tries < 200; tries++)); do
        probe_running "$mark" && break
        sleep 0.1
    done
    if ! probe_running "$mark"; then
        fail "the sleeping probe did not start"
    else
        kill -s "$signal" "$emulator"
        for ((tries = 0; tries < 100; tries++)); do
            probe_running "$mark" || break
            sleep 0.1
        done
        probe_running "$mark" && fail "the probe still runs after its emulator got SIG$signal"
    fi
    kill -KILL "$emulator" 2>/dev/null || true
    wait "$emulator" 2>/dev/null || true
done

# A process the program leaves behind holding its stdout must not hold up the emulator (nor,
# through it, CTest) once the program itself has ended.
mark=left-behind-$$-$RANDOM
status=0
timeout 90 "$run" "$probe" spawn "$mark" </dev/null >"$work/spawn" || status=$?
if ((status == 124)); then
    fail "the emulator waited for a process the program left behind"
elif ((status != 0)); then
    fail "'spawn' returned $status"
fi
grep -qx spawned "$work/spawn" || fail "the output of 'spawn' was lost"
for proc in /proc/[0-9]*; do
    read -r comm 2>/dev/null <"$proc/comm" || continue
    [[ $comm == wine_probe.exe ]] && grep -qsF -- "$mark" "$proc/cmdline" && kill -TERM "${proc#/proc/}" 2>/dev/null
done

((failures == 0)) || { echo "$failures failures"; exit 1; }
echo "The emulator passed on exit codes, output, input and stops"
