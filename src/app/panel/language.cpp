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
  Language1.SetProperties(std::vector<std::string>(list.begin(), list.end()));
  Language1.SetSeparator(",");
  Language1.LegacyText = &LegacyAnsiToUtf8;
  Language1.MakeProgramLanguage();
}

void TMainForm::Language1BeforeTranslation(ui::Component&) {
  translatingMenus_.emplace();
  SavedUnitIndex = MainComboBox.ItemIndex();
  SavedStyleIndex = ComboBox1.ItemIndex();
}

void TMainForm::Language1AfterTranslation(ui::Component&) {
  translatingMenus_.reset();
  MainComboBox.SetItemIndex(SavedUnitIndex);
  ComboBox1.SetItemIndex(SavedStyleIndex);
  // A language written from right to left mirrors every window; the others
  // lay them out from the left again.
  App().SetRightToLeft(Language1.RightToLeft());
  // Every hint is set, shown or not; windows or controls the program does
  // not have (yet) are passed over.
  for (const HintMessage& row : HintMessages()) {
    ui::Component* window = TLanguage::FindOwnedByName(&App(), row.window);
    if (auto* control = dynamic_cast<ui::Control*>(TLanguage::FindOwnedByName(window, row.control)))
      control->SetHint(Language1.MessageText(std::string(row.id)));
  }
}

void TMainForm::TextsReplaced() {
  SetCaption(Say(texts::kControlPanelTitle, {App().Title}));
  FitToolbar();
  if (!CheckingGraphics()) GroupBox1.SetCaption(PlaylistBoxCaption());
  if (IntervalNote.Visible()) UpdateTimerInterval();
}

std::string TMainForm::LanguageFilePath(const std::string& languageName) const {
  return ExeFolder + languageName + ".lng";
}

void TMainForm::UseLanguage(const std::string& languageName) {
  const std::string path = LanguageFilePath(languageName);
  if (path == Language1.LanguageFile()) return;
  Language1.SetLanguageFile(path);
  Language1.ApplyLanguage();
}

std::string TMainForm::WallpaperClearedText() const {
  return Language1.MessageText(std::string(kWallpaperClearedMessage));
}

void TMainForm::ShowWallpaperClearedMessage() {
  App().prompts().Message(nullptr, WallpaperClearedText(), App().Title, MB_OK | MB_ICONINFORMATION);
}

}  // namespace wc
