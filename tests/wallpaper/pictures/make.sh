#!/bin/bash
# Makes the test pictures in this folder with ImageMagick (and python3 for
# the forged header). Run again only to change them; the files are kept in
# the tree so the tests never depend on the tool's version.
set -euo pipefail
cd "$(dirname "$0")"
# One colour per file, so a test knows each picture from a pixel.
convert -size 48x32 xc:'#C80000' -colors 4 -type Palette PNG8:png8-palette.png      # red, palette
convert -size 48x32 xc:'#00A000' -type TrueColor PNG24:png24.png                     # green
# Left quarter fully transparent, then red at half opacity, right half opaque blue.
convert -size 12x32 xc:none -size 12x32 xc:'rgba(200,0,0,0.5)' -size 24x32 xc:'#0000C8' +append \
        PNG32:png32-alpha.png
convert -size 48x32 xc:'#C8C800' -interlace PNG -type TrueColor PNG24:png-interlaced.png  # yellow
convert -size 48x32 xc:'#00C8C8' -depth 16 -type TrueColor PNG48:png16.png                # cyan, 16 bits
# Two frames: magenta first, then white.
convert -delay 50 -size 48x32 xc:'#C800C8' -size 48x32 xc:white -loop 0 gif-animated.gif
# Two pages: orange first, then black.
convert -size 48x32 xc:'#FF8000' -size 48x32 xc:black -depth 8 -compress None tiff-two-pages.tiff
# A PNG whose header claims 100000 x 100000 pixels in a few dozen bytes.
python3 - <<'PY'
import struct, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
ihdr = struct.pack(">IIBBBBB", 100000, 100000, 8, 2, 0, 0, 0)
idat = zlib.compress(b"\0" * 64)
open("png-huge-claim.png", "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", idat) + chunk(b"IEND", b""))
PY
