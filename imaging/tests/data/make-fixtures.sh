#!/usr/bin/env bash
# Makes the small test pictures of every format and variant the image library reads,
# with ImageMagick's convert, and beside each one ImageMagick's own decoding of it as a
# PAM file (<picture>.pam; for JPEG, djpeg's decoding as <picture>.pnm). The tests compare
# the library's pixels with these references, so they need neither tool when they run.
# Run from anywhere; writes into the folder of this script.
set -euo pipefail
cd "$(dirname "$0")"
rm -f ./*.bmp ./*.tga ./*.pcx ./*.pgm ./*.ppm ./*.psd ./*.pict ./*.gif ./*.png ./*.jpg ./*.tif ./*.eps \
      ./*.pam ./*.pnm ./*.tmp

# The base pictures: 13 x 7 pixels (an odd width, so lines need padding), colour and
# colour with alpha, written as plain text PNM/PAM so the script depends on nothing else.
w=13 h=7
{
  echo "P3 $w $h 255"
  for ((y = 0; y < h; y++)); do
    for ((x = 0; x < w; x++)); do echo "$((x * 19)) $((y * 36 + 10)) $(((x * y * 37 + 60) % 256))"; done
  done
} > base.tmp.ppm
{
  printf 'P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n' $w $h
  for ((y = 0; y < h; y++)); do
    for ((x = 0; x < w; x++)); do
      printf "\\$(printf %03o $((x * 19)))\\$(printf %03o $((y * 36 + 10)))\\$(printf %03o $(((x * y * 37 + 60) % 256)))\\$(printf %03o $(((x + y) * 21 % 256)))"
    done
  done
} > alpha.tmp.pam
# A larger picture for the JPEG fixtures (several 8 x 8 blocks).
convert -size 24x16 gradient:'#ff4000-#0040ff' \( -size 24x16 pattern:checkerboard \) -compose multiply -composite \
  -strip jpegbase.tmp.ppm

colour="base.tmp.ppm"
alpha="alpha.tmp.pam"

# Windows bitmaps
convert $colour BMP3:bmp-24.bmp
convert $colour -type palette BMP3:bmp-8.bmp
convert $colour -type palette -compress RLE BMP3:bmp-rle8.bmp
convert $colour -colors 16 -type palette BMP3:bmp-4.bmp
convert $colour -monochrome BMP3:bmp-1.bmp
convert $colour BMP2:bmp-os2.bmp
convert $alpha -define bmp:format=bmp4 BMP:bmp-32a.bmp
convert $colour -define bmp:subtype=RGB565 BMP:bmp-565.bmp
convert $colour -define bmp:subtype=RGB555 BMP:bmp-555.bmp

# TGA
convert $colour -compress none TGA:tga-24.tga
convert $colour -compress RLE TGA:tga-24rle.tga
convert $alpha -compress none TGA:tga-32a.tga
convert $colour -type palette -compress none TGA:tga-map.tga
convert $colour -type palette -compress RLE TGA:tga-maprle.tga
convert $colour -type grayscale -compress RLE TGA:tga-grey.tga
convert $colour -orient TopLeft -compress RLE TGA:tga-topdown.tga

# PCX
convert $colour PCX:pcx-24.pcx
convert $colour -type palette PCX:pcx-8.pcx
convert $colour -monochrome PCX:pcx-1.pcx

# PGM and PPM, binary and text; one with maximum value 15
convert $colour -colorspace gray PGM:pgm-bin.pgm
convert $colour -colorspace gray -compress none PGM:pgm-text.pgm
convert $colour PPM:ppm-bin.ppm
convert $colour -compress none PPM:ppm-text.ppm
convert $colour -depth 4 -compress none PPM:ppm-max15.ppm

# PSD
convert $colour -compress RLE PSD:psd-rgb.psd
convert $colour -compress none PSD:psd-raw.psd
convert $alpha -compress RLE PSD:psd-rgba.psd
convert $colour -colorspace gray -compress RLE PSD:psd-grey.psd
convert $colour -type palette -compress RLE PSD:psd-index.psd

# Mac PICT
convert $colour PICT:pict-direct.pict
convert $colour -type palette PICT:pict-index.pict

# GIF: plain, interlaced, transparent, animated
convert $colour GIF:gif-plain.gif
convert $colour -interlace GIF GIF:gif-interlace.gif
convert $colour -fill '#FF00FF' -draw 'rectangle 2,2 5,4' -transparent '#FF00FF' GIF:gif-transparent.gif
convert $colour \( $colour -negate \) -delay 10 GIF:gif-animated.gif

# PNG
convert $colour -define png:color-type=2 -define png:exclude-chunks=date,time PNG24:png-rgb.png
convert $alpha -define png:exclude-chunks=date,time PNG32:png-rgba.png
convert $colour -colorspace gray -define png:color-type=0 -define png:bit-depth=8 -define png:exclude-chunks=date,time PNG:png-grey.png
convert $colour -colorspace gray -depth 4 -define png:color-type=0 -define png:bit-depth=4 -define png:exclude-chunks=date,time PNG:png-grey4.png
convert $colour -monochrome -define png:color-type=0 -define png:bit-depth=1 -define png:exclude-chunks=date,time PNG:png-grey1.png
convert $alpha -colorspace gray -define png:color-type=4 -define png:exclude-chunks=date,time PNG:png-greyalpha.png
convert $colour -define png:exclude-chunks=date,time PNG8:png-palette.png
convert $colour -depth 16 -define png:exclude-chunks=date,time PNG48:png-rgb16.png
convert $colour -interlace PNG -define png:exclude-chunks=date,time PNG24:png-interlace.png

# JPEG: colour, greyscale, progressive; references from djpeg
convert jpegbase.tmp.ppm -quality 85 JPEG:jpeg-colour.jpg
convert jpegbase.tmp.ppm -colorspace gray -quality 85 JPEG:jpeg-grey.jpg
convert jpegbase.tmp.ppm -interlace JPEG -quality 85 JPEG:jpeg-progressive.jpg
convert jpegbase.tmp.ppm -units PixelsPerCentimeter -density 40 JPEG:jpeg-dpcm.jpg
# A CMYK JPEG, which the library cannot give in blue, green, red order
convert jpegbase.tmp.ppm -colorspace CMYK -quality 85 JPEG:jpeg-cmyk.jpg
for f in jpeg-colour jpeg-grey jpeg-progressive; do djpeg -pnm "$f.jpg" > "$f.pnm"; done
# A PICT holding the colour JPEG as QuickTime data
convert jpegbase.tmp.ppm -compress JPEG -quality 85 PICT:pict-jpeg.pict

# TIFF: compressions, palettes, grey depths, two samples, alpha, 16 bits, tiles
convert $colour -compress none TIFF:tif-none.tif
convert $colour -compress LZW TIFF:tif-lzw.tif
convert $colour -compress RLE TIFF:tif-packbits.tif
convert $colour -compress Zip TIFF:tif-zip.tif
convert jpegbase.tmp.ppm -compress JPEG -quality 85 TIFF:tif-jpeg.tif
convert $alpha -compress LZW TIFF:tif-rgba.tif
convert $colour -type palette -compress LZW TIFF:tif-palette8.tif
convert $colour -colors 16 -type palette -depth 4 TIFF:tif-palette4.tif
convert $colour -colorspace gray -compress none TIFF:tif-grey8.tif
convert $colour -colorspace gray -depth 4 -compress none TIFF:tif-grey4.tif
convert $colour -colorspace gray -depth 2 -compress none TIFF:tif-grey2.tif
convert $colour -monochrome -compress Group4 TIFF:tif-bilevel.tif
convert $alpha -colorspace gray -compress none TIFF:tif-greyalpha.tif
convert $colour -depth 16 -compress none TIFF:tif-rgb16.tif
convert $colour -define tiff:tile-geometry=16x16 -compress LZW TIFF:tif-tiled.tif
convert $colour -endian MSB -compress none TIFF:tif-bigendian.tif

# ImageMagick's own decoding of every lossless picture (first frame only). ImageMagick
# reads a TGA's origin into an orientation tag, which -auto-orient applies.
for f in *.bmp *.tga *.pcx *.pgm *.ppm psd-rgb.psd psd-raw.psd psd-grey.psd *.gif *.png *.tif pict-direct.pict pict-index.pict; do
  convert "${f}[0]" -auto-orient -depth 8 "PAM:$f.pam"
done
# ImageMagick cannot read its own indexed PSD back; the palette holds every colour of the
# base picture, so the picture itself is the reference.
convert $colour -depth 8 PAM:psd-index.psd.pam
# Reading a merged picture with alpha, ImageMagick removes a white matte from the colours,
# which its writer never put there: the picture written is the reference.
convert $alpha -depth 8 PAM:psd-rgba.psd.pam

# The colour picture with every alpha byte 0, in each format whose fourth byte writers also
# leave unused: such a picture is shown opaque, so its reference is the colour picture
# (for the TGA, which ImageMagick writes upside down, that of the 24-bit TGA).
# (Made after the references above, which would otherwise take these in too.)
convert $colour -alpha set -channel A -evaluate set 0 +channel zero.tmp.pam
convert zero.tmp.pam -define bmp3:alpha=true BMP3:bmp-32alpha0.bmp
convert zero.tmp.pam -define bmp:format=bmp4 BMP:bmp-v5alpha0.bmp
convert zero.tmp.pam -compress none TGA:tga-32alpha0.tga
convert zero.tmp.pam -compress RLE PSD:psd-alpha0.psd
convert zero.tmp.pam PICT:pict-alpha0.pict
convert zero.tmp.pam -define tiff:alpha=unspecified -compress none TIFF:tif-alpha0.tif
convert $colour -depth 8 PAM:alpha0-reference.pam
rm -f ./*.tmp ./*.tmp.*
ls -l
