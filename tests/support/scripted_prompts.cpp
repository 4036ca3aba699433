#include "scripted_prompts.h"

#include <utility>

namespace wc::test {

std::vector<std::string> ScriptedPrompts::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : messages) texts.push_back(m.text);
  return texts;
}

int ScriptedPrompts::Message(HWND, const std::string& text, const std::string& caption, UINT type) {
  messages.push_back({text, caption, type});
  if (whileMessage) std::exchange(whileMessage, nullptr)();
  if (messageAnswers.empty()) return IDOK;
  int a = messageAnswers.front();
  messageAnswers.pop_front();
  return a;
}

std::optional<ui::FileDialogResult> ScriptedPrompts::OpenFile(HWND, const ui::FileDialogOptions& options) {
  openCalls.push_back(options);
  if (openAnswers.empty()) return std::nullopt;
  auto a = openAnswers.front();
  openAnswers.pop_front();
  return a;
}

std::optional<ui::FileDialogResult> ScriptedPrompts::SaveFile(HWND, const ui::FileDialogOptions& options) {
  saveCalls.push_back(options);
  if (saveAnswers.empty()) return std::nullopt;
  auto a = saveAnswers.front();
  saveAnswers.pop_front();
  return a;
}

std::optional<COLORREF> ScriptedPrompts::ChooseColour(HWND, COLORREF initial) {
  colourCalls.push_back(initial);
  if (colourAnswers.empty()) return std::nullopt;
  COLORREF c = colourAnswers.front();
  colourAnswers.pop_front();
  return c;
}

std::optional<std::string> ScriptedPrompts::PickFolder(HWND, const std::string&, const std::string& initial) {
  folderCalls.push_back(initial);
  if (folderAnswers.empty()) return std::nullopt;
  std::string folder = folderAnswers.front();
  folderAnswers.pop_front();
  return folder;
}

bool ScriptedPrompts::PrinterSetup(HWND) {
  ++printerSetupCalls;
  if (printerAnswers.empty()) return false;
  bool a = printerAnswers.front();
  printerAnswers.pop_front();
  return a;
}

void ScriptedPrompts::ShellOpen(HWND owner, const std::string& verb, const std::string& file,
                                   const std::string& parameters, const std::string& folder, int show) {
  shellCalls.push_back({owner, verb, file, parameters, folder, show});
}

void ScriptedPrompts::PlaySoundFile(const std::string& path, DWORD flags) { sounds.push_back({path, flags}); }

}  // namespace wc::test
