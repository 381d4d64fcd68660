# shellcheck shell=bash
# Shared by emulator.sh, setup.sh and cleanup.sh; sourced, not run.
#
# Each build tree keeps its Wine state in one directory (--dir, normally <build>/wine):
#   prefix/      the Wine prefix, so that tests never touch ~/.wine
#   lock         serialises creating the prefix and starting or stopping the fixture
#   xvfb.pid     the Xvfb that setup.sh started, which cleanup.sh stops
#   *.log        what Wine and Xvfb said while the fixture was set up
# The options --dir DIR and --display :N may also come from VORPANE_WINE_DIR and
# VORPANE_WINE_DISPLAY, which the Windows tests carry in their environment.

wine_die() {
    echo "${0##*/}: $*" >&2
    exit 1
}

# Reads the leading options into wine_dir and wine_display; leaves the rest in wine_args.
wine_parse_options() {
    wine_dir=${VORPANE_WINE_DIR:-}
    wine_display=${VORPANE_WINE_DISPLAY:-}
    while (($#)); do
        case $1 in
            --dir) (($# >= 2)) || wine_die "--dir needs a directory"; wine_dir=$2; shift 2 ;;
            --display) (($# >= 2)) || wine_die "--display needs a display such as :97"; wine_display=$2; shift 2 ;;
            --) shift; break ;;
            *) break ;;
        esac
    done
    # shellcheck disable=SC2034 # read by the scripts that source this file
    wine_args=("$@")
    [[ -n $wine_dir ]] || wine_die "no Wine directory: pass --dir DIR or set VORPANE_WINE_DIR"
    [[ $wine_dir == /* ]] || wine_dir=$PWD/$wine_dir
    [[ -n $wine_display ]] || wine_die "no X display: pass --display :N or set VORPANE_WINE_DISPLAY"
    [[ $wine_display =~ ^:[0-9]+(\.[0-9]+)?$ ]] || wine_die "the X display must look like :97, not '$wine_display'"
    wine_prefix=$wine_dir/prefix
}

# Finds the loader for 64-bit programs and the wineserver that belongs to it.
wine_find_tools() {
    # NOTE: Debian 12 keeps wine64 in /usr/lib/wine, off PATH; its `wine` wrapper warns about a
    # missing wine32 on every start. Newer Wine has a single `wine` loader.
    wine_loader=$(command -v wine64 || true)
    [[ -n $wine_loader ]] || { [[ -x /usr/lib/wine/wine64 ]] && wine_loader=/usr/lib/wine/wine64; }
    [[ -n $wine_loader ]] || wine_loader=$(command -v wine || true)
    [[ -n $wine_loader ]] || wine_die "Wine is not installed (bash tools/install-deps.sh installs it)"
    # The server the loader starts on its own is the one beside it; talk to that one.
    wine_server=$(dirname "$wine_loader")/wineserver
    [[ -x $wine_server ]] || wine_server=$(command -v wineserver || true)
    [[ -n $wine_server ]] || wine_die "wineserver is not installed"
}

# The environment every Wine process of this build tree runs in.
wine_export_environment() {
    export WINEPREFIX=$wine_prefix
    export WINEARCH=win64
    export WINELOADER=$wine_loader
    # VORPANE_WINEDEBUG lets a developer see Wine's channels (e.g. +opengl) for one run.
    export WINEDEBUG=${VORPANE_WINEDEBUG:--all}
    # Without Mono and Gecko a new prefix does not offer to download them: nothing waits for a click.
    # VORPANE_WINEDLLOVERRIDES adds a test's own overrides (mpr=n to load a stand-in MPR.DLL).
    export WINEDLLOVERRIDES="${VORPANE_WINEDLLOVERRIDES:+$VORPANE_WINEDLLOVERRIDES;}mscoree,mshtml="
    export DISPLAY=$wine_display
}

# Takes the build tree's Wine lock on fd 9. Every long-lived process started while it is held
# must get `9>&-`, or it would hold the lock for as long as it runs.
wine_lock() {
    mkdir -p "$wine_dir"
    exec 9>"$wine_dir/lock"
    flock -w 900 9 || wine_die "timed out waiting for $wine_dir/lock"
}

wine_unlock() {
    exec 9>&-
}

wine_prefix_ready() {
    [[ -f $wine_prefix/.vorpane-ready ]]
}

# Creates the prefix unless it is complete. Call with the lock held.
wine_create_prefix() {
    wine_prefix_ready && return 0
    local started=$SECONDS log=$wine_dir/prefix.log
    echo "${0##*/}: creating the Wine prefix $wine_prefix (this takes a while)" >&2
    # A prefix without the mark is left over from an interrupted creation: start afresh.
    [[ $wine_prefix == */prefix ]] || wine_die "refusing to clear '$wine_prefix'"
    "$wine_server" -k 9>&- >/dev/null 2>&1 || true
    "$wine_server" -w 9>&- >/dev/null 2>&1 || true
    rm -rf -- "$wine_prefix"
    # Created headless on purpose: the prefix does not depend on a display, and so the
    # emulator can create it for CTest's test discovery before the fixture has started Xvfb.
    # NOTE: on an unhandled exception Wine starts winedbg, which with a display shows a crash
    # dialog that waits for a click, and without one races the crashing program: in about a
    # third of the runs the program then exits with 0, and a crashed test passes. With no
    # debugger to start (Debugger=false) the program ends at once with the exception's code;
    # the dialog stays off for whoever turns winedbg back on to get a backtrace.
    # NOTE: with no window manager on the display, Wine waits up to 2 s for one to withdraw a
    # top-level window that is being destroyed, so a saver took 2 s to end after a key press.
    # Unmanaged windows (Managed=N) are not waited for.
    if ! (
        unset DISPLAY
        "$wine_loader" wineboot -i &&
            "$wine_loader" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                /v Debugger /t REG_SZ /d false /f &&
            "$wine_loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
            "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f &&
            "$wine_server" -w
    ) 9>&- </dev/null >"$log" 2>&1; then
        cat "$log" >&2
        wine_die "could not create the Wine prefix $wine_prefix"
    fi
    touch "$wine_prefix/.vorpane-ready"
    echo "${0##*/}: created the Wine prefix in $((SECONDS - started)) s" >&2
}

# True if the process exists and is not a zombie (an exited child nobody reaped yet).
wine_alive() {
    local stat
    read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
    stat=${stat##*) } # the name in parentheses may hold spaces; the state follows it
    [[ -n $stat && ${stat%% *} != Z ]]
}

# The pid of the wineserver serving this prefix, if one runs. It works in a directory named after
# the prefix's device and inode (/tmp/wine-XXXXXX/server-<dev>-<inode> in Wine 8).
wine_server_pid() {
    local proc comm cwd prefix server_dir
    prefix=$(realpath -e "$wine_prefix" 2>/dev/null) || return 0
    server_dir=$(stat -c '%d %i' "$prefix") || return 0
    # shellcheck disable=SC2086 # two numbers
    server_dir=server-$(printf '%x-%x' $server_dir)
    for proc in /proc/[0-9]*; do
        read -r comm 2>/dev/null <"$proc/comm" || continue
        [[ $comm == wineserver* ]] || continue
        cwd=$(readlink "$proc/cwd" 2>/dev/null) || continue
        if [[ ${cwd##*/} == "$server_dir" || $cwd == "$prefix" ]]; then
            echo "${proc#/proc/}"
            return 0
        fi
    done
}

# True if the wineserver with this pid stays when its last program ends: its last -p option is
# a bare -p (Debian's wrapper passes -p0 before the caller's options).
wine_server_persistent() {
    local arg persistence=""
    while IFS= read -r -d '' arg; do
        [[ $arg == -p* || $arg == --persistent* ]] && persistence=$arg
    done <"/proc/$1/cmdline"
    [[ $persistence == -p || $persistence == --persistent ]]
}
