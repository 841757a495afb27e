# Sourced by the scripts: the Wine settings every run shares, and the prefix set-up.
. "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Chooses how lib/wine64 starts the 64-bit loader, for this script and every one it runs, in
# WINE64_START: with the fixed address-space layout where the kernel allows it, else with brk
# refused by lib/without_brk.c, built here with the machine's C compiler. Says so in that case.
wine64_choose_start() {
    if setarch "$(uname -m)" --addr-no-randomize true 2>/dev/null; then
        export WINE64_START=fixed-layout
        return
    fi
    WINE64_START=$(native_tool without-brk "$wine_env_folder/without_brk.c") || return
    export WINE64_START
    echo "Wine's 64-bit loader starts with the kernel's own address-space layout, since the" \
        "kernel refuses it a fixed one here (personality(2) is refused, as a container's seccomp" \
        "profile does), and with brk refused, which keeps its heap off Wine's shared data" >&2
}

# The Wine loader for a program of this preset (windows-x86 or windows-x64), in $wine. Wine's
# launcher always takes its 32-bit loader when it is installed; the 64-bit loader runs 64-bit
# programs on every machine, also where the kernel runs no 32-bit code (some virtual machines),
# and starts here through lib/wine64, which keeps its heap off the page of Wine's shared data.
wine_env_folder=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
use_wine_for() {
    if [ "$1" = windows-x64 ]; then
        wine=$wine_env_folder/wine64
        export WINELOADER=/usr/lib/wine/wine64
        [ -n "${WINE64_START:-}" ] || wine64_choose_start || return
    else
        wine=wine
        unset WINELOADER
    fi
}
use_wine_for windows-x86

# Whether this machine runs 32-bit programs itself. An emulator registered for them is far too
# slow for the tests, and does not count.
wine_runs_32bit() {
    [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Wine's Marlett, which this Wine does not find in its own font folder.
wine_marlett=/usr/share/wine/fonts/marlett.ttf

# Runs one command of the prefix set-up in $WINEPREFIX with its output added to the prefix's
# log; if it fails, names it with its status and its last lines of output on stderr.
wine_prefix_step() {
    local log=$WINEPREFIX.log status=0 lines
    lines=$(wc -l <"$log")
    echo "\$ $*" >>"$log"
    "$@" >>"$log" 2>&1 || status=$?
    ((status == 0)) && return 0
    {
        echo "Wine prefix $WINEPREFIX: '$*' failed with status $status; its last lines" \
            "(all of its output is in $log):"
        tail -n +"$((lines + 2))" "$log" | tail -n 15 | sed 's/^/    /'
    } >&2
    return "$status"
}

# One attempt at the set-up of wine_prefix_ready, in $WINEPREFIX. Each command is checked here:
# errexit does not reach into a function called under &&, as this one is.
wine_prefix_make() {
    local purpose=$1
    wine_prefix_step "$wine" wineboot --init || return
    local cjk='wqy-microhei.ttc,WenQuanYi Micro Hei'
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
        wine_prefix_step "$wine" reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$cjk" /f || return
    done
    if [ "$purpose" = tests ]; then
        wine_prefix_step "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
            /t REG_DWORD /d 0 /f || return
        wine_prefix_step "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
            /d N /f || return
    fi
    wine_prefix_step cp "$wine_marlett" "$WINEPREFIX/drive_c/windows/Fonts/" || return
    wine_prefix_step wineserver -w || return
    touch "$WINEPREFIX/.ready"
}

# Creates the Wine prefix $1 once (with the loader in $wine), with links from the default UI
# fonts to a CJK font so that Chinese captions show as glyphs, and Wine's Marlett for the
# caption buttons. With a second argument "tests", the prefix is made for unattended runs: no
# crash dialog waiting for a click, and windows left unmanaged, since without a window manager
# Wine waits about two seconds each time it hides a managed window. The commands' output goes
# to $1.log. A failed set-up is tried once more from an empty prefix, after the failure is
# told: a Wine process may fail as it starts (as the 64-bit loader did before lib/wine64), and a
# half-made prefix is no start for a second try. Safe to call from parallel processes.
wine_prefix_ready() {
    local prefix=$1 purpose=${2:-}
    mkdir -p "$prefix" || return
    (
        flock 9 || exit
        [ -f "$prefix/.ready" ] && exit 0
        export WINEPREFIX=$prefix
        # Wine's error lines go to the log too: without them a failed start says nothing.
        [ "$WINEDEBUG" != -all ] || export WINEDEBUG=fixme-all
        : >"$prefix.log" || exit
        wine_prefix_make "$purpose" && exit 0
        wineserver -k >/dev/null 2>&1 || true
        echo "Setting up the Wine prefix $prefix once more, from an empty prefix" |
            tee -a "$prefix.log" >&2
        rm -rf "${prefix:?}" && mkdir "$prefix" || exit
        wine_prefix_make "$purpose"
    ) 9>"$prefix.lock"
}

# Starts the Wine session of $WINEPREFIX: the server and Wine's services, on no output of the
# caller's, which they would keep open for as long as they run (a test's output pipe, say).
wine_session_start() {
    wineserver -p </dev/null >/dev/null 2>&1
    "$wine" wineboot </dev/null >/dev/null 2>&1
}

# Starts the Wine session of $WINEPREFIX anew with LogPixels at $1, for a program that is to
# start on a monitor of that DPI: every Wine process takes its system DPI from LogPixels as it
# starts, but Wine 10 gives the monitor the DPI that its session started with, as Windows takes
# a new logon for a new scale. wine_session_end puts the session back as it was.
wine_session_at_dpi() {
    local key='HKCU\Control Panel\Desktop'
    wine_session_logpixels=$("$wine" reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' |
        awk '$1 == "LogPixels" { print $3 }' || true)
    "$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine_session_was_running=0
    wineserver -k 2>/dev/null && wine_session_was_running=1
    wineserver -w
    wine_session_start
}

wine_session_end() {
    local key='HKCU\Control Panel\Desktop'
    if [ -n "$wine_session_logpixels" ]; then
        "$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$((wine_session_logpixels))" /f \
            >/dev/null 2>&1
    else
        "$wine" reg delete "$key" /v LogPixels /f >/dev/null 2>&1 || true
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w
    if ((wine_session_was_running)); then
        wine_session_start
    fi
}
