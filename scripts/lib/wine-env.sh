# Sourced by the scripts: the Wine settings every run shares, and the prefix set-up.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates the Wine prefix $1 once, with links from the default UI fonts to a CJK font so that
# Chinese captions show as glyphs, and Wine's Marlett for the caption buttons (this Wine does
# not find its own font folder). Safe to call from parallel processes.
wine_prefix_ready() {
    local prefix=$1
    mkdir -p "$prefix"
    (
        flock 9
        [ -f "$prefix/.ready" ] && exit 0
        WINEPREFIX=$prefix wineboot --init >/dev/null 2>&1
        local cjk='wqy-microhei.ttc,WenQuanYi Micro Hei'
        local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
            WINEPREFIX=$prefix wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$cjk" /f >/dev/null 2>&1
        done
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
        WINEPREFIX=$prefix wineserver -w
        touch "$prefix/.ready"
    ) 9>"$prefix.lock"
}
