#include "soak_data.h"

#include <windows.h>

#include <array>
#include <stdexcept>

#include "common/bmp.h"
#include "common/image32.h"
#include "common/jpeg.h"
#include "common/paths.h"
#include "playlist/playlist_format.h"

namespace wc::soak {

Layout::Layout(const std::string& rootFolder)
    : root(rootFolder),
      program(rootFolder + "\\program"),
      pictures(rootFolder + "\\pictures"),
      scratch(rootFolder + "\\scratch"),
      scratchPictures(rootFolder + "\\scratch\\pictures"),
      scratchOut(rootFolder + "\\scratch\\out"),
      guard(rootFolder + "\\guard") {}

namespace {

void MakeFolder(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    throw std::runtime_error("cannot make folder " + path);
  }
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) { WriteFileBytes(path, bytes); }

void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(x >> s));
}
void Put16Le(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32Le(std::vector<uint8_t>& v, uint32_t x) {
  Put16Le(v, x & 0xFFFF);
  Put16Le(v, x >> 16);
}

void PngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, uint32_t(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, Crc32(body.data(), body.size()));
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, uint32_t colour) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      raw.push_back(uint8_t(PixelRed(colour) + x));
      raw.push_back(uint8_t(PixelGreen(colour) + y));
      raw.push_back(PixelBlue(colour));
    }
  }
  // zlib with stored blocks only.
  std::vector<uint8_t> z{0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0;) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    const bool last = at + n >= raw.size();
    z.push_back(last ? 1 : 0);
    Put16Le(z, uint32_t(n));
    Put16Le(z, uint32_t(~n & 0xFFFF));
    z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
    at += n;
    if (last) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Put32(z, b << 16 | a);
  std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32(header, uint32_t(width));
  Put32(header, uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});
  PngChunk(out, "IHDR", header);
  PngChunk(out, "IDAT", z);
  PngChunk(out, "IEND", {});
  return out;
}

std::vector<uint8_t> EncodeGif(int width, int height, uint32_t colour) {
  // Two colours; every pixel a 9-bit code of its own, with a clear code
  // often enough that the code size never grows (valid LZW, no compression).
  std::vector<uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
  Put16Le(out, uint32_t(width));
  Put16Le(out, uint32_t(height));
  out.insert(out.end(), {0xF7, 0, 0});  // global table of 256 colours
  for (int i = 0; i < 256; ++i) {
    out.push_back(uint8_t(i == 1 ? PixelRed(colour) : i));
    out.push_back(uint8_t(i == 1 ? PixelGreen(colour) : i));
    out.push_back(uint8_t(i == 1 ? PixelBlue(colour) : i));
  }
  out.push_back(0x2C);
  Put16Le(out, 0);
  Put16Le(out, 0);
  Put16Le(out, uint32_t(width));
  Put16Le(out, uint32_t(height));
  out.push_back(0);
  out.push_back(8);  // minimum code size
  std::vector<uint8_t> codes;
  uint32_t bits = 0;
  int nbits = 0;
  auto emit = [&](uint32_t code) {
    bits |= code << nbits;
    nbits += 9;
    while (nbits >= 8) {
      codes.push_back(uint8_t(bits));
      bits >>= 8;
      nbits -= 8;
    }
  };
  const uint32_t clear = 256, end = 257;
  int sinceClear = 0;
  emit(clear);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (sinceClear == 250) {
        emit(clear);
        sinceClear = 0;
      }
      emit(((x / 4 + y / 4) & 1) ? 1 : 200);
      ++sinceClear;
    }
  emit(end);
  if (nbits > 0) codes.push_back(uint8_t(bits));
  for (size_t at = 0; at < codes.size(); at += 255) {
    const size_t n = std::min<size_t>(255, codes.size() - at);
    out.push_back(uint8_t(n));
    out.insert(out.end(), codes.begin() + long(at), codes.begin() + long(at + n));
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}

std::vector<uint8_t> EncodeTiff(int width, int height, uint32_t colour) {
  // Little-endian, uncompressed RGB, one strip.
  const uint32_t pixelBytes = uint32_t(width) * uint32_t(height) * 3;
  std::vector<uint8_t> out{'I', 'I', 42, 0};
  Put32Le(out, 8 + pixelBytes);  // the directory follows the pixels
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      out.push_back(uint8_t(PixelRed(colour) ^ x));
      out.push_back(PixelGreen(colour));
      out.push_back(uint8_t(PixelBlue(colour) ^ y));
    }
  const uint32_t bitsAt = uint32_t(out.size()) + 2 + 10 * 12 + 4;
  struct Tag {
    uint16_t tag, type;
    uint32_t count, value;
  };
  const std::array<Tag, 10> tags{{{256, 4, 1, uint32_t(width)},
                                  {257, 4, 1, uint32_t(height)},
                                  {258, 3, 3, bitsAt},
                                  {259, 3, 1, 1},
                                  {262, 3, 1, 2},
                                  {273, 4, 1, 8},
                                  {277, 3, 1, 3},
                                  {278, 4, 1, uint32_t(height)},
                                  {279, 4, 1, pixelBytes},
                                  {284, 3, 1, 1}}};
  Put16Le(out, uint32_t(tags.size()));
  for (const Tag& t : tags) {
    Put16Le(out, t.tag);
    Put16Le(out, t.type);
    Put32Le(out, t.count);
    if (t.type == 3 && t.count == 1) {
      Put16Le(out, t.value);
      Put16Le(out, 0);
    } else {
      Put32Le(out, t.value);
    }
  }
  Put32Le(out, 0);
  Put16Le(out, 8);
  Put16Le(out, 8);
  Put16Le(out, 8);
  return out;
}

namespace {

uint32_t Colour(Rng& rng) { return MakePixel(uint8_t(rng.Below(256)), uint8_t(rng.Below(256)), uint8_t(rng.Below(256))); }

// A readable picture of a random kind and size at `stem` + its extension.
std::string MakeGoodPicture(const std::string& stem, Rng& rng) {
  const int w = 16 + rng.Below(rng.Chance(10) ? 1600 : 400), h = 16 + rng.Below(rng.Chance(10) ? 1200 : 300);
  const uint32_t c = Colour(rng);
  const int kind = rng.Below(10);
  std::string path;
  if (kind < 4) {
    path = stem + (rng.Chance(50) ? ".jpg" : ".JPEG");
    Image32 image = MakeImage(w, h, c);
    for (int y = 0; y < h; y += 7)
      for (int x = 0; x < w; ++x) image.at(x, y) = ~c & 0xFFFFFF;
    EncodeJpegFile(path, image, 60 + rng.Below(40));
  } else if (kind < 7) {
    path = stem + ".bmp";
    WriteBmpFile(path, MakeImage(w, h, c), rng.Chance(70) ? 24 : 32);
  } else if (kind == 7) {
    path = stem + ".png";
    WriteBytes(path, EncodePng(w, h, c));
  } else if (kind == 8) {
    path = stem + ".gif";
    WriteBytes(path, EncodeGif(w, h, c));
  } else {
    path = stem + (rng.Chance(50) ? ".tif" : ".tiff");
    WriteBytes(path, EncodeTiff(w, h, c));
  }
  return path;
}

// A file that looks like a picture by its name and is not one, or only half.
std::string MakeDamagedPicture(const std::string& stem, Rng& rng) {
  switch (rng.Below(6)) {
    case 0: {  // a JPEG cut in the middle
      const std::string path = stem + ".jpg";
      EncodeJpegFile(path, MakeImage(200, 150, Colour(rng)), 80);
      std::vector<uint8_t> bytes = ReadFileBytes(path);
      bytes.resize(bytes.size() / 2);
      WriteBytes(path, bytes);
      return path;
    }
    case 1: {  // nothing at all
      const std::string path = stem + ".bmp";
      WriteBytes(path, {});
      return path;
    }
    case 2: {  // a bitmap header claiming an enormous picture
      const std::string path = stem + ".bmp";
      std::vector<uint8_t> bytes = EncodeBmp(MakeImage(4, 4, Colour(rng)), 24);
      bytes[18] = bytes[19] = bytes[20] = 0x7F;
      bytes[22] = bytes[23] = bytes[24] = 0x7F;
      WriteBytes(path, bytes);
      return path;
    }
    case 3: {  // text under a picture's name
      const std::string path = stem + ".jpeg";
      WriteText(path, "this is no picture\r\n");
      return path;
    }
    case 4: {  // a PNG whose checksum is wrong
      const std::string path = stem + ".png";
      std::vector<uint8_t> bytes = EncodePng(40, 30, Colour(rng));
      bytes[bytes.size() - 20] ^= 0x55;
      WriteBytes(path, bytes);
      return path;
    }
    default: {  // random bytes
      const std::string path = stem + (rng.Chance(50) ? ".gif" : ".tif");
      std::vector<uint8_t> bytes(size_t(1 + rng.Below(4000)));
      for (uint8_t& b : bytes) b = uint8_t(rng.Below(256));
      WriteBytes(path, bytes);
      return path;
    }
  }
}

// Names in several scripts (UTF-8; the program and this driver both run with
// the UTF-8 code page).
const std::vector<std::string> kNames = {
    "lake",        "été à Nice",  "Семья",          "家族の写真",  "عائلة",         "Ελλάδα 2020",
    "dünen",       "snow (1)",    "a;b,c",          "hôtel-Ærø",  "कमल",           "מדבר",
    "space  twice", "x",          "UPPER.case",     "日落",       "Zürich-☃",      "plain name",
};

void AddEntry(Material& m, const std::string& path) {
  m.playlist.push_back(path);
  m.playlist.push_back(DisplayName(path));
}

std::string Stem(const std::string& folder, Rng& rng, int n) {
  return folder + "\\" + kNames[size_t(rng.Below(int(kNames.size())))] + " " + std::to_string(n);
}

}  // namespace

void RefillScratch(const Layout& at, Rng& rng) {
  // The same names every time, so that entries that lost their file find it again.
  for (int i = 0; i < 24; ++i) {
    const std::string stem = at.scratchPictures + "\\scratch-" + std::to_string(i);
    const std::string path = stem + (i % 2 ? ".bmp" : ".jpg");
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    if (i % 2) {
      WriteBmpFile(path, MakeImage(64 + i, 48 + i, Colour(rng)), 24);
    } else {
      EncodeJpegFile(path, MakeImage(64 + i, 48 + i, Colour(rng)), 80);
    }
  }
}

Material MakeMaterial(const Layout& at, Rng& rng) {
  Material m;
  for (const std::string& f : {at.root, at.program, at.pictures, at.scratch, at.scratchPictures, at.scratchOut, at.guard}) {
    MakeFolder(f);
  }
  // The tree: a few folders in several scripts, some nested, one chain deep
  // enough that its pictures' paths come close to the system's limit.
  std::vector<std::string> folders = {at.pictures};
  for (const char* sub : {"Holidays", "Holidays\\2019", "Holidays\\2019\\Ελλάδα", "Семья", "家族", "عائلة",
                          "hidden stuff", "empty"}) {
    folders.push_back(at.pictures + "\\" + sub);
    MakeFolder(folders.back());
  }
  SetFileAttributesA((at.pictures + "\\hidden stuff").c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::string deep = at.pictures;
  while (deep.size() < 200) {
    deep += "\\deep folder " + std::string(20, char('a' + rng.Below(26)));
    MakeFolder(deep);
  }
  folders.push_back(deep);

  int n = 0;
  for (int i = 0; i < 220; ++i) {
    const std::string& folder = folders[size_t(rng.Below(int(folders.size())))];
    if (folder.find("empty") != std::string::npos) continue;
    std::string stem = Stem(folder, rng, n++);
    if (folder == deep) {
      // Up to the edge of MAX_PATH with the extension.
      const size_t room = 250 - std::min<size_t>(250, stem.size());
      stem += std::string(room, 'L');
    }
    if (rng.Chance(12)) {
      AddEntry(m, MakeDamagedPicture(stem, rng));
    } else {
      const std::string path = MakeGoodPicture(stem, rng);
      m.pictures.push_back(path);
      AddEntry(m, path);
    }
  }
  // Entries whose files are gone, some with paths longer than the system takes.
  for (int i = 0; i < 30; ++i) {
    std::string path = Stem(folders[size_t(rng.Below(int(folders.size())))], rng, n++) + ".jpg";
    if (i < 5) path = deep + "\\" + std::string(120 + size_t(rng.Below(200)), 'W') + ".bmp";
    if (i == 5) path = "Q:\\no such drive\\picture.jpg";
    AddEntry(m, path);
  }
  // HTML pages and movies (names only: the program makes a page that embeds them).
  for (int i = 0; i < 6; ++i) {
    const std::string path = at.pictures + "\\page " + std::to_string(i) + (i % 3 == 0 ? ".html" : i % 3 == 1 ? ".htm" : ".avi");
    WriteText(path, i % 3 == 2 ? std::string("RIFF....AVI ") : "<html><body style='background:#" + std::to_string(100 + i) + "'>page</body></html>");
    m.pages.push_back(path);
    AddEntry(m, path);
  }
  // Pictures that file operations may move, rename or delete.
  RefillScratch(at, rng);
  for (int i = 0; i < 24; ++i) AddEntry(m, at.scratchPictures + "\\scratch-" + std::to_string(i) + (i % 2 ? ".bmp" : ".jpg"));
  // Shuffle the entries (pairs) so that kinds are mixed.
  for (size_t i = m.playlist.size() / 2; i > 1; --i) {
    const size_t j = size_t(rng.Below(int(i)));
    std::swap(m.playlist[2 * (i - 1)], m.playlist[2 * j]);
    std::swap(m.playlist[2 * (i - 1) + 1], m.playlist[2 * j + 1]);
  }
  WriteText(at.program + "\\DefPlayList.qvl", FormatPlaylistText(m.playlist));

  // Playlists that Load and Append may open: a small one, a damaged one.
  const std::string small = at.scratch + "\\small list.qvl", damaged = at.scratch + "\\damaged.qvl";
  std::vector<std::string> few(m.playlist.begin(), m.playlist.begin() + 20);
  WriteText(small, FormatPlaylistText(few));
  WriteText(damaged, "C:\\only a path without its name\r\n\x01\x02\xff\xfe broken\r");
  m.playlists = {small, damaged};

  // Files nobody names, which must stay as they are.
  WriteText(at.guard + "\\keep.txt", "left alone\r\n");
  WriteText(at.guard + "\\keep.qvl", FormatPlaylistText(few));
  EncodeJpegFile(at.guard + "\\keep.jpg", MakeImage(32, 32, Colour(rng)), 90);

  static const std::vector<std::string> languages = {"English", "French", "Spanish", "Romanian", "Arabic"};
  m.language = rng.Pick(languages);
  std::string ini;
  auto value = [&](const std::string& section, const std::string& key, const std::string& v) {
    ini += "[" + section + "]\r\n" + key + "=" + v + "\r\n";
  };
  value("language", "value", m.language);
  value("Change at Startup", "Checked", rng.Chance(50) ? "1" : "0");
  value("Functioning mode", "value", rng.Chance(20) ? "1" : "2");
  value("Automatic mode location", "value", at.pictures);
  value("Wallpaper style", "value", std::to_string(rng.Below(4)));
  value("Run at startup", "Checked", "0");
  WriteText(at.program + "\\settings.ini", ini);
  return m;
}

}  // namespace wc::soak
