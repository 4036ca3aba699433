#pragma once
// The program's one way to read and write picture files. A file is decoded
// by what its content is, not by its name: JPEG with libjpeg-turbo, Windows
// bitmaps with our own reader, icons and metafiles with the system's picture
// loader (they stay drawings, not pixels), and everything else through the
// Windows Imaging Component: PNG, GIF, TIFF and whatever codecs the system
// has (WebP, HEIF, camera RAW once installed). Of an animated or multi-page
// file the first frame is taken; transparency is laid over a background
// colour. A picture larger than the decoders' limit is refused from its
// header, before its memory is taken; a damaged file is an error, never a
// half-drawn picture. A file our checks refuse is never handed to another
// decoder that might make a picture of it anyway.
#include <cstdint>
#include <string>

#include "ui/graphics.h"

namespace wc {

// Asks the system's decoders for their extensions once and adds them to the
// program's picture extensions (common/picture_formats.h); later calls do
// nothing. The program calls it at start-up.
void LearnSystemPictureExtensions();

// The desktop's background colour, 0x00RRGGBB: what transparent parts of a
// picture show and what Fit's bars are.
uint32_t DesktopBackground();

struct PictureFileInfo {
  int width = 0;
  int height = 0;
  std::string type;  // "PNG image", "JPEG image", ... in the program's language
};
// From the header alone; throws like ReadPictureFile.
PictureFileInfo ReadPictureInfo(const std::string& path);

// Decodes the whole file. Icons and metafiles come back as the system's
// pictures, everything else as a bitmap. Throws ui::Error with the path and
// the kind of fault (cut short, damaged, too large, not a picture it reads)
// in the program's language when the file cannot be read or decoded.
ui::Picture ReadPictureFile(const std::string& path, uint32_t background);
// The same for a preview whose longer side is `longSide` pixels: a large
// JPEG is decoded reduced (a half, a quarter or an eighth: at least that
// side, at most twice it), and a large picture of the system's decoders is
// scaled to twice that side while it is decoded; bitmaps and drawings come
// whole. Draw the result smoothed to the preview's own size.
ui::Picture ReadPicturePreview(const std::string& path, uint32_t background, int longSide);
// The same as ReadPictureFile, always as a bitmap at the picture's own size.
ui::Bitmap ReadPictureBitmap(const std::string& path, uint32_t background);

// A picture as a bitmap at its own size: an icon or metafile drawn over the
// background colour (its transparent parts show it, as every other kind's
// do), a bitmap copied. A drawing beyond the picture limit is refused
// before any memory is taken for it.
ui::Bitmap PictureBitmap(const ui::Picture& picture, uint32_t background);

// The same from a file's bytes already in memory; `name` stands for the path.
ui::Picture DecodePicture(const std::string& bytes, const std::string& name, uint32_t background);

// Writes the bitmap as a 24-bit PNG through the system's encoder. The file
// replaces an existing one only once written whole.
void WritePngFile(const std::string& path, const ui::Bitmap& bitmap);

}  // namespace wc
