#pragma once
// A stand-in for the system prompts: it records every question the program
// asks and answers from a script the test sets up. A dialog without a
// scripted answer counts as cancelled; a message box without one as OK.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/prompts.h"

namespace wc::test {

class ScriptedPrompts : public ui::Prompts {
 public:
  struct MessageCall {
    std::string text;
    std::string caption;
    UINT type;
  };
  struct ShellCall {
    HWND owner;
    std::string verb, file, parameters, folder;
    int show;
  };
  struct SoundCall {
    std::string path;
    DWORD flags;
  };

  // Script.
  void AnswerMessage(int answer) { messageAnswers.push_back(answer); }
  // Runs while the next message box is open, before its answer: what the
  // program's timers and other messages do behind a real box.
  void WhileMessageOpen(std::function<void()> f) { whileMessage = std::move(f); }
  void AnswerOpen(std::vector<std::string> files, int filterIndex = 1) {
    openAnswers.push_back(ui::FileDialogResult{std::move(files), filterIndex});
  }
  void CancelOpen() { openAnswers.push_back(std::nullopt); }
  void AnswerSave(std::string file, int filterIndex = 1) {
    saveAnswers.push_back(ui::FileDialogResult{{std::move(file)}, filterIndex});
  }
  void AnswerColour(COLORREF c) { colourAnswers.push_back(c); }
  void AnswerFolder(std::string folder) { folderAnswers.push_back(std::move(folder)); }
  void AnswerPrinterSetup(bool ok) { printerAnswers.push_back(ok); }

  std::function<void()> whileMessage;

  // Record.
  std::vector<MessageCall> messages;
  std::vector<ui::FileDialogOptions> openCalls, saveCalls;
  std::vector<COLORREF> colourCalls;
  std::vector<std::string> folderCalls;  // the folder each browser opened at
  int printerSetupCalls = 0;
  std::vector<ShellCall> shellCalls;
  std::vector<SoundCall> sounds;

  // Texts of the message boxes shown so far.
  std::vector<std::string> MessageTexts() const;

  int Message(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  std::optional<ui::FileDialogResult> OpenFile(HWND owner, const ui::FileDialogOptions& options) override;
  std::optional<ui::FileDialogResult> SaveFile(HWND owner, const ui::FileDialogOptions& options) override;
  std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial) override;
  std::optional<std::string> PickFolder(HWND owner, const std::string& title, const std::string& initial) override;
  bool PrinterSetup(HWND owner) override;
  void ShellOpen(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                    const std::string& folder, int show) override;
  void PlaySoundFile(const std::string& path, DWORD flags) override;

 private:
  std::deque<int> messageAnswers;
  std::deque<std::optional<ui::FileDialogResult>> openAnswers, saveAnswers;
  std::deque<COLORREF> colourAnswers;
  std::deque<std::string> folderAnswers;
  std::deque<bool> printerAnswers;
};

}  // namespace wc::test
