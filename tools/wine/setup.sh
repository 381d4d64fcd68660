#!/usr/bin/env bash
# Sets up the Wine fixture of a build tree, which every Windows test requires: the virtual X
# display, the tree's Wine prefix and a persistent wineserver. Running it again is harmless: it
# keeps whatever already runs and only starts or creates what is missing.
#
#   setup.sh [--dir DIR] [--display :N]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$here/common.sh"

wine_parse_options "$@"
((${#wine_args[@]} == 0)) || wine_die "usage: setup.sh [--dir DIR] [--display :N]"
wine_find_tools
wine_export_environment
command -v Xvfb >/dev/null || wine_die "Xvfb is not installed (bash tools/install-deps.sh installs it)"
command -v xdpyinfo >/dev/null || wine_die "xdpyinfo is not installed (bash tools/install-deps.sh installs it)"
wine_lock

display_answers() {
    xdpyinfo -display "$wine_display" >/dev/null 2>&1
}

start_xvfb() {
    local number=${wine_display#:}
    number=${number%%.*}
    local x_lock=/tmp/.X$number-lock pid=""
    if display_answers; then
        # Ours from an earlier run only if the display's lock names the Xvfb recorded then; a
        # display somebody else started is used but never stopped.
        if [[ -f $wine_dir/xvfb.pid && -f $x_lock ]]; then
            pid=$(tr -d ' \n' <"$x_lock")
            [[ $pid == "$(cat "$wine_dir/xvfb.pid")" ]] || rm -f "$wine_dir/xvfb.pid"
        else
            rm -f "$wine_dir/xvfb.pid"
        fi
        echo "setup: using the X display $wine_display that is already running"
        return 0
    fi
    # NOTE: an Xvfb that was killed outright leaves its lock and socket behind, and a new one
    # then refuses the display ("Server is already active for display").
    if [[ -f $x_lock ]]; then
        pid=$(tr -d ' \n' <"$x_lock")
        if [[ -z $pid ]] || ! wine_alive "$pid"; then
            rm -f "$x_lock" "/tmp/.X11-unix/X$number"
        fi
    fi
    # In a session of its own and with none of CTest's pipes, so that it outlives this test and
    # CTest does not wait for it. NOTE: -noreset, since Xvfb otherwise resets whenever its last
    # client leaves, and a Wine program connecting during the reset fails to open the display.
    setsid Xvfb "$wine_display" -screen 0 1024x768x24 -nolisten tcp -noreset \
        </dev/null >"$wine_dir/xvfb.log" 2>&1 9>&- &
    pid=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        display_answers && break
        wine_alive "$pid" || break
        sleep 0.1
    done
    if ! display_answers; then
        cat "$wine_dir/xvfb.log" >&2
        wine_die "Xvfb did not start on $wine_display"
    fi
    echo "$pid" >"$wine_dir/xvfb.pid"
    echo "setup: started Xvfb on $wine_display (pid $pid)"
}

start_wineserver() {
    local pid tries
    pid=$(wine_server_pid)
    if [[ -n $pid ]] && wine_server_persistent "$pid"; then
        echo "setup: the persistent wineserver is already running (pid $pid)"
        return 0
    fi
    if [[ -n $pid ]]; then
        # A passing server, started by a program such as the test discovery: it ends a few
        # seconds after its last program, and only then can the persistent one start.
        timeout 60 "$wine_server" -w 9>&- || "$wine_server" -k 9>&- || true
    fi
    "$wine_server" -p 9>&- </dev/null >>"$wine_dir/wineserver.log" 2>&1 ||
        wine_die "could not start a persistent wineserver (see $wine_dir/wineserver.log)"
    for ((tries = 0; tries < 50; tries++)); do
        pid=$(wine_server_pid)
        [[ -n $pid ]] && break
        sleep 0.1
    done
    [[ -n $pid ]] || wine_die "the persistent wineserver did not come up"
    # Wine's own services start with the first program a server runs; start them now, so that no
    # test pays for it.
    "$wine_loader" cmd.exe /c exit 9>&- </dev/null >>"$wine_dir/wineserver.log" 2>&1 ||
        wine_die "Wine could not run a program (see $wine_dir/wineserver.log)"
    echo "setup: started the persistent wineserver (pid $pid)"
}

start_xvfb
wine_create_prefix
start_wineserver
echo "setup: Windows programs run with WINEPREFIX=$wine_prefix DISPLAY=$wine_display"
