#pragma once
// Small file helpers for the tests of the Windows program.
#include <cstdint>
#include <string>
#include <vector>

namespace wc::test {

void WriteTextFile(const std::string& path, const std::string& bytes);
std::string ReadTextFile(const std::string& path);
bool Exists(const std::string& path);
// Makes a file (of any content) that the playlist can point at.
std::string MakeFile(const std::string& path, const std::string& bytes = "x");
// Makes a small real picture, a JPEG or a 24-bit bitmap as the extension
// says (anything else gets the bitmap bytes), for tests in which the panel
// describes or shows the entry.
std::string MakePicture(const std::string& path, int width = 8, int height = 6, uint32_t colour = 0x3080C0);
// A drop handle as the shell hands it to a window for the given files.
void* MakeDropHandle(const std::vector<std::string>& files);
// The desktop's values under HKCU "Control Panel\Desktop"; "<none>" for a
// value that is not there.
std::string DesktopValue(const char* name);
bool SetDesktopValue(const char* name, const std::string& value);
// Marks every value applying a wallpaper writes, so that a later look shows
// whether anything was written at all.
void MarkDesktop();
bool DesktopUntouched();
// The desktop values as a test found them, put back when it ends, so that
// marks never outlive the test.
class SavedDesktop {
 public:
  SavedDesktop();
  ~SavedDesktop();
  SavedDesktop(const SavedDesktop&) = delete;
  SavedDesktop& operator=(const SavedDesktop&) = delete;

 private:
  std::vector<std::string> saved_;
};

// The section names of an INI file, in file order.
std::vector<std::string> IniSections(const std::string& path);

}  // namespace wc::test
