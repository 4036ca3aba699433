// The program entry.
#include <windows.h>

#include <cwchar>
#include <string>
#include <variant>
#include <vector>

#include "app/older_windows.h"
#include "app/panel/main_form.h"
#include "app/program.h"
#include "app/remote_command.h"
#include "app/running_copy.h"
#include "lang/lang.h"
#include "lang/program_texts.h"
#include "playlist/playlist_file.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace {

constexpr DWORD kNameMax = 256;
constexpr DWORD kLanguagePathRoom = 32768 + kNameMax + 8;

// The path of the language file the settings name, written into `path`
// (kLanguagePathRoom characters) through wide calls only: on a system
// without the UTF-8 code page the 8-bit ones may not find the program's
// folder. False when the program's own path cannot be had.
bool ChosenLanguagePathInto(wchar_t* path) {
  const DWORD n = GetModuleFileNameW(nullptr, path, 32768);
  wchar_t* slash = wcsrchr(path, L'\\');
  if (n == 0 || n >= 32768 || !slash) return false;
  wchar_t* name = slash + 1;
  wcscpy(name, L"settings.ini");
  wchar_t language[kNameMax] = {};
  GetPrivateProfileStringW(L"language", L"value", L"English", language, kNameMax, path);
  wcscpy(name, language);
  wcscat(name, L".lng");
  return true;
}

// The language file's bytes; empty when it cannot be read. (Plain buffers:
// this runs once, and the program's size counts.)
std::string ChosenLanguageFile() {
  wchar_t path[kLanguagePathRoom];  // on the stack: a static one would take room in the file
  if (!ChosenLanguagePathInto(path)) return {};
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

// The settings' language file, for the texts said before any window.
std::string ChosenLanguagePath() {
  wchar_t path[kLanguagePathRoom];
  return ChosenLanguagePathInto(path) ? ui::Narrow(path) : std::string();
}

// A mistake on the command line, then how the program is called, in the
// language of the settings.
int CommandLineMistake(const wc::ProgramText& mistake, const std::string& what) {
  wc::TLanguage language(nullptr, "CommandLineTexts");
  language.SetLanguageFile(ChosenLanguagePath());
  language.MakeProgramLanguage();
  wc::SayOnConsole(wc::Say(mistake, {what}));
  wc::SayOnConsole(wc::Say(wc::texts::kCommandLineUsage, {"WallpaperChanger.exe"}));
  return 2;
}

std::string FullPathOf(const std::string& file) {
  const std::wstring wide = ui::Widen(file);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return file;
  std::wstring full(size, L'\0');
  const DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (n == 0 || n >= size) return file;
  full.resize(n);
  return ui::Narrow(full);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (RefusedOnThisWindows()) return 1;
  // A command for a running copy goes to it, and this start ends there.
  std::vector<std::string> arguments(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
  const wc::ParsedCommandLine commandLine = wc::ParseCommandLine(arguments);
  if (const auto* error = std::get_if<wc::CommandLineError>(&commandLine)) {
    return CommandLineMistake(wc::texts::kCommandNotUnderstood, error->word);
  }
  if (const auto* given = std::get_if<wc::RemoteCommand>(&commandLine)) {
    wc::RemoteCommand command = *given;
    if (!command.file.empty()) {
      // The running copy has a working folder of its own.
      command.file = FullPathOf(command.file);
      if (!wc::FileExists(command.file)) return CommandLineMistake(wc::texts::kCommandFileMissing, command.file);
    }
    if (HWND copy = wc::FindRunningCopy()) return wc::HandToRunningCopy(copy, command) ? 0 : 1;
  }
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
