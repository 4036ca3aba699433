// One whole translation run of the program's windows, as the start-up and
// the settings dialog start it: every line of the control panel's list (every
// window's captions, menus and titles), the tool tips of the message table
// and the texts the windows compose again, from a language file that
// translates all of them (two files in turn, so every run changes every
// text). Against a bare baseline in the same run: as many
// GetPrivateProfileString reads of one file plus as many SetWindowText calls
// on one window. Goal: a run within 50 ms.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "bench.h"
#include "lang/program_texts.h"
#include "lang/translation_list.h"
#include "ui/application.h"
#include "ui/wide_text.h"

namespace {

std::string FullLanguageFile(const std::string& tag) {
  std::string text = "[Translations]\r\n";
  for (std::string_view line : wc::TranslationList()) {
    text += std::string(line) + "=";
    text += line.ends_with(".Items") ? "un " + tag + ", deux, trois, quatre" : "Texte traduit " + tag;
    text += "\r\n";
  }
  text += "[Messages]\r\n";
  for (const wc::HintMessage& row : wc::HintMessages())
    text += std::string(row.id) + "=Une bulle d'aide assez longue pour ressembler aux vraies " + tag + "\r\n";
  text += "Message4=Le fond d'\xC3\xA9" "cran a \xC3\xA9t\xC3\xA9 effac\xC3\xA9.\r\n";
  for (const wc::ProgramText& said : wc::ProgramTexts())
    text += std::string(said.id) + "=" + std::string(said.english) + " " + tag + "\r\n";
  return text;
}

void Write(const std::string& path, const std::string& text) {
  HANDLE f = CreateFileW(ui::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(f);
}

}  // namespace

int main() {
  ui::Application app;
  wc::CreateProgramWindows(app);
  auto* panel = ui::Application::FindForm<wc::TMainForm>("MainForm");
  const std::string a = bench::TempFile("bench_language_a.lng");
  const std::string b = bench::TempFile("bench_language_b.lng");
  Write(a, FullLanguageFile("A"));
  Write(b, FullLanguageFile("B"));
  const int runs = 40;
  const size_t lines = wc::TranslationList().size();
  const size_t hints = wc::HintMessages().size();

  // The least a run can do: read every value the system's way and put
  // every text on a window.
  HWND label = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
  const std::wstring wa = ui::Widen(a);
  int flip = 0;
  auto bare = bench::Measure(runs, [&] {
    wchar_t value[2048];
    for (std::string_view line : wc::TranslationList()) {
      GetPrivateProfileStringW(L"Translations", ui::Widen(std::string(line)).c_str(), L"", value, 2048, wa.c_str());
      value[0] = flip & 1 ? L'x' : L'y';
      SetWindowTextW(label, value);
    }
    for (const wc::HintMessage& row : wc::HintMessages()) {
      const std::wstring id = ui::Widen(std::string(row.id));
      GetPrivateProfileStringW(L"Messages", id.c_str(), id.c_str(), value, 2048, wa.c_str());
      SetWindowTextW(label, value);
    }
    ++flip;
  });
  bench::Report("bare: " + std::to_string(lines + hints) + " profile reads + SetWindowText", bare);

  flip = 0;
  auto run = bench::Measure(runs, [&] {
    panel->Translator.SetLanguageFile(flip++ & 1 ? b : a);
    panel->Translator.ApplyLanguage();
  });
  char ratio[64];
  std::snprintf(ratio, sizeof ratio, "%.2f x bare (median)", run.median_ms / bare.median_ms);
  bench::Report("ApplyLanguage, " + std::to_string(lines) + " lines + " + std::to_string(hints) + " hints", run,
                ratio);
  std::printf("goal: a run within 50 ms: %s\n", run.median_ms <= 50.0 ? "met" : "NOT met");

  DestroyWindow(label);
  DeleteFileW(ui::Widen(a).c_str());
  DeleteFileW(ui::Widen(b).c_str());
  return 0;
}
