#pragma once
// Which files the program reads as pictures, how it tells a picture's format
// from its first bytes, and the rules every decoder shares: the largest
// picture taken, and how a picture with transparency is laid over a colour.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

// Extensions are upper case with their dot (".PNG"): the form the folder
// reader and the disk search compare with.
//
// The ones every copy of the program reads: those it decodes itself or with
// the system's picture loader (JPEG, bitmaps, icons, metafiles), and those
// every Windows since Vista decodes (PNG, GIF, TIFF).
const std::vector<std::string>& BasePictureExtensions();

// The base ones, then those the system's decoders added (AddPictureExtensions),
// each once, in that order.
std::vector<std::string> PictureExtensions();

// Learns more extensions, from the decoders the system has (a WebP or camera
// codec the user installed). Each is upper-cased; one without a leading dot,
// with a path separator or wildcard, or longer than 10 characters is left out.
void AddPictureExtensions(const std::vector<std::string>& extensions);

// Splits a decoder's list (".png,.Png;.apng") into its extensions.
std::vector<std::string> SplitExtensionList(std::string_view text);

// True when `extension` (with its dot, any case) is in `list`.
bool HasExtension(const std::vector<std::string>& list, std::string_view extension);
// PictureExtensions() holds it.
bool IsPictureExtension(std::string_view extension);

// "*.jpg;*.jpeg;...": the list as a file dialog's pattern, lower case.
std::string ExtensionPattern(const std::vector<std::string>& extensions);

// What the first bytes of a file say it is.
enum class PictureSignature { Unknown, Jpeg, Bitmap, Png, Gif, Tiff, Icon, Metafile };
// `head` is the file's start; 16 bytes are enough for every kind.
PictureSignature SniffPicture(std::span<const uint8_t> head);

// The size a header claims, read before any decoder is trusted with the
// file: a PNG's; a GIF's screen or largest frame; an icon's largest image
// (its directory, or the header of the image itself); a metafile's frame in
// pixels at 96 dots per inch. nullopt for other kinds (JPEG and bitmaps have
// readers of their own), a plain metafile (it claims no size) or a header
// cut short.
struct ClaimedSize {
  int64_t width = 0;
  int64_t height = 0;
};
std::optional<ClaimedSize> ClaimedPictureSize(std::span<const uint8_t> bytes);

// Whether a file holds everything its header promises, checked before the
// system's decoders see it: every PNG chunk whole, with the right checksum,
// up to the end chunk; the GIF's blocks whole up to the end of its first
// image; every image an icon's directory lists inside the file; a
// metafile's records as long as its header says. A file cut short or
// damaged there is refused even where a decoder would make a picture of
// what is there. Other kinds: true (their decoders tell).
bool PictureDataComplete(std::span<const uint8_t> bytes);

// The CRC-32 of PNG chunks (and zip files): polynomial 0xEDB88320.
uint32_t Crc32(std::span<const uint8_t> bytes);

// The largest picture any decoder takes, whatever its kind, checked from
// the header before memory is spent (the same limits as the JPEG decoder's).
bool PictureSizeAllowed(int64_t width, int64_t height);
// "... is 40000 x 40000 pixels; the largest picture taken is ..." for errors.
std::string PictureSizeRefusal(int64_t width, int64_t height);

// Lays premultiplied blue-green-red-alpha pixels over an opaque background
// (0x00RRGGBB): each becomes opaque, byte 3 is 0. Fully opaque pixels keep
// their colour exactly.
void ComposeOver(std::span<uint32_t> pixels, uint32_t background);

}  // namespace wc
