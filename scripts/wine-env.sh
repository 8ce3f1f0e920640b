# Sourced by the scripts that run Windows programs: Wine with a Japanese
# locale (ANSI code page 932), quiet, without Mono and Gecko installers.
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

# orvane_prefix ROOT MODE: makes (once) and prints the prefix ROOT/prefix-MODE.
# MODE null: windows work without an X server (unit tests);
# MODE x11: the normal driver, on the display in DISPLAY.
orvane_prefix() {
    local prefix="$1/prefix-$2"
    if [ ! -f "$prefix/.orvane-ready" ]; then
        mkdir -p "$1"
        rm -rf "$prefix"
        WINEPREFIX="$prefix" DISPLAY= wineboot -i >/dev/null 2>&1
        WINEPREFIX="$prefix" wineserver -w
        WINEPREFIX="$prefix" DISPLAY= wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        if [ "$2" = null ]; then
            WINEPREFIX="$prefix" DISPLAY= wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        fi
        # Wine draws caption buttons with Marlett; the prefix lacks it otherwise.
        for font in /usr/share/wine/fonts/marlett.ttf /usr/share/wine/wine/fonts/marlett.ttf; do
            [ -f "$font" ] && cp "$font" "$prefix/drive_c/windows/Fonts/" && break
        done
        WINEPREFIX="$prefix" wineserver -w
        touch "$prefix/.orvane-ready"
    fi
    echo "$prefix"
}
