# Sourced by the scripts: the Wine settings every run shares, and the prefix set-up.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# The Wine loader for a program of this preset (windows-x86 or windows-x64), in $wine. Wine's
# launcher always takes its 32-bit loader when it is installed; the 64-bit loader runs 64-bit
# programs on every machine, also where the kernel runs no 32-bit code (some virtual machines).
use_wine_for() {
    if [ "$1" = windows-x64 ]; then
        wine=/usr/lib/wine/wine64
        export WINELOADER=$wine
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

# Creates the Wine prefix $1 once (with the loader in $wine), with links from the default UI fonts to a CJK font so that
# Chinese captions show as glyphs, and Wine's Marlett for the caption buttons (this Wine does
# not find its own font folder). With a second argument "tests", the prefix is made for
# unattended runs: no crash dialog waiting for a click, and windows left unmanaged, since
# without a window manager Wine waits about two seconds each time it hides a managed window.
# Safe to call from parallel processes.
wine_prefix_ready() {
    local prefix=$1 purpose=${2:-}
    mkdir -p "$prefix"
    (
        flock 9
        [ -f "$prefix/.ready" ] && exit 0
        export WINEPREFIX=$prefix
        "$wine" wineboot --init >/dev/null 2>&1
        local cjk='wqy-microhei.ttc,WenQuanYi Micro Hei'
        local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
            "$wine" reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$cjk" /f >/dev/null 2>&1
        done
        if [ "$purpose" = tests ]; then
            "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                >/dev/null 2>&1
            "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
                >/dev/null 2>&1
        fi
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
        wineserver -w
        touch "$prefix/.ready"
    ) 9>"$prefix.lock"
}
