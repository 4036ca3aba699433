#pragma once
// Everything the program asks of the user or hands to the shell goes through
// this one interface: message boxes, file dialogs, the colour and printer
// dialogs, shell execute and sound. The program uses SystemPrompts; tests put
// a scripted implementation in its place.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace ui {

struct FileDialogOptions {
  std::string title;
  std::string filter;  // "Playlist|*.qvl|All|*.*"
  int filterIndex = 1;
  std::string fileName;
  std::string defaultExt;
  std::string initialDir;
  bool multiSelect = false;
  bool fileMustExist = false;
  bool pathMustExist = false;
  bool overwritePrompt = false;
  bool hideReadOnly = true;
  // A picture dialog: a preview of the selected picture beside the files.
  bool picturePreview = false;
};

struct FileDialogResult {
  std::vector<std::string> files;  // full paths, in the dialog's order
  int filterIndex = 1;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // MessageBox: returns IDOK, IDCANCEL, ...
  virtual int Message(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
  virtual std::optional<FileDialogResult> OpenFile(HWND owner, const FileDialogOptions& options) = 0;
  virtual std::optional<FileDialogResult> SaveFile(HWND owner, const FileDialogOptions& options) = 0;
  virtual std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial) = 0;
  // The shell's folder browser, opened at `initial` when it exists: the
  // folder chosen, nothing when cancelled.
  virtual std::optional<std::string> PickFolder(HWND owner, const std::string& title, const std::string& initial) = 0;
  // The printer-setup dialog; true when the user confirmed.
  virtual bool PrinterSetup(HWND owner) = 0;
  virtual void ShellOpen(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                            const std::string& folder, int show) = 0;
  virtual void PlaySoundFile(const std::string& path, DWORD flags) = 0;
};

class SystemPrompts : public Prompts {
 public:
  int Message(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  std::optional<FileDialogResult> OpenFile(HWND owner, const FileDialogOptions& options) override;
  std::optional<FileDialogResult> SaveFile(HWND owner, const FileDialogOptions& options) override;
  std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial) override;
  std::optional<std::string> PickFolder(HWND owner, const std::string& title, const std::string& initial) override;
  bool PrinterSetup(HWND owner) override;
  void ShellOpen(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                    const std::string& folder, int show) override;
  void PlaySoundFile(const std::string& path, DWORD flags) override;

  // The printer chosen by the last confirmed setup (a DEVNAMES/DEVMODE pair).
  HGLOBAL DevNames() const { return devNames_; }
  HGLOBAL DevMode() const { return devMode_; }

 private:
  HGLOBAL devNames_ = nullptr;
  HGLOBAL devMode_ = nullptr;
};

// "Playlist|*.qvl" in the form the file dialogs want: parts separated by NUL,
// ended by two NULs.
std::string DialogFilter(const std::string& filter);

}  // namespace ui
