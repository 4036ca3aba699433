#include "program_files.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/bmp.h"
#include "common/jpeg.h"
#include "common/paths.h"
#include "common/text.h"

namespace wc::test {

void WriteTextFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error("cannot write " + path);
  f << bytes;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string MakeFile(const std::string& path, const std::string& bytes) {
  WriteTextFile(path, bytes);
  return path;
}

std::string MakePicture(const std::string& path, int width, int height, uint32_t colour) {
  Image32 image;
  image.width = width;
  image.height = height;
  image.pixels.assign(size_t(width) * size_t(height), colour);
  std::string ext = UpperCaseText(ExtractFileExt(path));
  if (ext == ".JPG" || ext == ".JPEG") EncodeJpegFile(path, image, 90);
  else WriteBmpFile(path, image, 24);
  return path;
}

namespace {
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kDesktopNames[] = {"Wallpaper", "TileWallpaper", "WallpaperStyle", "WallpaperOriginX",
                                         "WallpaperOriginY"};
}  // namespace

std::string DesktopValue(const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

bool SetDesktopValue(const char* name, const std::string& value) {
  return RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, name, REG_SZ, value.c_str(), DWORD(value.size() + 1)) ==
         ERROR_SUCCESS;
}

void MarkDesktop() {
  for (const char* name : kDesktopNames) SetDesktopValue(name, std::string("untouched ") + name);
}

bool DesktopUntouched() {
  for (const char* name : kDesktopNames) {
    if (DesktopValue(name) != std::string("untouched ") + name) return false;
  }
  return true;
}

SavedDesktop::SavedDesktop() {
  for (const char* name : kDesktopNames) saved_.push_back(DesktopValue(name));
}

SavedDesktop::~SavedDesktop() {
  for (size_t i = 0; i < saved_.size(); ++i) {
    if (saved_[i] == "<none>") {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kDesktopNames[i]);
    } else {
      SetDesktopValue(kDesktopNames[i], saved_[i]);
    }
  }
}

void* MakeDropHandle(const std::vector<std::string>& files) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const auto& f : files) size += f.size() + 1;
  HGLOBAL h = GlobalAlloc(GHND, size);
  auto* df = static_cast<DROPFILES*>(GlobalLock(h));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = FALSE;
  char* p = reinterpret_cast<char*>(df + 1);
  for (const auto& f : files) {
    std::memcpy(p, f.c_str(), f.size() + 1);
    p += f.size() + 1;
  }
  *p = '\0';
  GlobalUnlock(h);
  return h;
}

std::vector<std::string> IniSections(const std::string& path) {
  std::vector<std::string> sections;
  std::istringstream in(ReadTextFile(path));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') sections.push_back(line.substr(1, line.size() - 2));
  }
  return sections;
}

}  // namespace wc::test
