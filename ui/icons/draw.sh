#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws the program's icons with ImageMagick. The PNGs are committed; run this
# again only to change the pictures. Every size is drawn at its own size (not
# scaled down from the largest) so small icons stay sharp.
set -euo pipefail
cd "$(dirname "$0")"

# Coordinates below are on a 256 x 256 grid; s() maps one to the target size.
s() { awk -v v="$1" -v size="$size" 'BEGIN { printf "%.2f", v * size / 256 }'; }
# A line or dot never gets thinner than about one pixel.
atLeast() { awk -v v="$1" -v size="$size" -v min="$2" 'BEGIN { w = v * size / 256; printf "%.2f", (w < min ? min : w) }'; }

# The program icon: points of the three index groups (lime, yellow, red) on
# black, joined by the thin edges of a tetrahedron.
drawProgramIcon() {
    size=$1
    local corner edge dot
    corner=$(s 40)
    edge=$(atLeast 6 0.9)
    dot=$(atLeast 21 1.7)
    local -a p=(128 40  44 196  214 204  122 146)
    local -a colour=(lime yellow red lime)
    local -a args=(-size "${size}x${size}" xc:none
        -fill black -stroke '#505050' -strokewidth "$(atLeast 4 0.6)"
        -draw "roundrectangle $(s 6),$(s 6) $(s 250),$(s 250) $corner,$corner"
        -fill none -stroke '#c8c8c8' -strokewidth "$edge")
    local pairs="0 1  1 2  2 0  3 0  3 1  3 2"
    set -- $pairs
    while (($#)); do
        local a=$1 b=$2
        shift 2
        args+=(-draw "line $(s "${p[2*a]}"),$(s "${p[2*a+1]}") $(s "${p[2*b]}"),$(s "${p[2*b+1]}")")
    done
    args+=(-stroke none)
    for i in 0 1 2 3; do
        local x y
        x=$(s "${p[2*i]}")
        y=$(s "${p[2*i+1]}")
        args+=(-fill "${colour[i]}" -draw "circle $x,$y $(awk -v x="$x" -v d="$dot" 'BEGIN { printf "%.2f", x + d }'),$y")
    done
    convert "${args[@]}" -depth 8 -define png:exclude-chunks=date,time "PNG32:zarvitone-${size}.png"
}

# The second icon: the turning wireframe of the spiral view, a chain of
# tetrahedra drawn red with the white edges of the figure's spine.
drawSpiralIcon() {
    size=$1
    local -a px=(0 33 131 82 124 39 54 105 160 124 223)
    local -a py=(0 159 131 232 207 141 55 89 24 51 82)
    # point: the earlier points it is joined to; a leading "w" marks a white edge
    local -a edges=("2 w1" "3 2 1" "4 1 2 3" "5 1 2 3" "6 1 2 5" "7 1 2 6" "8 2 6 7" "9 2 6 8" "10 w2 8 9")
    local -a args=(-size "${size}x${size}" xc:black -fill none -strokewidth "$(atLeast 4 0.7)")
    local row
    for row in "${edges[@]}"; do
        set -- $row
        local from=$1
        shift
        local to
        for to in "$@"; do
            local colour=red
            if [[ $to == w* ]]; then colour=white; to=${to#w}; fi
            args+=(-stroke "$colour" -draw "line $(s "${px[from]}"),$(s "${py[from]}") $(s "${px[to]}"),$(s "${py[to]}")")
        done
    done
    convert "${args[@]}" -depth 8 -define png:exclude-chunks=date,time "PNG32:spiral-${size}.png"
}

for size in 16 22 24 32 48 64 128 256; do
    drawProgramIcon "$size"
done
for size in 32 64; do
    drawSpiralIcon "$size"
done
