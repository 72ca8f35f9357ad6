#!/bin/sh
# The demo: stripes put on real picture content, measured and removed by
# zepho.auf under Wine through zepho-host.exe.
#
# FFmpeg's testsrc2 picture with a flat grey band (a letterbox bar) below it
# gets a known per-column gain pattern; the search measures the band, the
# correction evens it out. Writes demo/before.png, demo/after.png and
# demo/columns.png (the band's column means before and after), and
# demo/detail.png (a search of the detailed picture, for contrast); prints
# one line: the spread of the band's column means before and after, and how
# far the measured gains lie from the inverse of the known pattern.
set -eu
cd "$(dirname "$0")/.."
sh tools/setup.sh demo
build=build/win32
cmake -S . -B $build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.toolchain.cmake >/dev/null
cmake --build $build -j "$(nproc)" --target zepho zepho-host >/dev/null
sh cmake/wine-prefix.sh setup "$PWD/$build/wineprefix"

w=320 h=240 band=40 frames=10
mkdir -p demo
out=$PWD/demo
# The known pattern: gain(x) = 1 + 0.06 sin(0.7 x) + 0.04 cos(0.13 x), on the
# luminance only, the same in every line and frame.
pattern='1+0.06*sin(0.7*X)+0.04*cos(0.13*X)'
ffmpeg -v error -y -f lavfi -i "testsrc2=size=${w}x$((h - band)):rate=25:duration=$((frames / 25 + 1))" \
    -vf "pad=$w:$h:0:0:color=0x707070,geq=lum='clip(lum(X,Y)*($pattern),0,255)':cb='cb(X,Y)':cr='cr(X,Y)',format=yuv420p" \
    -frames:v $frames -f yuv4mpegpipe "$out/striped.y4m"

# Search the band's inner lines over 5 frames, then correct the whole clip.
first=$((h - band + 4)) last=$((h - 5))
(cd $build/bin && ../wine-run.sh zepho-host.exe --search "$first,$last,5@0" --gains "$out/gains.bin" \
    zepho.auf "$out/striped.y4m" "$out/corrected.y4m")

# For contrast, the dialog's own range (lines 16 to 223 of one frame), which
# lies mostly on the detailed picture: it flattens the picture's columns too.
(cd $build/bin && ../wine-run.sh zepho-host.exe --search defaults zepho.auf "$out/striped.y4m" "$out/detail.y4m" 2>/dev/null)

ffmpeg -v error -y -i "$out/detail.y4m" -frames:v 1 -update 1 "$out/detail.png"
ffmpeg -v error -y -i "$out/striped.y4m" -frames:v 1 -update 1 "$out/before.png"
ffmpeg -v error -y -i "$out/corrected.y4m" -frames:v 1 -update 1 "$out/after.png"

# Column means of the band's inner lines in the first frame.
column_means() {
    ffmpeg -v error -i "$1" -frames:v 1 -vf "crop=$w:$((last - first + 1)):0:$first,format=gray" -f rawvideo - |
        od -An -v -tu1 -w$w |
        awk -v w=$w '{ for (i = 1; i <= w; ++i) s[i] += $i; n++ } END { for (i = 1; i <= w; ++i) print i - 1, s[i] / n }'
}
column_means "$out/striped.y4m" >"$out/before.dat"
column_means "$out/corrected.y4m" >"$out/after.dat"

gnuplot <<PLOT
set terminal png size 900,420
set output "$out/columns.png"
set title "Column means of lines $first-$last (the grey band)"
set xlabel "column"
set ylabel "mean luminance (8-bit)"
set xrange [0:$((w - 1))]
plot "$out/before.dat" with lines title "before", "$out/after.dat" with lines lw 2 title "after"
PLOT

spread() { awk 'NR == 1 { lo = hi = $2 } { if ($2 < lo) lo = $2; if ($2 > hi) hi = $2 } END { printf "%.2f", hi - lo }' "$1"; }
# Measured gain g(x)/16384 against 1/pattern(x), both scaled to a mean of 1.
closeness=$(od -An -v -td2 -w2 "$out/gains.bin" | head -n $w | awk '
    { x = NR - 1; m[x] = $1 / 16384; k[x] = 1 / (1 + 0.06 * sin(0.7 * x) + 0.04 * cos(0.13 * x)); sm += m[x]; sk += k[x] }
    END { n = NR; for (x = 0; x < n; ++x) { d = m[x] / sm * n - k[x] / sk * n; if (d < 0) d = -d; if (d > worst) worst = d; sum += d }
          printf "mean %.2f%%, worst %.2f%%", 100 * sum / n, 100 * worst }')
echo "stripes: column means of the band spread $(spread "$out/before.dat") before, $(spread "$out/after.dat") after (8-bit levels); measured gains vs the known pattern: $closeness (demo/before.png, after.png, columns.png, detail.png)"
