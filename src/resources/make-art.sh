#!/usr/bin/env bash
# Renders the program's pictures from their drawings (art/*.svg) into the
# forms the resource compiler and the program folder want: icons, bitmaps,
# and the sample wallpapers of the "Images" folder.
#   make-art.sh <art-folder> <out-folder>
set -euo pipefail
art=$1
out=$2
mkdir -p "$out/png" "$out/Images"

png() { # svg size name
  rsvg-convert -w "$2" -h "$2" "$art/$1.svg" -o "$out/png/$3.png"
}

# The program's icon, in every size the shell asks for.
for s in 16 20 24 32 40 48 64 256; do png app "$s" "app$s"; done
convert "$out"/png/app{16,20,24,32,40,48,64,256}.png "$out/app.ico"

# The tray icon's three pictures (the animation cycles through them).
for n in day dusk night; do
  png "tray_$n" 16 "tray_$n"
  png "tray_$n" 32 "tray_${n}32"
  convert "$out/png/tray_$n.png" "$out/png/tray_${n}32.png" "$out/tray_$n.ico"
done

# Button and menu pictures.
for n in set_wallpaper clear_wallpaper capture settings help; do
  png "$n" 24 "$n"
  png "$n" 16 "${n}16"
  convert "$out/png/${n}16.png" "$out/png/$n.png" "$out/$n.ico"
done
# The capture viewer's tool buttons and tab pictures.
for n in view_open view_close view_close_all view_save view_print view_copy view_crop cap_desktop cap_selection \
  cap_window cap_object view_exit view_zoom100; do
  png "$n" 24 "$n"
  png "$n" 16 "${n}16"
  convert "$out/png/${n}16.png" "$out/png/$n.png" "$out/$n.ico"
done
for n in list_up list_down list_remove list_add list_menu utilities donate; do
  png "$n" 16 "$n"
  convert "$out/png/$n.png" "$out/$n.ico"
done

# The banner across the top of the control panel, with the icon on it.
rsvg-convert -w 600 -h 65 "$art/banner.svg" -o "$out/png/banner.png"
convert "$out/png/banner.png" "$out/png/app48.png" -geometry +14+8 -composite \
  -background '#0d2f5e' -alpha remove -alpha off -type TrueColor BMP3:"$out/banner.bmp"

# The about box's banner: the same drawing at the box's width, with the icon.
rsvg-convert -w 435 -h 47 "$art/about_banner.svg" -o "$out/png/about_banner.png"
convert "$out/png/about_banner.png" "$out/png/app32.png" -geometry +14+7 -composite \
  -background '#0d2f5e' -alpha remove -alpha off -type TrueColor BMP3:"$out/about_banner.bmp"

# The preview panel's stand-ins for movies (a film strip) and HTML pages (a
# page), at the size the preview shows them, as plain 24-bit bitmaps.
for n in moviepreview htmlpreview; do
  rsvg-convert "$art/$n.svg" -o "$out/png/$n.png"
  convert "$out/png/$n.png" -background '#ffffff' -alpha remove -alpha off -type TrueColor BMP3:"$out/$n.bmp"
done

# The sample wallpapers of the "Images" folder beside the program, which a
# first start with an empty playlist reads.
for n in lakeside dunes seashore hills; do
  rsvg-convert -w 1920 -h 1080 "$art/wallpaper_$n.svg" -o "$out/png/wallpaper_$n.png"
  convert "$out/png/wallpaper_$n.png" -quality 88 "$out/Images/${n^}.jpg"
done

# The object overlay's cursor: a two-colour 32 x 32 cursor file written from
# its drawing (art/hand_cursor.txt: '#' black, '.' white, '-' transparent),
# hot spot at the top-left corner where the fingertip is.
cursor() { # drawing out.cur
  local rows=() line
  while IFS= read -r line; do [[ $line == \#\ * || -z $line ]] || rows+=("$line"); done <"$1"
  if [ ${#rows[@]} -ne 32 ]; then echo "make-art: $1 must have 32 rows" >&2; exit 1; fi
  local hex=""
  le16() { printf '%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
  le32() { printf '%02x%02x%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
  # Directory: one cursor, 32 x 32, 2 colours, hot spot 0, 0, 304 bytes at 22.
  hex+=$(le16 0)$(le16 2)$(le16 1)
  hex+="20200200"$(le16 0)$(le16 0)$(le32 304)$(le32 22)
  # Bitmap header (height counts the colour and the mask bitmaps), 1 bit.
  hex+=$(le32 40)$(le32 32)$(le32 64)$(le16 1)$(le16 1)$(le32 0)$(le32 256)$(le32 0)$(le32 0)$(le32 0)$(le32 0)
  hex+="00000000ffffff00"  # black, white
  local xor="" and="" y x c bx ba
  for ((y = 31; y >= 0; y--)); do  # bottom row first
    line=${rows[y]}
    for ((x = 0; x < 32; x += 8)); do
      bx=0 ba=0
      for ((b = 0; b < 8; b++)); do
        c=${line:x+b:1}
        bx=$((bx << 1)) ba=$((ba << 1))
        case $c in
          '.') bx=$((bx | 1)) ;;
          '#') ;;
          *) ba=$((ba | 1)) ;;
        esac
      done
      xor+=$(printf '%02x' $bx)
      and+=$(printf '%02x' $ba)
    done
  done
  hex+=$xor$and
  local bytes=""
  for ((i = 0; i < ${#hex}; i += 2)); do bytes+="\\x${hex:i:2}"; done
  printf "$bytes" >"$2"
}
cursor "$art/hand_cursor.txt" "$out/hand.cur"
