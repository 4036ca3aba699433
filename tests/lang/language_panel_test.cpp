// The control panel's language component on the program's own windows: a
// language file translates captions, menus and item lists of every window,
// keeps the chosen unit and style, and sets the tool tips of the message
// table; a missing file leaves everything built in and every tip its id.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "gui_test.h"
#include "lang/translation_list.h"
#include "program_files.h"
#include "settings/settings_form.h"
#include "ui/wide_text.h"

namespace wc {
namespace {

class LanguagePanelTest : public test::GuiTest {
 protected:
  LanguagePanelTest() {
    CreateProgramWindows(app);
    panel = ui::Application::FindForm<TMainForm>("MainForm");
    // Controls of windows still to be built stand in for them, owned by
    // their window, so every row of the message table has a control.
    for (const HintMessage& row : HintMessages()) {
      ui::Component* window = app.FindOwnedByName(row.window);
      if (window && !window->FindOwnedByName(row.control))
        standIns.push_back(std::make_unique<ui::Button>(window, std::string(row.control)));
    }
  }

  ui::Control& HintControl(const HintMessage& row) {
    auto* c = dynamic_cast<ui::Control*>(ui::ResolveComponentPath(app, std::string(row.window) + "." + std::string(row.control)));
    EXPECT_NE(c, nullptr) << row.window << "." << row.control;
    return *c;
  }

  // Every listed property's text as it is now, by path.
  std::map<std::string, std::string> ListedTexts() {
    std::map<std::string, std::string> texts;
    for (std::string_view line : TranslationList()) {
      if (auto r = ui::ResolvePropertyPath(app, line)) texts[std::string(line)] = r.property->getText();
    }
    return texts;
  }

  static std::string WindowText(HWND h) {
    wchar_t buffer[512] = {};
    GetWindowTextW(h, buffer, 512);
    return ui::Narrow(buffer);
  }

  TMainForm* panel = nullptr;
  std::vector<std::unique_ptr<ui::Control>> standIns;
};

const char* const kFrench =
    "[Translations]\r\n"
    "MainForm.MainNew.Caption=Nouvelle\r\n"
    "MainForm.GroupBox3.Caption=Minuterie\r\n"
    "MainForm.DrapenixControlPanel1.Caption=Panneau de configuration\r\n"
    "MainForm.MainComboBox.Items=secondes, minutes, heures, jours\r\n"
    "MainForm.ComboBox1.Items=Mosa\xC3\xAFque, Centr\xC3\xA9, \xC3\x89tir\xC3\xA9, Position personnalis\xC3\xA9" "e\r\n"
    "MainForm.Button1.Caption=\r\n"
    "ScanDiskForm.Button3.Caption=Rechercher\r\n"
    "DelayForm.Button2.Caption=Annuler\r\n"
    "[Messages]\r\n"
    "Message130=Monter l'\xC3\xA9l\xC3\xA9ment\r\n"
    "Message133=Ajouter des fonds d'\xC3\xA9" "cran\r\n"
    "Message148=Ouvrir une image\r\n"
    "Message190=R\xC3\xA9tablir les valeurs par d\xC3\xA9" "faut\r\n"
    "Message4=Le fond d'\xC3\xA9" "cran a \xC3\xA9t\xC3\xA9 effac\xC3\xA9.\r\n";

TEST_F(LanguagePanelTest, ALanguageFileTranslatesTheWindowsAndKeepsTheChosenUnitAndStyle) {
  test::WriteTextFile(ExeFolder() + "French.lng", kFrench);
  panel->IntervalUnitBox.SetItemIndex(2);  // hours
  panel->StyleBox.SetItemIndex(3);     // custom position
  const std::string builtInOk = panel->OkButton.Caption();

  panel->UseLanguage("French");

  EXPECT_EQ(panel->Translator.LanguageFile(), ExeFolder() + "French.lng");
  EXPECT_EQ(panel->MainNew.Caption(), "Nouvelle");
  EXPECT_EQ(WindowText(panel->MainNew.Handle()), "Nouvelle");  // on screen too
  EXPECT_EQ(WindowText(panel->WallpaperControlBox.Handle()), "Minuterie");
  EXPECT_EQ(panel->ControlPanelItem.Caption(), "Panneau de configuration");
  EXPECT_EQ(panel->OkButton.Caption(), builtInOk);  // an empty translation changes nothing
  EXPECT_EQ(panel->IntervalUnitBox.Items(), (std::vector<std::string>{"secondes", "minutes", "heures", "jours"}));
  EXPECT_EQ(panel->StyleBox.Items()[0], "Mosa\xC3\xAFque");
  EXPECT_EQ(panel->IntervalUnitBox.ItemIndex(), 2);
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 3);
  EXPECT_EQ(WindowText(panel->IntervalUnitBox.Handle()), "heures");
  EXPECT_EQ(ui::ResolvePropertyPath(app, "ScanDiskForm.Button3.Caption").property->getText(), "Rechercher");
  EXPECT_EQ(ui::ResolvePropertyPath(app, "DelayForm.Button2.Caption").property->getText(), "Annuler");

  // Tool tips: the file's text, or the id where the file has none; ids
  // 130 to 133 serve the panel and the settings dialog alike.
  for (const HintMessage& row : HintMessages()) {
    const std::string expected = row.id == "Message130"   ? "Monter l'\xC3\xA9l\xC3\xA9ment"
                                 : row.id == "Message133" ? "Ajouter des fonds d'\xC3\xA9" "cran"
                                 : row.id == "Message148" ? "Ouvrir une image"
                                 : row.id == "Message190" ? "R\xC3\xA9tablir les valeurs par d\xC3\xA9" "faut"
                                                          : std::string(row.id);
    EXPECT_EQ(HintControl(row).Hint(), expected) << row.window << "." << row.control;
  }
  EXPECT_EQ(dynamic_cast<ui::Control*>(ui::ResolveComponentPath(app, "ScreenForm.Click100Button"))->Hint(),
            "Message159");

  // The same language again is no new run, even when its file changed.
  test::WriteTextFile(ExeFolder() + "French.lng", "[Translations]\r\nMainForm.MainNew.Caption=Autre\r\n");
  panel->UseLanguage("French");
  EXPECT_EQ(panel->MainNew.Caption(), "Nouvelle");
}

TEST_F(LanguagePanelTest, ANameWithoutAFileLeavesTheBuiltInCaptionsAndEveryHintItsId) {
  panel->IntervalUnitBox.SetItemIndex(1);
  panel->StyleBox.SetItemIndex(0);
  const auto before = ListedTexts();
  ASSERT_GT(before.size(), 60u);  // the panel's lines resolve at least

  panel->UseLanguage("Klingon");

  EXPECT_EQ(ListedTexts(), before);
  EXPECT_EQ(panel->IntervalUnitBox.ItemIndex(), 1);
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 0);
  for (const HintMessage& row : HintMessages()) EXPECT_EQ(HintControl(row).Hint(), row.id);
  EXPECT_EQ(panel->WallpaperClearedText(), "Message4");
}

TEST_F(LanguagePanelTest, AnotherLanguageReplacesTheFirstAndTheClearedMessageFollows) {
  test::WriteTextFile(ExeFolder() + "French.lng", kFrench);
  // Saved by an editor that writes a byte-order mark.
  test::WriteTextFile(ExeFolder() + "Spanish.lng",
                      "\xEF\xBB\xBF[Translations]\r\nMainForm.MainNew.Caption=Nueva\r\n"
                      "MainForm.MainComboBox.Items=segundos,minutos,horas,d\xC3\xAD" "as\r\n"
                      "[Messages]\r\nMessage4=Se ha borrado el fondo de pantalla.\r\n");
  panel->IntervalUnitBox.SetItemIndex(3);
  panel->UseLanguage("French");
  EXPECT_EQ(panel->WallpaperClearedText(), "Le fond d'\xC3\xA9" "cran a \xC3\xA9t\xC3\xA9 effac\xC3\xA9.");
  panel->UseLanguage("Spanish");
  EXPECT_EQ(panel->MainNew.Caption(), "Nueva");
  EXPECT_EQ(panel->IntervalUnitBox.Items()[3], "d\xC3\xAD" "as");
  EXPECT_EQ(panel->IntervalUnitBox.ItemIndex(), 3);
  // Texts the new file lacks keep what the last run wrote.
  EXPECT_EQ(panel->WallpaperControlBox.Caption(), "Minuterie");

  prompts.messages.clear();
  panel->ShowWallpaperClearedMessage();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "Se ha borrado el fondo de pantalla.");
  EXPECT_EQ(prompts.messages[0].caption, app.Title);
}

// The settings dialog decides the language: the stored name at start-up,
// the language box at once, and "Reset to Default" back to the stored one.
class SettingsLanguageTest : public test::GuiTest {};

TEST_F(SettingsLanguageTest, TheStoredLanguageTranslatesAtStartAndTheBoxChangesItAtOnce) {
  std::string french = kFrench;
  // The last line as an editor saves it in the legacy code page.
  french.insert(french.find("[Messages]"),
                "Settings.TabSheet5.Caption=Son\r\nSettings.Button3.Caption=Annuler\r\n"
                "FilterForm.Label1.Caption=Extensions\r\nSettings.Button2.Caption=Valid\xE9\r\n");
  test::WriteTextFile(ExeFolder() + "French.lng", french);
  test::WriteTextFile(ExeFolder() + "Spanish.lng", "[Translations]\r\nMainForm.MainNew.Caption=Nueva\r\n");
  test::WriteTextFile(ExeFolder() + "settings.ini", "[language]\r\nvalue=French\r\n");
  CreateProgramWindows(app);
  auto* panel = ui::Application::FindForm<TMainForm>("MainForm");
  auto* settings = ui::Application::FindForm<TSettings>("Settings");
  ASSERT_TRUE(panel && settings);

  EXPECT_EQ(settings->LanguageBox.Text(), "French");
  EXPECT_EQ(panel->Translator.LanguageFile(), ExeFolder() + "French.lng");
  EXPECT_EQ(panel->MainNew.Caption(), "Nouvelle");
  EXPECT_EQ(settings->CancelButton.Caption(), "Annuler");
  EXPECT_EQ(settings->SoundPage.Caption(), "Son");
  EXPECT_EQ(panel->MoveUpButton.Hint(), "Monter l'\xC3\xA9l\xC3\xA9ment");
  EXPECT_EQ(settings->OkButton.Caption(), "Valid\xC3\xA9");
  // The windows made after the settings dialog are translated from the start.
  EXPECT_EQ(ui::ResolvePropertyPath(app, "ScanDiskForm.Button3.Caption").property->getText(), "Rechercher");
  EXPECT_EQ(ui::ResolvePropertyPath(app, "DelayForm.Button2.Caption").property->getText(), "Annuler");
  EXPECT_EQ(ui::ResolvePropertyPath(app, "FilterForm.Label1.Caption").property->getText(), "Extensions");

  const std::vector<std::string> names = settings->LanguageBox.Items();
  const auto spanish = std::find(names.begin(), names.end(), "Spanish");
  ASSERT_NE(spanish, names.end());
  settings->LanguageBox.SetItemIndex(int(spanish - names.begin()));
  settings->LanguageBoxChange(settings->LanguageBox);
  EXPECT_EQ(panel->MainNew.Caption(), "Nueva");

  // Nothing was applied: the stored language comes back.
  settings->ResetButtonClick(settings->ResetButton);
  EXPECT_EQ(settings->LanguageBox.Text(), "French");
  EXPECT_EQ(panel->Translator.LanguageFile(), ExeFolder() + "French.lng");
}

}  // namespace
}  // namespace wc
