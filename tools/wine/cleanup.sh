#!/usr/bin/env bash
# Takes down the Wine fixture of a build tree after its tests: stops the tree's wineserver, and
# with it every Windows program a test left running, and the Xvfb that setup.sh started. The
# prefix stays, so the next run does not create it again. Harmless when nothing runs.
#
#   cleanup.sh [--dir DIR] [--display :N]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$here/common.sh"

wine_parse_options "$@"
((${#wine_args[@]} == 0)) || wine_die "usage: cleanup.sh [--dir DIR] [--display :N]"
[[ -d $wine_dir ]] || exit 0
wine_find_tools
wine_export_environment
wine_lock

if [[ -n $(wine_server_pid) ]]; then
    "$wine_server" -k 9>&- >/dev/null 2>&1 || true
    timeout 30 "$wine_server" -w 9>&- >/dev/null 2>&1 || true
    [[ -z $(wine_server_pid) ]] || wine_die "the wineserver of $wine_prefix did not stop"
    echo "cleanup: stopped the wineserver"
fi

if [[ -f $wine_dir/xvfb.pid ]]; then
    pid=$(cat "$wine_dir/xvfb.pid")
    # Only the Xvfb recorded here: the pid may since belong to another process.
    if [[ $pid =~ ^[0-9]+$ ]] && wine_alive "$pid" && [[ $(cat "/proc/$pid/comm" 2>/dev/null) == Xvfb ]]; then
        kill -TERM "$pid" 2>/dev/null || true
        for ((tries = 0; tries < 50; tries++)); do
            wine_alive "$pid" || break
            sleep 0.1
        done
        if wine_alive "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
        echo "cleanup: stopped Xvfb on $wine_display"
    fi
    rm -f "$wine_dir/xvfb.pid"
fi
