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
