// Every window of the program in each shipped language, as a user who picks
// it sees them: no caption, menu item, item list or title stays English
// (apart from the few words that language writes the same way, and names),
// and every caption fits its control with nothing overlapping, at the three
// usual screen scales.
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "common/text.h"
#include "lang/program_texts.h"
#include "gui_test.h"
#include "layout_check.h"
#include "program_files.h"
#include "same_words.h"
#include "settings/settings_form.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/menu.h"
#include "ui/page_control.h"
#include "ui/wide_text.h"

#ifndef WC_LANG_FILES_DIR
#error "WC_LANG_FILES_DIR names the folder holding the shipped .lng files"
#endif

namespace wc {
namespace {

const char* const kLanguages[] = {"English", "French", "Spanish", "Romanian", "Arabic"};

// Texts that are no words of any language: addresses, paths, the version,
// the copyright line, the state flag the folder reader keeps in a hidden
// label, and the language names the settings file stores.
bool IsNoText(const std::string& path) {
  static const char* const kNames[] = {"MainForm.aux",         "MainForm.automaticlocation", "AboutForm.Label2",
                                       "AboutForm.Label3",     "AboutForm.Label5",           "AboutForm.Label8",
                                       "Settings.ComboBox2"};
  for (const char* name : kNames)
    if (path.rfind(name, 0) == 0) return true;
  return false;
}

bool HasLetters(const std::string& text) {
  for (unsigned char c : text)
    if (std::isalpha(c) || c >= 0x80) return true;
  return false;
}

// What the user reads in every window, by "Window.Control" path: titles,
// captions, menu items and item lists (one entry per item).
std::map<std::string, std::string> ShownTexts(ui::Application& app) {
  std::map<std::string, std::string> texts;
  for (ui::Form* form : app.Forms()) {
    texts[form->Name()] = form->Caption();
    std::vector<ui::Component*> todo(form->Components().begin(), form->Components().end());
    while (!todo.empty()) {
      ui::Component* c = todo.back();
      todo.pop_back();
      todo.insert(todo.end(), c->Components().begin(), c->Components().end());
      const std::string path = form->Name() + "." + c->Name();
      if (auto* item = dynamic_cast<ui::MenuItem*>(c)) {
        if (!item->IsSeparator()) texts[path] = item->Caption();
      } else if (auto* box = dynamic_cast<ui::ComboBox*>(c)) {
        const auto items = box->Items();
        for (size_t i = 0; i < items.size(); ++i) texts[path + "[" + std::to_string(i) + "]"] = items[i];
      } else if (auto* control = dynamic_cast<ui::Control*>(c);
                 control && !dynamic_cast<ui::Edit*>(c) && !dynamic_cast<ui::SpinEdit*>(c)) {
        texts[path] = control->Caption();
      }
    }
  }
  return texts;
}

class LanguageWindowsTest : public test::GuiTest {
 protected:
  LanguageWindowsTest() {
    for (const char* language : kLanguages) {
      const std::string file = std::string(language) + ".lng";
      test::WriteTextFile(ExeFolder() + file, test::ReadTextFile(std::string(WC_LANG_FILES_DIR) + "\\" + file));
    }
  }
  void MakeWindows() {
    CreateProgramWindows(app);
    panel = ui::Application::FindForm<TMainForm>("MainForm");
    panel->StartupTimer.SetEnabled(false);
  }
  TMainForm* panel = nullptr;
};

class EveryCaptionTranslated : public LanguageWindowsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EveryCaptionTranslated, NoShownTextStaysEnglish) {
  MakeWindows();
  const std::string language = GetParam();
  const auto english = ShownTexts(app);
  ASSERT_GT(english.size(), 200u);

  panel->UseLanguage(language);
  const auto translated = ShownTexts(app);
  int compared = 0;
  for (const auto& [path, text] : english) {
    if (IsNoText(path) || !HasLetters(text) || test::SameInLanguage(language, text)) continue;
    ++compared;
    auto it = translated.find(path);
    ASSERT_NE(it, translated.end()) << path;
    EXPECT_NE(it->second, text) << path << " is still English in " << language;
  }
  EXPECT_GT(compared, 180);

  // The viewer's menu bar, built once for the whole run, shows the new
  // captions, sub-menus included.
  auto* viewer = dynamic_cast<ui::Form*>(app.FindOwnedByName("ScreenForm"));
  ASSERT_NE(viewer, nullptr);
  HMENU bar = GetMenu(viewer->Handle());
  ASSERT_NE(bar, nullptr);
  auto menuText = [](HMENU menu, int i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, UINT(i), text, 256, MF_BYPOSITION);
    return ui::Narrow(text);
  };
  EXPECT_EQ(menuText(bar, 0), translated.at("ScreenForm.File1"));
  EXPECT_EQ(menuText(GetSubMenu(bar, 0), 0), translated.at("ScreenForm.Open1") + "\tCtrl+O");

  // And back: English again, every text as it was built.
  panel->UseLanguage("English");
  const auto back = ShownTexts(app);
  for (const auto& [path, text] : english) {
    if (IsNoText(path)) continue;
    // The file's texts lose the blanks some built-in captions end with.
    EXPECT_EQ(Trim(back.at(path)), Trim(text)) << path;
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, EveryCaptionTranslated, ::testing::Values("French", "Spanish", "Romanian", "Arabic"),
                         [](const auto& info) { return std::string(info.param); });

// A language written from right to left mirrors every window: the frame and
// its controls take the mirroring style, a control's layout units count from
// the right edge, pictures keep facing the way they were drawn; a language
// written from left to right puts everything back.
class RightToLeftTest : public LanguageWindowsTest {
 protected:
  static bool MirrorStyle(HWND h) { return GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_LAYOUTRTL; }
  // A control's distance from its window's left and right client edges, in
  // screen pixels.
  static std::pair<long, long> Margins(ui::Form& form, ui::Control& c) {
    RECT client{}, box{};
    GetClientRect(form.Handle(), &client);
    MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(c.Handle(), &box);
    const long left = std::min(client.left, client.right), right = std::max(client.left, client.right);
    return {box.left - left, right - box.right};
  }
};

TEST_F(RightToLeftTest, ArabicMirrorsEveryWindowAndFrenchPutsThemBack) {
  MakeWindows();
  auto* settings = ui::Application::FindForm<TSettings>("Settings");
  const auto modeBox = Margins(*panel, panel->FunctioningModeBox);
  const auto okButton = Margins(*settings, settings->OkButton);
  ASSERT_LT(modeBox.first, modeBox.second);  // the functioning mode sits on the left

  panel->UseLanguage("Arabic");
  EXPECT_TRUE(app.RightToLeft());
  for (ui::Form* form : app.Forms()) EXPECT_TRUE(MirrorStyle(form->Handle())) << form->Name();
  EXPECT_EQ(Margins(*panel, panel->FunctioningModeBox), std::make_pair(modeBox.second, modeBox.first));
  EXPECT_EQ(Margins(*settings, settings->OkButton), std::make_pair(okButton.second, okButton.first));
  // Lists, edits and check boxes read from the right; the banner and the
  // preview keep their pictures as drawn.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&panel->MainListBox, &panel->ChangeAtStartupCheck, &panel->AutomaticModeRadio,
                                                             &panel->IntervalUnitBox, &settings->SoundListBox}) {
    EXPECT_TRUE(MirrorStyle(c->Handle())) << c->Name();
  }
  for (ui::Control* c : std::initializer_list<ui::Control*>{&panel->MainImage, &panel->MainPreview}) {
    EXPECT_FALSE(MirrorStyle(c->Handle())) << c->Name();
  }
  // The layout is still that of the table, in layout units.
  EXPECT_EQ(panel->FunctioningModeBox.Left(), 8);
  for (const std::string& fault : test::LayoutFaults(*panel)) ADD_FAILURE() << fault;

  panel->UseLanguage("French");
  EXPECT_FALSE(app.RightToLeft());
  for (ui::Form* form : app.Forms()) EXPECT_FALSE(MirrorStyle(form->Handle())) << form->Name();
  EXPECT_FALSE(MirrorStyle(panel->MainListBox.Handle()));
  EXPECT_EQ(Margins(*panel, panel->FunctioningModeBox), modeBox);
  EXPECT_EQ(Margins(*settings, settings->OkButton), okButton);
}

// A window made while the program is mirrored is mirrored from the start.
TEST_F(RightToLeftTest, StartingInArabicMakesEveryWindowMirrored) {
  test::WriteTextFile(ExeFolder() + "settings.ini", "[language]\r\nvalue=Arabic\r\n");
  MakeWindows();
  for (ui::Form* form : app.Forms()) EXPECT_TRUE(MirrorStyle(form->Handle())) << form->Name();
  EXPECT_TRUE(MirrorStyle(panel->FunctioningModeBox.Handle()));
  EXPECT_FALSE(MirrorStyle(panel->MainImage.Handle()));
}

// The windows made once at a scale, then every language in turn, as a user
// who changes the language while the windows exist.
class EveryLanguageFits : public LanguageWindowsTest, public ::testing::WithParamInterface<int> {
 protected:
  struct AtScale {
    explicit AtScale(int dpi) { ui::SetDpiOverride(dpi); }
    ~AtScale() { ui::SetDpiOverride(0); }
  } scale{GetParam()};

  void Check(ui::Form& form, const std::string& where) {
    for (const std::string& fault : test::LayoutFaults(form)) ADD_FAILURE() << fault << " (" << where << ")";
  }
};

TEST_P(EveryLanguageFits, EveryCaptionFitsItsControl) {
  MakeWindows();
  auto* settings = ui::Application::FindForm<TSettings>("Settings");
  ASSERT_NE(settings, nullptr);
  for (const char* language : kLanguages) {
    panel->UseLanguage(language);
    const std::string where = std::string(language) + " at " + std::to_string(GetParam()) + " DPI";
    // The preview's kind of picture, in the words it is said in: the longest
    // decoder name the system gives ("TIFF"), and the JPEG's own text.
    panel->TypeValue.SetCaption(Say(texts::kPictureOfKind, {"TIFF"}));
    Check(*panel, where + ", a TIFF picture's kind");
    panel->TypeValue.SetCaption(Say(texts::kJpegImage));
    for (ui::Form* form : app.Forms()) {
      if (form != settings) Check(*form, where);
    }
    // Each page of the settings dialog, and each state of the panel's
    // lower half: the picture's style, a movie's size, a page's notice.
    for (int page = 0; page < settings->Pages.PageCount(); ++page) {
      settings->Pages.SetActivePageIndex(page);
      Check(*settings, where + ", settings page " + std::to_string(page));
    }
    settings->Pages.SetActivePageIndex(0);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&panel->OriginXLabel, &panel->OriginYLabel, &panel->OriginXEdit,
                                                               &panel->OriginYEdit, &panel->MainWallpaperStyleLabel,
                                                               &panel->StyleBox}) {
      c->Hide();
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{&panel->MovieDimensionLabel, &panel->MovieWidthLabel,
                                                               &panel->MovieWidthEdit, &panel->MovieHeightLabel,
                                                               &panel->MovieHeightEdit}) {
      c->Show();
    }
    Check(*panel, where + ", a movie");
    for (ui::Control* c : std::initializer_list<ui::Control*>{&panel->MovieDimensionLabel, &panel->MovieWidthLabel,
                                                               &panel->MovieWidthEdit, &panel->MovieHeightLabel,
                                                               &panel->MovieHeightEdit}) {
      c->Hide();
    }
    panel->ActiveDesktopNote.Show();
    panel->PagePreviewButton.Show();
    Check(*panel, where + ", a page");
    panel->ActiveDesktopNote.Hide();
    panel->PagePreviewButton.Hide();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&panel->OriginXLabel, &panel->OriginYLabel, &panel->OriginXEdit,
                                                               &panel->OriginYEdit, &panel->MainWallpaperStyleLabel,
                                                               &panel->StyleBox}) {
      c->Show();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, EveryLanguageFits, ::testing::Values(96, 120, 144),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
}  // namespace wc
