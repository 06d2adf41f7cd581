#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the pictures in resources/ from GSHHG coastlines and national borders (GMT)
# and ImageMagick drawings, and the desktop icons in desktop/icons/. The PNGs are
# committed, so a build never needs this script.
#
#   tools/make_pictures.sh            # installs gmt & co. when missing, rewrites resources/*.png
#
# Maps are drawn four times larger than needed and box-averaged down, so the picture edges
# fall exactly on the frame edges and thin lines come out anti-aliased.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out="$here/../resources"
icons="$here/../desktop/icons"

# --- tools -------------------------------------------------------------------------------
packages=(gmt gmt-gshhg-low gmt-gshhg-high gmt-dcw ghostscript imagemagick fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$icons"
cd "$work"
export GMT_TMPDIR="$work"

# --- colours -----------------------------------------------------------------------------
SEA='#b9dcf0'       # chart sea
LAND='#efe4c4'      # chart land
COAST='#7d6e4e'     # shore line
BORDER='#8f8f8f'    # national borders
ICON_SEA='#2f74c0'  # icons: sea on the globe
ICON_LAND='#3fae49' # icons: land
OUTLINE='rgb(20,20,20)'  # darkest colour allowed in icons; pure black is their transparent colour

# Map frames, west/east/south/north in degrees (also listed in tools/README.md).
FRAME_WORLD=-180/180/-90/90
FRAME_WORLD360=0/360/-90/90
FRAME_EUROPE=-30/45/30/67
FRAME_FRANCE=-7/11/41.5/51.5

GMTOPT=(--GMT_HISTORY=false --PS_PAGE_ORIENTATION=portrait --MAP_FRAME_PEN=0p)

# ps_png NAME WIDTH HEIGHT SCALE TYPE [pscoast options...]
# Draws a WIDTH x HEIGHT point page holding only the map, rasterised at SCALE pixels per
# point (so NAME.png is WIDTH*SCALE x HEIGHT*SCALE). TYPE is g (opaque) or G (transparent).
ps_png() {
    local name=$1 w=$2 h=$3 scale=$4 type=$5
    shift 5
    gmt pscoast "$@" -Xa0 -Ya0 --PS_MEDIA="${w}px${h}p" "${GMTOPT[@]}" > "$name.ps"
    gmt psconvert "$name.ps" -T"$type" -E$((72 * scale)) -F"$name"
    local size
    size=$(identify -format '%wx%h' "$name.png")
    [ "$size" = "$((w * scale))x$((h * scale))" ] || { echo "$name: got $size" >&2; exit 1; }
}

# to16 IN OUT: at most 16 colours, no dithering, written as a 4-bit palette PNG.
to16() {
    convert "$1" -dither None -colors 16 -define png:bit-depth=4 -define png:color-type=3 -strip "$2"
}

# --- maps 446 x 219 ----------------------------------------------------------------------
# map ID ID16 FRAME RESOLUTION MIN_AREA_KM2 PEN_POINTS
map() {
    local id=$1 id16=$2 frame=$3 res=$4 area=$5 pen=$6
    ps_png "map$id" 446 219 4 g -R"$frame" -JX446p/219p -D"$res" -A"$area" \
        -G"$LAND" -S"$SEA" -C"$SEA" -W1/"${pen}p,$COAST" -N1/"${pen}p,$BORDER"
    convert "map$id.png" -scale '446x219!' -strip "PNG24:$out/$id.png"
    to16 "$out/$id.png" "$out/$id16.png"
}

map 141 170 "$FRAME_WORLD"    l 5000 0.5
map 142 167 "$FRAME_WORLD360" l 5000 0.5
map 166 173 "$FRAME_EUROPE"   i 300  0.6
map 164 172 "$FRAME_FRANCE"   h 20   0.7

# --- map icons 32 x 32, black = transparent ----------------------------------------------
# key_icon IN ID ID16: IN is a transparent 256 x 256 drawing. Pixels more than half covered
# become opaque, the rest pure black; opaque pixels never end up pure black.
key_icon() {
    local in=$1 id=$2 id16=$3
    convert "$in" -scale 32x32 -channel A -threshold 50% +channel \
        -fuzz 8% -fill "$OUTLINE" -opaque black "key$id.png"
    convert "key$id.png" -background black -alpha remove -alpha off -strip "PNG24:$out/$id.png"
    # 15 colours for the drawing, the 16th is black.
    convert "key$id.png" -background "$ICON_LAND" -alpha background -alpha off \
        -dither None -colors 15 "key${id}q.png"
    convert "key${id}q.png" "key$id.png" -compose CopyOpacity -composite \
        -fuzz 8% -fill "$OUTLINE" -opaque black \
        -background black -alpha remove -alpha off \
        -define png:bit-depth=4 -define png:color-type=3 -strip "$out/$id16.png"
}

# World: a globe seen from above the Gulf of Guinea.
ps_png globe 32 32 8 G -Rg -JG10/20/32p -Dc -A10000 -G"$ICON_LAND" -S"$ICON_SEA"
key_icon globe.png 137 174

# Europe: the land silhouette, frame roughly square on the ground.
ps_png europe 32 32 8 G -R-12/38/34/71 -JX32p/32p -Dl -A2000 -G"$ICON_LAND"
key_icon europe.png 138 176

# France: the country outline from DCW (mainland and Corsica).
ps_png france 32 32 8 G -R-5.3/10/41/51.4 -JX32p/32p -EFR+g"$ICON_LAND"
key_icon france.png 139 175

# --- application icon: a sloop on a wave inside a round badge ----------------------------
# Drawn on a 256 x 256 canvas.
logo() {
    convert -size 256x256 xc:none \
        -fill '#7fc0ee' -draw 'rectangle 0,0 255,255' \
        -fill '#1f5fa8' -draw 'path "M 0,196 Q 32,180 64,196 T 128,196 T 192,196 T 256,196 L 256,256 L 0,256 Z"' \
        -fill none -stroke '#e8f4fc' -strokewidth 7 \
        -draw 'path "M 0,196 Q 32,180 64,196 T 128,196 T 192,196 T 256,196"' \
        -stroke none -fill '#5b3a1e' -draw 'rectangle 129,34 137,184' \
        -fill '#fcfcf6' -stroke '#8a99a8' -strokewidth 3 \
        -draw 'path "M 142,38 Q 196,104 212,170 L 142,170 Z"' \
        -draw 'path "M 124,58 L 124,170 L 58,170 Q 94,118 124,58 Z"' \
        -stroke none -fill '#c0392b' \
        -draw 'path "M 46,178 L 220,178 Q 206,204 182,208 L 84,208 Q 60,202 46,178 Z"' \
        \( -size 256x256 xc:none -fill white -draw 'circle 128,128 128,6' \) \
        -compose DstIn -composite -compose Over \
        -fill none -stroke '#174e86' -strokewidth 10 -draw 'circle 128,128 128,7' \
        "$1"
}
logo logo.png
convert logo.png -scale 32x32 -strip "PNG32:$out/128.png"

# The same badge as the desktop's application icon, one picture per size of the icon theme.
for size in 16 24 32 48 64 128 256; do
    convert logo.png -scale "${size}x${size}" -strip "PNG32:$icons/wavepost-$size.png"
done

# Window icon 16 x 16: colour picture black where transparent, and its mask
# (white = transparent, black = icon pixel shown).
convert logo.png -scale 16x16 -channel A -threshold 50% +channel \
    -fuzz 8% -fill "$OUTLINE" -opaque black win.png
convert win.png -background black -alpha remove -alpha off -strip "PNG24:$out/180.png"
convert win.png -alpha extract -negate -threshold 50% -strip "PNG8:$out/179.png"

# --- decorations: the name beside the badge over a small sea --------------------------------
# banner ID WIDTH HEIGHT BADGE TEXT_POINTS: the name is centred in the room right of the badge.
banner() {
    local id=$1 w=$2 h=$3 badge=$4 pt=$5
    local tw tx
    tw=$(convert -font "$font" -pointsize "$pt" label:Wavepost -format %w info:)
    tx=$(((badge + 2 + w - tw) / 2))
    local W=$((w * 4)) H=$((h * 4))
    local y=$((H * 80 / 100)) a=$((H * 6 / 100)) s=$((W / 8))
    local wave="M 0,$y"
    for ((x = 0; x < W; x += 2 * s)); do
        wave+=" Q $((x + s / 2)),$((y - a)) $((x + s)),$y Q $((x + 3 * s / 2)),$((y + a)) $((x + 2 * s)),$y"
    done
    convert -size "${W}x${H}" gradient:'#f4f9fd-#cfe6f6' \
        -fill '#9fcdee' -draw "path \"$wave L $W,$H L 0,$H Z\"" \
        -scale "${w}x${h}!" "banner$id.png"
    convert logo.png -scale "${badge}x${badge}" "badge$id.png"
    convert "banner$id.png" "badge$id.png" -gravity West -geometry +2+0 -composite \
        -gravity West -font "$font" -pointsize "$pt" -fill '#1b4f80' \
        -annotate +"$tx"+0 'Wavepost' -strip "PNG24:$out/$id.png"
}
banner 131 126 36 32 15
banner 187 118 22 20 14

echo "Pictures written to $(cd "$out" && pwd)"
