// The program entry.
#include <windows.h>

#include <cwchar>
#include <string>

#include "app/older_windows.h"
#include "app/panel/main_form.h"
#include "app/program.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace {

// The language file the settings name, read through wide calls only: on a
// system without the UTF-8 code page the 8-bit ones may not find the
// program's folder. Empty when it cannot be read. (Plain buffers: this runs
// once, and the program's size counts.)
std::string ChosenLanguageFile() {
  constexpr DWORD kNameMax = 256;
  wchar_t path[32768 + kNameMax + 8];  // on the stack: a static one would take room in the file
  const DWORD n = GetModuleFileNameW(nullptr, path, 32768);
  wchar_t* slash = wcsrchr(path, L'\\');
  if (n == 0 || n >= 32768 || !slash) return {};
  wchar_t* name = slash + 1;
  wcscpy(name, L"settings.ini");
  wchar_t language[kNameMax] = {};
  GetPrivateProfileStringW(L"language", L"value", L"English", language, kNameMax, path);
  wcscpy(name, language);
  wcscat(name, L".lng");
  ui::FileHandle file(
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  // A language file is a few tens of kilobytes; anything far larger is not one.
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 22)) return {};
  std::string bytes(size_t(size.QuadPart), '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &got, nullptr)) return {};
  bytes.resize(got);
  return bytes;
}

// Tells the user, in the language of the settings, that this Windows is too
// old, when it is; true then, and the program must end.
bool RefusedOnThisWindows() {
  const UINT codePage = GetACP();
  if (codePage == wc::kUtf8CodePage) return false;
  const auto refusal = wc::RefusalForCodePage(codePage, ChosenLanguageFile());
  UINT style = MB_OK | MB_ICONERROR;
  if (refusal->rightToLeft) style |= MB_RTLREADING | MB_RIGHT;
  MessageBoxW(nullptr, ui::Widen(refusal->text).c_str(), ui::Widen(wc::kApplicationTitle).c_str(), style);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (RefusedOnThisWindows()) return 1;
  try {
    ui::Application app;
    wc::CreateProgramWindows(app);
    if (auto* main = ui::Application::FindForm<wc::TMainForm>("MainForm")) main->ProgramStarted();
    app.Run();
  } catch (...) {
    ui::ShowCurrentException();
    return 1;
  }
  return 0;
}
