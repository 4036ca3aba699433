// The control panel's language component: its translation list, what the
// panel does around each run, and the language a name stands for.
#include <windows.h>

#include "app/panel/main_form.h"
#include "common/text_encoding_win32.h"
#include "lang/translation_list.h"
#include "ui/application.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

void TMainForm::SetUpLanguage() {
  const auto list = TranslationList();
  Translator.SetProperties(std::vector<std::string>(list.begin(), list.end()));
  Translator.SetSeparator(",");
  Translator.LegacyText = &LegacyAnsiToUtf8;
  Translator.MakeProgramLanguage();
}

void TMainForm::TranslatorBeforeTranslation(ui::Component&) {
  translatingMenus_.emplace();
  SavedUnitIndex = IntervalUnitBox.ItemIndex();
  SavedStyleIndex = StyleBox.ItemIndex();
}

void TMainForm::TranslatorAfterTranslation(ui::Component&) {
  translatingMenus_.reset();
  IntervalUnitBox.SetItemIndex(SavedUnitIndex);
  StyleBox.SetItemIndex(SavedStyleIndex);
  // A language written from right to left mirrors every window; the others
  // lay them out from the left again.
  App().SetRightToLeft(Translator.RightToLeft());
  // Every hint is set, shown or not; windows or controls the program does
  // not have (yet) are passed over.
  for (const HintMessage& row : HintMessages()) {
    ui::Component* window = TLanguage::FindOwnedByName(&App(), row.window);
    if (auto* control = dynamic_cast<ui::Control*>(TLanguage::FindOwnedByName(window, row.control)))
      control->SetHint(Translator.MessageText(std::string(row.id)));
  }
}

void TMainForm::TextsReplaced() {
  SetCaption(Say(texts::kControlPanelTitle, {App().Title}));
  FitToolbar();
  if (!CheckingGraphics()) PlaylistBox.SetCaption(PlaylistBoxCaption());
  if (IntervalNote.Visible()) UpdateTimerInterval();
  ShowTrayTip();
}

std::string TMainForm::LanguageFilePath(const std::string& languageName) const {
  return ExeFolder + languageName + ".lng";
}

void TMainForm::UseLanguage(const std::string& languageName) {
  const std::string path = LanguageFilePath(languageName);
  if (path == Translator.LanguageFile()) return;
  Translator.SetLanguageFile(path);
  Translator.ApplyLanguage();
}

std::string TMainForm::WallpaperClearedText() const {
  return Translator.MessageText(std::string(kWallpaperClearedMessage));
}

void TMainForm::ShowWallpaperClearedMessage() {
  App().prompts().Message(nullptr, WallpaperClearedText(), App().Title, MB_OK | MB_ICONINFORMATION);
}

}  // namespace wc
