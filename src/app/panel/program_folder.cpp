// A program folder the user may not write.
#include <windows.h>

#include "app/panel/main_form.h"
#include "common/paths.h"
#include "lang/program_texts.h"
#include "ui/application.h"
#include "ui/prompts.h"
#include "ui/wide_text.h"

namespace wc {

namespace {

// Whether a new file can be made in `folder`: a probe made and gone at once.
// Asking the folder's security would not tell what a read-only medium, a
// share or Wine's file system refuse; making a file does.
bool CanMakeFilesIn(const std::string& folder) {
  const std::wstring probe =
      ui::Widen(IncludeTrailingBackslash(folder)) + L"~write-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return true;
  }
  // Only a refusal is said: a folder gone or a disk full shows at the save.
  const DWORD error = GetLastError();
  return error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT;
}

}  // namespace

void TMainForm::SayIfProgramFolderIsReadOnly() {
  if (CanMakeFilesIn(ExeFolder)) return;
  ProgramFolderReadOnly = true;
  const std::string folder = ExcludeTrailingBackslash(ExeFolder);
  App().prompts().Message(Handle(), Say(texts::kProgramFolderReadOnly, {folder}), App().Title,
                          MB_OK | MB_ICONWARNING);
}

}  // namespace wc
