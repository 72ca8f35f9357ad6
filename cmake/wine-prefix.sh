#!/bin/sh
# wine-prefix.sh setup|stop PREFIX: creates the build's Wine prefix with the
# null graphics driver on first use, or stops its wineserver.
set -eu
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
case "$1" in
setup)
    if [ ! -f "$WINEPREFIX/.zepho-ready" ]; then
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.zepho-ready"
    fi
    ;;
stop)
    wineserver -k 2>/dev/null || true
    ;;
esac
