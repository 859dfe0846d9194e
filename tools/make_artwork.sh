#!/bin/bash
# Draws Vexa's pictures from nothing but gradients, noise, shapes and the DejaVu fonts, and
# writes them to resources/: the logo (also the splash), the About picture, the Sound and Menus
# tab pictures, and the program's icon at the sizes desktops ask for. Fixed seeds make every run
# draw the same pictures.
# Needs ImageMagick 6 (`convert`) and fonts-dejavu.
# Usage: tools/make_artwork.sh [resources directory]
set -euo pipefail

out=${1:-"$(dirname "$0")/../resources"}
bold=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf
quality=85
glow='#ff8a30'
engraving='#e8c89c'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/images"

# --- building blocks ---------------------------------------------------------------------------

width() { identify -format %w "$1"; }
height() { identify -format %h "$1"; }

# brushed_metal W H SEED TOP BOTTOM OUT: a dark brushed plate, TOP colour fading to BOTTOM, with
# rust patches and a fine grain.
brushed_metal() {
    local w=$1 h=$2 seed=$3 size="$1x$2"
    convert -seed "$seed" -size $((w + 80))x"$h" xc:gray50 -attenuate 0.6 +noise Gaussian \
        -motion-blur 0x25+0 -crop "$size+40+0" +repage -colorspace Gray -auto-level \
        +level 36%,64% "$work/streaks.png"
    convert -size "$size" gradient:"$4-$5" "$work/streaks.png" -compose Overlay -composite \
        "$work/plate.png"
    convert -seed $((seed + 1)) -size "$size" plasma:fractal -colorspace Gray -blur 0x2 \
        -auto-level -level 58%,82% -evaluate multiply 0.7 "$work/rustmask.png"
    convert -seed $((seed + 2)) -size "$size" xc:'#6e2e0e' -attenuate 1.5 \
        +noise Multiplicative -blur 0x0.6 "$work/rust.png"
    convert "$work/plate.png" "$work/rust.png" "$work/rustmask.png" -compose Over -composite \
        \( -size "$size" xc:gray50 -seed $((seed + 3)) -attenuate 0.3 +noise Gaussian \
        -colorspace Gray \) -compose Overlay -composite "$6"
}

# emboss IMAGE MASK OUT: raises the white parts of MASK out of IMAGE, lit from the top left.
# At an elevation of 30 degrees flat ground shades to mid grey, which Overlay leaves alone.
emboss() {
    convert "$2" -blur 0x1.5 -shade 135x30 -level 20%,80% "$work/shade.png"
    convert "$1" "$work/shade.png" -compose Overlay -composite "$3"
}

# recess IMAGE DRAWING OUT: sinks the shapes of the -draw primitives DRAWING into IMAGE, dark
# inside.
recess() {
    local size
    size="$(width "$1")x$(height "$1")"
    convert -size "$size" xc:black -fill white -draw "$2" "$work/recess.png"
    convert "$1" \( -size "$size" xc:'#0c0604' \) \
        \( "$work/recess.png" -evaluate multiply 0.8 \) -compose Over -composite "$work/sunk.png"
    convert "$work/recess.png" -negate "$work/recess_in.png"
    emboss "$work/sunk.png" "$work/recess_in.png" "$3"
}

# riveted_plate W H SEED TOP BOTTOM OUT: a brushed plate with a raised frame, riveted in the
# corners and halfway along each side.
riveted_plate() {
    local w=$1 h=$2 border=$(($1 / 36 + 4)) draw="" x y
    local inset=$((border / 2)) radius=$((border / 3))
    brushed_metal "$w" "$h" "$3" "$4" "$5" "$work/base.png"
    for x in $inset $((w / 2)) $((w - inset - 1)); do
        for y in $inset $((h / 2)) $((h - inset - 1)); do
            [ "$x" -eq $((w / 2)) ] && [ "$y" -eq $((h / 2)) ] && continue
            draw="$draw circle $x,$y $((x + radius)),$y"
        done
    done
    # the rivets sit in the frame as dimples
    convert -size "${w}x$h" xc:white -fill black \
        -draw "rectangle $border,$border $((w - border - 1)),$((h - border - 1))" \
        \( -size "${w}x$h" xc:black -fill white -draw "$draw" \) \
        -compose Difference -composite "$work/relief.png"
    emboss "$work/base.png" "$work/relief.png" "$6"
}

# metal_fill MASK OUT: fills the white parts of MASK with copper chrome, with a dark outline and
# a soft shadow, on transparency. MASK needs a black margin of a few pixels.
metal_fill() {
    local w h
    w=$(width "$1")
    h=$(height "$1")
    local top=$((h * 47 / 100)) band=$((h * 8 / 100))
    convert -size "${w}x$top" gradient:'#fff2d6-#c4834e' \
        -size "${w}x$band" gradient:'#4e2408-#7e4018' \
        -size "${w}x$((h - top - band))" gradient:'#a4602e-#f4c88c' -append "$work/mgrad.png"
    convert "$1" -blur 0x1.5 -shade 120x40 -auto-level "$work/mshade.png"
    convert "$work/mgrad.png" "$work/mshade.png" -compose Overlay -composite \
        "$1" -alpha off -compose CopyOpacity -composite "$work/mfill.png"
    convert "$1" -morphology Dilate Disk:2.5 "$work/mouter.png"
    convert "$work/mouter.png" -blur 0x4 -level 0,70% "$work/mshadow.png"
    convert -size "${w}x$h" xc:'#1a0c04' \
        \( "$work/mshadow.png" "$work/mouter.png" -compose Lighten -composite \) \
        -alpha off -compose CopyOpacity -composite "$work/mbase.png"
    convert "$work/mbase.png" "$work/mfill.png" -compose Over -composite "$2"
}

# metal_text TEXT POINTSIZE OUT: TEXT in copper chrome, trimmed to the letters.
metal_text() {
    convert -background black -fill white -font "$bold" -pointsize "$2" label:"$1" -trim +repage \
        -bordercolor black -border 10 "$work/tmask.png"
    metal_fill "$work/tmask.png" "$3"
}

# metal_shape W H OUT DRAWING...: what the ImageMagick drawing options DRAWING paint (white on a
# black W x H canvas) in copper chrome.
metal_shape() {
    local size="$1x$2" result=$3
    shift 3
    convert -size "$size" xc:black -fill white -stroke white "$@" "$work/smask.png"
    metal_fill "$work/smask.png" "$result"
}

# engrave TEXT POINTSIZE OUT: spaced light capitals with a dark halo, on transparency.
engrave() {
    convert -background none -fill "$engraving" -font "$bold" -pointsize "$2" -kerning 2 \
        label:"$1" \( +clone -background black -shadow 100x2+0+0 \) +swap \
        -background none -layers merge +repage "$3"
}

# place IMAGE LAYER Y: puts LAYER on IMAGE, centred horizontally, its top at Y.
place() {
    convert "$1" "$2" -gravity north -geometry "+0+$3" -compose Over -composite "$1"
}

# glow_line IMAGE Y: a thin glowing line across the middle three quarters of IMAGE.
glow_line() {
    local w h
    w=$(width "$1")
    h=$(height "$1")
    local line="line $((w * 12 / 100)),$2 $((w * 88 / 100)),$2"
    convert "$1" \( -size "${w}x$h" xc:black -fill none -stroke "$glow" -strokewidth 3 \
        -draw "$line" -blur 0x3 \) -compose Screen -composite \
        -fill none -stroke "$glow" -strokewidth 1 -draw "$line" "$1"
}

# vents X Y W H COUNT GAP: -draw primitives for a row of COUNT slots.
vents() {
    local n x
    for ((n = 0; n < $5; n++)); do
        x=$(($1 + n * ($3 + $6)))
        printf ' roundrectangle %d,%d %d,%d 4,4' "$x" "$2" $((x + $3)) $(($2 + $4))
    done
}

jpeg() {
    convert "$1" -strip -interlace none -sampling-factor 2x2 -quality "$quality" "$2"
}

# --- the pictures ------------------------------------------------------------------------------

# The logo: the name over a recessed chevron. Shown at 371 x 428 and squeezed into 245 x 291.
logo() {
    local picture="$work/logo.png"
    riveted_plate 371 428 21 '#5c4a3c' '#140d08' "$picture"
    recess "$picture" "polygon 60,58 186,250 311,58 274,58 186,192 98,58" "$picture"
    recess "$picture" "$(vents 69 380 30 14 6 10)" "$picture"
    metal_text VEXA 112 "$work/name.png"
    place "$picture" "$work/name.png" 196
    engrave "QUAKE II SETTINGS AND LAUNCHER" 13 "$work/engraving.png"
    place "$picture" "$work/engraving.png" 330
    glow_line "$picture" 322
    glow_line "$picture" 356
    jpeg "$picture" "$out/images/logo.jpg"
}

# The About picture: the name at the top; the About box's four labels stand on the recessed
# panel below it.
about() {
    local picture="$work/about.png"
    riveted_plate 435 393 31 '#584638' '#160e09' "$picture"
    recess "$picture" "roundrectangle 30,178 404,370 10,10" "$picture"
    metal_text VEXA 84 "$work/name.png"
    place "$picture" "$work/name.png" 28
    glow_line "$picture" 146
    engrave "CONFIGURE  ·  BIND  ·  LAUNCH" 11 "$work/engraving.png"
    place "$picture" "$work/engraving.png" 153
    jpeg "$picture" "$out/images/about.jpg"
}

# tab_picture NAME SEED OUT DRAWING...: a small riveted plate, an emblem drawn by DRAWING on a
# 130 x 86 canvas, and NAME under it.
tab_picture() {
    local name=$1 seed=$2 result=$3 picture="$work/tab.png"
    shift 3
    riveted_plate 200 150 "$seed" '#5a4838' '#181009' "$picture"
    recess "$picture" "roundrectangle 22,18 177,131 8,8" "$picture"
    metal_shape 130 86 "$work/emblem.png" "$@"
    place "$picture" "$work/emblem.png" 18
    engrave "$name" 12 "$work/engraving.png"
    place "$picture" "$work/engraving.png" 106
    jpeg "$picture" "$result"
}

# A loudspeaker sending out three waves.
tab_sound() {
    tab_picture "SOUND" 41 "$out/images/tab_sound.jpg" \
        -draw "rectangle 22,32 38,54 polygon 38,32 58,16 58,70 38,54" \
        -fill none -strokewidth 5 \
        -draw "path 'M 69,32 A 16,16 0 0,1 69,54 M 79,22 A 30,30 0 0,1 79,64 M 89,12 A 44,44 0 0,1 89,74'"
}

# A menu of three entries, the middle one chosen, and a mouse pointer.
tab_menus() {
    local pointer="polygon 94,44 94,78 102,71 108,83 114,80 108,68 118,67"
    tab_picture "MENUS" 51 "$out/images/tab_menus.jpg" \
        -draw "roundrectangle 18,12 100,24 3,3 roundrectangle 18,60 100,72 3,3" \
        -draw "roundrectangle 10,34 112,50 4,4" \
        -fill black -stroke black -draw "polygon 14,38 14,46 20,42" \
        -strokewidth 6 -draw "$pointer" -fill white -stroke white -strokewidth 1 -draw "$pointer"
}

# The program's icon at SIZE pixels square: a chrome V on a riveted plate with rounded,
# transparent corners. Drawn at each size rather than scaled, so the small ones stay crisp;
# every measure is the one of the 64-pixel icon, scaled.
icon() {
    local s=$1 picture="$work/icon.png"
    riveted_plate "$s" "$s" 61 '#6a5442' '#1a100a' "$picture"
    convert -background black -fill white -font "$bold" -pointsize $((s * 58 / 64)) label:V \
        -trim +repage -bordercolor black -border $((s / 16)) "$work/vmask.png"
    metal_fill "$work/vmask.png" "$work/v.png"
    convert "$work/v.png" -resize $((s * 52 / 64))x$((s * 52 / 64)) "$work/v.png"
    convert "$picture" "$work/v.png" -gravity center -compose Over -composite \
        \( -size "${s}x$s" xc:black -fill white \
        -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $((s * 10 / 64)),$((s * 10 / 64))" \) \
        -alpha off -compose CopyOpacity -composite -strip -depth 8 "PNG32:$2"
}

# The window icon (64 pixels, built into the program) and the icons installed for the desktop.
icons() {
    local size
    mkdir -p "$out/icons"
    for size in 48 64 128 256; do
        icon "$size" "$out/icons/$size.png"
    done
}

logo
about
tab_sound
tab_menus
icons
