// The about box as the program builds it: title, version and notice, the
// banner, the two links handed to the shell, and "Ok" hiding it.
#include <windows.h>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "dialogs/about_form.h"
#include "gui_test.h"
#include "lang/program_texts.h"
#include "layout_check.h"
#include "ui/wide_text.h"

namespace wc {
namespace {

class AboutFormTest : public test::GuiTest {
 protected:
  AboutFormTest() {
    CreateProgramWindows(app);
    panel = ui::Application::FindForm<TMainForm>("MainForm");
    about = ui::Application::FindForm<TAboutForm>("AboutForm");
  }
  static void Click(HWND h) {
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  static std::string WindowText(HWND h) {
    wchar_t buffer[512] = {};
    GetWindowTextW(h, buffer, 512);
    return ui::Narrow(buffer);
  }
  TMainForm* panel = nullptr;
  TAboutForm* about = nullptr;
};

TEST_F(AboutFormTest, ShowsTheTitleVersionNoticeBannerAndTheTwoAddresses) {
  ASSERT_TRUE(panel && about);
  EXPECT_EQ(WindowText(about->Handle()), "Pellimox Free Wallpaper Changer - About");
  EXPECT_EQ(WindowText(about->Label2.Handle()), "Pellimox Free Wallpaper Changer v2.1");
  EXPECT_EQ(about->Label3.Caption(), kLegalNoticeLine1);
  EXPECT_EQ(about->Label4.Caption(), texts::kFreeware.english);
  EXPECT_EQ(WindowText(about->Label5.Handle()), panel->ProgramPageUrl);
  EXPECT_EQ(WindowText(about->Label8.Handle()), panel->SiteUrl);
  EXPECT_EQ(panel->ProgramPageUrl.rfind("https://", 0), 0u);
  EXPECT_EQ(panel->SiteUrl.rfind("https://", 0), 0u);
  EXPECT_NE(panel->ProgramPageUrl, panel->SiteUrl);

  // The banner drawn by the build, taken over from the hidden holder.
  ASSERT_FALSE(about->Image2.GetPicture().Empty());
  EXPECT_EQ(about->Image1.GetPicture().Width(), 435);
  EXPECT_EQ(about->Image1.GetPicture().Height(), 47);
  EXPECT_TRUE(about->Image1.Visible());
  EXPECT_FALSE(about->Image2.Visible());

  EXPECT_EQ(about->ClientWidth(), 423);
  EXPECT_EQ(about->ClientHeight(), 215);
  EXPECT_EQ(about->Button1.Left(), 180);
  EXPECT_EQ(about->Button1.Top(), 184);
  EXPECT_EQ(about->Image1.Left(), -6);
  EXPECT_EQ(about->Panel1.Top(), 176);
  EXPECT_EQ(about->Panel1.Width(), 425);
  for (const std::string& fault : test::LayoutFaults(*about)) ADD_FAILURE() << fault;
}

TEST_F(AboutFormTest, TheTrayItemShowsItTheLinksOpenTheirPagesAndOkHidesIt) {
  ASSERT_TRUE(panel && about);
  EXPECT_FALSE(IsWindowVisible(about->Handle()));
  panel->AboutItem.Click();
  Pump();
  ASSERT_TRUE(IsWindowVisible(about->Handle()));

  prompts.shellCalls.clear();
  Click(about->Label5.Handle());
  Pump();
  ASSERT_EQ(prompts.shellCalls.size(), 1u);
  EXPECT_EQ(prompts.shellCalls[0].owner, nullptr);
  EXPECT_EQ(prompts.shellCalls[0].verb, "open");
  EXPECT_EQ(prompts.shellCalls[0].file, panel->ProgramPageUrl);
  EXPECT_EQ(prompts.shellCalls[0].parameters, "");
  EXPECT_EQ(prompts.shellCalls[0].folder, "");
  EXPECT_EQ(prompts.shellCalls[0].show, SW_SHOWNORMAL);
  Click(about->Label8.Handle());
  Pump();
  ASSERT_EQ(prompts.shellCalls.size(), 2u);
  EXPECT_EQ(prompts.shellCalls[1].file, panel->SiteUrl);
  // Whatever the shell made of it, the box stays and says nothing.
  EXPECT_TRUE(IsWindowVisible(about->Handle()));
  EXPECT_TRUE(prompts.messages.empty());

  Click(about->Button1.Handle());
  Pump();
  EXPECT_FALSE(IsWindowVisible(about->Handle()));
  EXPECT_FALSE(app.Terminated());
  // Shown again, it is the same box with the same texts.
  panel->AboutItem.Click();
  EXPECT_TRUE(IsWindowVisible(about->Handle()));
  EXPECT_EQ(WindowText(about->Label2.Handle()), "Pellimox Free Wallpaper Changer v2.1");
}

}  // namespace
}  // namespace wc
