#!/bin/sh
# Installs what the builds, the tests and the demo need on a Debian machine,
# as root; does nothing when everything is there already.
#   tools/setup.sh          build and test tools
#   tools/setup.sh demo     the same, plus FFmpeg and gnuplot for the demo
#   tools/setup.sh picture  the same, plus Xvfb, ImageMagick and a Japanese font
set -eu

packages="cmake make g++ googletest libbenchmark-dev g++-mingw-w64-i686 wine wine32:i386 locales"
case "${1:-}" in
demo) packages="$packages ffmpeg gnuplot-nox" ;;
picture) packages="$packages xvfb imagemagick fonts-ipafont-gothic" ;;
esac

missing=""
for p in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "setup: installing$missing" >&2
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Wine runs the win32 programs with LC_ALL=ja_JP.UTF-8, so that their ANSI
# code page is 932 as on the host's Japanese systems: the locale must exist.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
    echo "setup: generating the ja_JP.UTF-8 locale" >&2
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi
