#!/usr/bin/env bash
# Makes the GIF fixtures of these tests with ImageMagick, and their references:
#   NAME.gif            the picture
#   NAME.frames.txt     one line a frame, from identify: delay disposal left top width height
#   NAME-N.pam          frame N as ImageMagick composes it (convert -coalesce), RGBA
# Run it from anywhere; it writes into fixtures/ next to itself. The files are committed.
set -euo pipefail
cd "$(dirname "$0")/fixtures"
rm -f ./*.gif ./*.pam ./*.txt

# Frames of several sizes at several places, each kept (disposal none).
convert -dispose none -delay 10 -size 16x12 xc:white \
  -delay 0 \( -size 6x4 xc:red -repage +2+3 \) \
  -delay 5 \( -size 5x5 xc:blue -repage +9+6 \) \
  -delay 50 \( -size 3x7 xc:yellow -repage +12+0 \) \
  -loop 0 anim_none.gif

# Disposal to background: each frame's rectangle is cleared before the next.
convert -dispose background -delay 20 -size 16x12 xc:navy \
  \( -size 8x6 xc:lime -repage +4+3 \) \
  \( -size 4x4 xc:magenta -repage +0+0 \) \
  \( -size 6x6 xc:none -fill green -draw "rectangle 1,1 4,4" -repage +10+6 \) \
  -loop 0 anim_background.gif

# Disposal to previous: a frame's rectangle gets back what was under it.
convert -size 16x12 -delay 15 -dispose none xc:gray \
  -dispose previous \( -size 6x6 xc:orange -repage +1+1 \) \
  \( -size 6x6 xc:purple -repage +8+4 \) \
  -dispose none \( -size 4x4 xc:cyan -repage +6+0 \) \
  -loop 0 anim_previous.gif

# Interlaced frames, a transparent frame on top, a comment: the blocks the parser skips.
convert -delay 8 -size 12x10 xc:teal \
  \( -size 12x10 xc:none -fill white -draw "rectangle 2,2 9,7" \) \
  -comment "Velmora test" -interlace GIF -loop 3 anim_interlaced.gif

# Still pictures: one frame in GIF89a (with a comment) and in GIF87a.
convert -size 9x7 xc:orange -comment "still" still89.gif
convert -size 5x4 xc:red gif87:still87.gif

for f in anim_*.gif still*.gif; do
  base=${f%.gif}
  identify -format "%T %D %X %Y %w %h\n" "$f" >"$base.frames.txt"
  convert "$f" -coalesce -define pam:format=RGB_ALPHA +adjoin "$base-%d.pam"
done
ls -l
