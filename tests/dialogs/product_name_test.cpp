// One product, one name: the control panel's. Every caption, hint and list
// text of every window, and every text of every shipped language file, names
// the product by the application title or not at all, never by a name the
// product had in earlier papers.
#include <windows.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "gui_test.h"
#include "program_texts.h"
#include "ui/form.h"

#ifndef WC_LANG_FILES_DIR
#error "WC_LANG_FILES_DIR names the folder holding the .lng files"
#endif

namespace wc {
namespace {

// Names under which the product went before it had one.
const char* const kFormerNames[] = {"Drapenix", "Vantorel"};

// What is wrong with how `text` names the product; empty when nothing is.
std::string ProductNameProblem(const std::string& text) {
  for (const char* former : kFormerNames) {
    if (text.find(former) != std::string::npos) return std::string("names the product \"") + former + "\"";
  }
  // "... Wallpaper Changer" only ever as the whole title.
  const std::string title = kApplicationTitle;
  std::string rest = text;
  for (size_t at; (at = rest.find(title)) != std::string::npos;) rest.erase(at, title.size());
  if (rest.find("Wallpaper Changer") != std::string::npos) return "names the product otherwise than \"" + title + "\"";
  return {};
}

TEST(ProductNameRule, TellsTheTitleFromOtherNames) {
  EXPECT_EQ(ProductNameProblem("Exit Pellimox Free Wallpaper Changer"), "");
  EXPECT_EQ(ProductNameProblem("Panneau de configuration de Pellimox Free Wallpaper Changer"), "");
  EXPECT_EQ(ProductNameProblem("Open Control Panel"), "");
  EXPECT_NE(ProductNameProblem("Run Drapenix on Windows startup"), "");
  EXPECT_NE(ProductNameProblem("Vantorel Wallpaper Changer - Scan Disk for Wallpapers"), "");
  EXPECT_NE(ProductNameProblem("Free Wallpaper Changer - Scan Disk"), "");
}

class ProductNameTest : public test::GuiTest {};

TEST_F(ProductNameTest, EveryWindowOfTheProgramNamesTheProductAsTheControlPanelDoes) {
  CreateProgramWindows(app);
  ASSERT_GE(app.Forms().size(), 12u);
  size_t texts = 0;
  for (const ui::Form* form : app.Forms()) {
    for (const test::ShownText& t : test::TextsBelow(*form)) {
      ++texts;
      const std::string problem = ProductNameProblem(t.text);
      EXPECT_EQ(problem, "") << t.where << " = \"" << t.text << "\"";
    }
  }
  EXPECT_GT(texts, 250u);  // captions, tips and items of every window were seen
}

TEST_F(ProductNameTest, EveryShippedLanguageFileNamesTheProductAsTheControlPanelDoes) {
  const std::vector<test::ShownText> values = test::LanguageFileValues(WC_LANG_FILES_DIR);
  ASSERT_GE(test::FilesIn(WC_LANG_FILES_DIR, "*.lng").size(), 5u) << WC_LANG_FILES_DIR;
  ASSERT_GT(values.size(), 5u * 150u);
  for (const test::ShownText& v : values) {
    EXPECT_EQ(ProductNameProblem(v.text), "") << v.where << "=" << v.text;
  }
}

}  // namespace
}  // namespace wc
