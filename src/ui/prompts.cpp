#include "ui/prompts.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include "ui/application.h"

#include "common/paths.h"
#include "ui/picture_preview_hook.h"
#include "ui/wide_text.h"

namespace ui {

std::string DialogFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out) {
    if (c == '|') c = '\0';
  }
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

int SystemPrompts::Message(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  // Read from right to left, with the text on the right, for such a language.
  if (Application* app = Application::Current(); app && app->RightToLeft()) type |= MB_RTLREADING | MB_RIGHT;
  return MessageBoxA(owner, text.c_str(), caption.c_str(), type | MB_SETFOREGROUND);
}

namespace {
std::optional<FileDialogResult> RunFileDialog(HWND owner, const FileDialogOptions& o, bool save) {
  std::string filter = DialogFilter(o.filter);
  std::vector<char> buffer(64 * 1024, '\0');
  o.fileName.copy(buffer.data(), std::min(o.fileName.size(), buffer.size() - 2));
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = o.filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = DWORD(o.filterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = DWORD(buffer.size());
  ofn.lpstrTitle = o.title.empty() ? nullptr : o.title.c_str();
  ofn.lpstrDefExt = o.defaultExt.empty() ? nullptr : o.defaultExt.c_str();
  ofn.lpstrInitialDir = o.initialDir.empty() ? nullptr : o.initialDir.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (o.multiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
  if (o.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (o.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (o.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (o.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  PicturePreviewHook preview;
  if (o.picturePreview && !save) preview.Install(ofn);
  BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return std::nullopt;
  FileDialogResult r;
  r.filterIndex = int(ofn.nFilterIndex);
  // With several files: the folder, then each name, NUL-separated.
  const char* p = buffer.data();
  std::string first = p;
  p += first.size() + 1;
  if (o.multiSelect && *p) {
    while (*p) {
      std::string name = p;
      r.files.push_back(wc::JoinPath(first, name));
      p += name.size() + 1;
    }
  } else {
    r.files.push_back(first);
  }
  return r;
}
}  // namespace

std::optional<FileDialogResult> SystemPrompts::OpenFile(HWND owner, const FileDialogOptions& options) {
  return RunFileDialog(owner, options, false);
}

std::optional<FileDialogResult> SystemPrompts::SaveFile(HWND owner, const FileDialogOptions& options) {
  return RunFileDialog(owner, options, true);
}

std::optional<COLORREF> SystemPrompts::ChooseColour(HWND owner, COLORREF initial) {
  static COLORREF custom[16] = {};
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = initial;
  cc.lpCustColors = custom;
  cc.Flags = CC_FULLOPEN | CC_RGBINIT;
  if (!ChooseColorA(&cc)) return std::nullopt;
  return cc.rgbResult;
}

namespace {
// Opens the browser at the folder it was given.
int CALLBACK SelectInitialFolder(HWND window, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}
}  // namespace

std::optional<std::string> SystemPrompts::PickFolder(HWND owner, const std::string& title, const std::string& initial) {
  const std::wstring wideTitle = Widen(title);
  const std::wstring wideInitial = Widen(initial);
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = wideTitle.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  bi.lpfn = SelectInitialFolder;
  bi.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(wideInitial.c_str());
  struct ItemList {
    PIDLIST_ABSOLUTE p;
    ~ItemList() { CoTaskMemFree(p); }
  } chosen{SHBrowseForFolderW(&bi)};
  if (!chosen.p) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(chosen.p, path)) return std::nullopt;
  return Narrow(path);
}

bool SystemPrompts::PrinterSetup(HWND owner) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.hDevNames = devNames_;
  pd.hDevMode = devMode_;
  pd.Flags = PD_PRINTSETUP;
  if (!PrintDlgA(&pd)) return false;
  devNames_ = pd.hDevNames;
  devMode_ = pd.hDevMode;
  return true;
}

void SystemPrompts::ShellOpen(HWND owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& folder, int show) {
  ShellExecuteA(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                parameters.empty() ? nullptr : parameters.c_str(), folder.empty() ? nullptr : folder.c_str(), show);
}

void SystemPrompts::PlaySoundFile(const std::string& path, DWORD flags) { PlaySoundA(path.c_str(), nullptr, flags); }

}  // namespace ui
