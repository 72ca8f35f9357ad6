#!/bin/sh
# Saves a picture of the real search dialog, as Wine draws it in an X server
# with a Japanese font standing in for "ＭＳ Ｐゴシック":
#   sh tools/dialog-picture.sh [out.png]     (default demo/dialog.png)
# Not part of the tests; the dialog shows until it is cancelled 4 s later.
set -eu
cd "$(dirname "$0")/.."
out=${1:-demo/dialog.png}
sh tools/setup.sh picture
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.toolchain.cmake >/dev/null
cmake --build build/win32 -j "$(nproc)" --target zepho zepho_dialog_preview >/dev/null

# A prefix of its own, with Wine's X11 driver (the test prefix has none).
export WINEPREFIX="$PWD/build/win32/wineprefix-x11" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
display=:$((40 + $$ % 50))
Xvfb "$display" -screen 0 420x320x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
export DISPLAY="$display"
if [ ! -f "$WINEPREFIX/.zepho-ready" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
    # No window manager runs in Xvfb: Wine draws the title bars itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zepho-ready"
fi
mkdir -p "$(dirname "$out")"
(cd build/win32/bin && wine zepho_dialog_preview.exe 4000) &
preview=$!
sleep 2.5
import -display "$display" -window root "$out"
wait $preview
echo "dialog picture: $out"
