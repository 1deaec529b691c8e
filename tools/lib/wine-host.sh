# Sourced by the scripts that start Wine: which loader runs a program, whether
# this host runs 32-bit programs at all, and private X screens.
#
# Debian's `wine` command always starts the 32-bit loader when wine32 is
# installed, and some kernels refuse 32-bit programs ("32-bit emulation
# disabled"). So every program goes through the loader of its own PE machine
# type: 64-bit programs, wineboot and Wine's own tools (reg, cmd, winepath)
# through /usr/lib/wine/wine64, 32-bit programs through /usr/lib/wine/wine.
# One 64-bit prefix serves both.
#
# VERDO_NO_32BIT=1 makes any host behave as one that refuses 32-bit programs.

VERDO_WINE64=/usr/lib/wine/wine64
VERDO_WINE32=/usr/lib/wine/wine
# Exit code of a run that could not happen on this host; CTest counts it as a skip.
VERDO_SKIP_CODE=77

# Succeeds when 32-bit programs can run here. Found out once per run of the
# caller: the answer is exported as VERDO_HOST_RUNS_32BIT (1 or 0) for every
# script and program started later.
verdo_host_runs_32bit() {
    if [ -z "${VERDO_HOST_RUNS_32BIT:-}" ]; then
        if [ "${VERDO_NO_32BIT:-0}" = 1 ]; then
            VERDO_HOST_RUNS_32BIT=0
        elif [ -x "$VERDO_WINE32" ] && "$VERDO_WINE32" --version >/dev/null 2>&1; then
            VERDO_HOST_RUNS_32BIT=1
        else
            VERDO_HOST_RUNS_32BIT=0
        fi
        export VERDO_HOST_RUNS_32BIT
    fi
    [ "$VERDO_HOST_RUNS_32BIT" = 1 ]
}

# Why 32-bit programs do not run here, in one line.
verdo_no_32bit_reason() {
    if [ "${VERDO_NO_32BIT:-0}" = 1 ]; then
        echo "VERDO_NO_32BIT=1 makes this host refuse 32-bit programs"
    else
        echo "this host refuses 32-bit programs ($VERDO_WINE32 --version does not run)"
    fi
}

# The Unix file behind a program argument: a Unix path as it is, a Windows
# path through the prefix's drive letters; empty for bare names like "reg".
verdo_unix_file_of() {
    local arg=$1
    case $arg in
        /*) echo "$arg" ;;
        [A-Za-z]:[\\/]*)
            local letter=${arg:0:1} rest=${arg:3}
            rest=${rest//\\//}
            echo "${WINEPREFIX:-$HOME/.wine}/dosdevices/${letter,,}:/$rest" ;;
        */*) echo "$arg" ;;
        *) [ -f "$arg" ] && echo "$arg" ;;
    esac
}

# 32 or 64 for a Windows program file, by the machine field of its PE
# header; nothing when the file is missing or no PE image.
verdo_pe_bits() {
    local file=$1 offset signature machine
    [ -f "$file" ] || return 0
    [ "$(head -c 2 "$file" 2>/dev/null)" = MZ ] || return 0
    offset=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return 0
    signature=$(od -An -t x1 -j "$offset" -N 4 "$file" 2>/dev/null | tr -d ' ')
    [ "$signature" = 50450000 ] || return 0
    machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$file" 2>/dev/null | tr -d ' ')
    case $machine in
        014c) echo 32 ;;
        8664) echo 64 ;;
    esac
}

# The loader for the program named by the first argument of a Wine command line.
verdo_loader_for() {
    local file bits
    file=$(verdo_unix_file_of "$1")
    bits=$( [ -n "$file" ] && verdo_pe_bits "$file")
    if [ "$bits" = 32 ]; then echo "$VERDO_WINE32"; else echo "$VERDO_WINE64"; fi
}

# Starts Xvfb on a free display of its own, with a window manager:
# verdo_start_xvfb <depth> [WxH], 1024x768 unless a size is given. Sets
# VERDO_XVFB_PID and VERDO_XVFB_DISPLAY (":N"); fails with a message when the
# server gives no display number within 20 seconds.
verdo_start_xvfb() {
    local depth=$1 size=${2:-1024x768} fifo number=
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x$depth" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    VERDO_XVFB_PID=$!
    # Opened read-write, so that opening cannot block when Xvfb dies before
    # it opens its end; removed only after the read, once Xvfb has opened it.
    exec 4<>"$fifo"
    read -r -t 20 number <&4 || true
    exec 4<&-
    rm -f "$fifo"
    if [ -z "$number" ]; then
        kill "$VERDO_XVFB_PID" 2>/dev/null
        echo "Xvfb (${size}x$depth) gave no display number within 20 seconds" >&2
        VERDO_XVFB_PID=
        return 1
    fi
    VERDO_XVFB_DISPLAY=":$number"
    verdo_start_window_manager "$VERDO_XVFB_DISPLAY"
}

# Starts a window manager on the display given and waits up to 10 seconds
# until it manages the screen; it ends by itself with the X server. Users have
# one, and without one Wine waits 2 seconds for each window it takes off the
# screen to be withdrawn. Openbox with Debian's own settings, whatever the
# user's; VERDO_WINDOW_MANAGER=none leaves the screen bare.
verdo_start_window_manager() {
    local display=$1 waited=0
    [ "${VERDO_WINDOW_MANAGER:-openbox}" = none ] && return 0
    DISPLAY=$display openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >/dev/null 2>&1 &
    until DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        [ "$waited" -ge 100 ] && { echo "openbox did not take display $display within 10 seconds" >&2; return 0; }
        sleep 0.1
        waited=$((waited + 1))
    done
}
