#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix, on the virtual X display.
# The Windows build's CMAKE_CROSSCOMPILING_EMULATOR: CTest runs the tests and GoogleTest's test
# discovery through it, and test scripts find it in VORPANE_WINE_EMULATOR.
#
#   emulator.sh [--dir DIR] [--display :N] PROGRAM [ARGUMENT...]
#
# It exits with the program's exit code as Wine passes it on: the low eight bits (-1 becomes
# 255; Wine makes a nonzero code with a zero low byte 1, so a failure never looks like success).
# It creates the prefix if it is missing, but starts neither Xvfb nor the persistent wineserver:
# that is the fixture's work (setup.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$here/common.sh"

wine_parse_options "$@"
((${#wine_args[@]})) || wine_die "usage: emulator.sh [--dir DIR] [--display :N] PROGRAM [ARGUMENT...]"
wine_find_tools
wine_export_environment
if ! wine_prefix_ready; then
    wine_lock
    wine_create_prefix
    wine_unlock
fi

# NOTE: the Windows C runtime writes "\r\n" for every "\n" on stdout. CTest's GoogleTest discovery
# would keep the "\r" in each test's name, and the test would then match no test and pass, so
# the "\r" before each line end is dropped. stderr is passed on as it is.
if [[ -e /proc/$$/fd/0 ]]; then exec {stdin}<&0; else exec {stdin}</dev/null; fi
exec {stdout}> >(exec sed -u 's/\r$//')
filter=$!
# Stopping the emulator (CTest on a timeout, a test script's kill) stops the program: the
# emulator hands on the signals it can catch, and if it is killed outright the program gets a
# SIGTERM as its parent dies. The program runs in the background for that; it gets the
# emulator's stdin explicitly, since a background job would otherwise read /dev/null.
setpriv --pdeathsig TERM -- "$wine_loader" "${wine_args[@]}" <&"$stdin" >&"$stdout" {stdin}<&- {stdout}>&- &
program=$!
exec {stdin}<&- {stdout}>&-
trap 'kill -TERM "$program" 2>/dev/null || true' TERM INT HUP
status=0
wait "$program" || status=$?
# A trapped signal ends the wait early; wait again for the program's own exit code.
while wine_alive "$program"; do
    status=0
    wait "$program" || status=$?
done
# The caller may read the output as soon as the emulator returns: let the filter finish first.
# A process the program started may have inherited its stdout and outlive it; the filter then
# never sees the end of its input, and it is stopped rather than holding up the caller for good.
for ((tries = 0; tries < 250; tries++)); do
    wine_alive "$filter" || break
    sleep 0.02
done
kill "$filter" 2>/dev/null || true
wait "$filter" 2>/dev/null || true
exit "$status"
