#include "dialogs/about_form.h"

#include "common/product.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/graphics.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

const char* const kLegalNoticeLine1 = "Copyright \xC2\xA9 2003-2026 Pellimox";

namespace {

using ui::lfHidden;

const ui::LayoutItem kLayout[] = {
    {"Image1", "", -6, 0, 435, 47},
    {"Label2", "", 8, 62, 409, 18, "v2.1"},
    {"Label3", "", 120, 85, 193, 15, ""},
    {"Label4", "", 120, 106, 193, 15, ""},
    {"Label6", "", 7, 129, 80, 15, "Product page: "},
    {"Label5", "", 88, 127, 330, 16, ""},
    {"Label7", "", 20, 146, 68, 15, "Homepage: "},
    {"Label8", "", 89, 145, 329, 16, ""},
    {"Panel1", "", 0, 176, 425, 3},
    {"Image2", "", 8, 184, 33, 25, "", lfHidden},
    {"Button1", "", 180, 184, 75, 25, "Ok"},
};

// What each control runs.
const ui::Binding<TAboutForm> kBindings[] = {
    {"Label5", ui::Event::Click, &TAboutForm::Label5Click},
    {"Label8", ui::Event::Click, &TAboutForm::Label8Click},
    {"Button1", ui::Event::Click, &TAboutForm::Button1Click},
};

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

}  // namespace

TAboutForm::TAboutForm(ui::Application& app) : Form(app, "AboutForm") {
  CreateWindowFrom({.caption = "About",
                    .clientWidth = 423,
                    .clientHeight = 215,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  Image2.SetPicture(ui::Picture::FromResource("BMP_ABOUT_BANNER"));
  Image1.Stretch = true;
  Panel1.Shape = ui::BevelShape::TopLine;
  BuildLayout(kLayout);
  Label3.SetCaption(kLegalNoticeLine1);
  Label2.SetAlignment(ui::Alignment::Center);
  Label2.SetFontStyle({.bold = true, .height = 13});
  Label3.SetAlignment(ui::Alignment::Center);
  Label4.SetAlignment(ui::Alignment::Center);
  HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  for (ui::Label* link : {&Label5, &Label8}) {
    link->SetAlignment(ui::Alignment::Center);
    link->SetFontStyle({.bold = true, .underline = true});
    link->SetTextColor(kLinkBlue);
    link->SetCursor(hand);
  }
  Button1.SetDefault(true);
  ui::Bind(*this, kBindings);
  FormCreate();
}

void TAboutForm::FormCreate() {
  programPageUrl_ = kProgramPageUrl;
  siteUrl_ = kMakerSiteUrl;
  Label5.SetCaption(programPageUrl_);
  Label8.SetCaption(siteUrl_);
  Label2.SetCaption(App().Title + " " + Label2.Caption());
  TextsReplaced();
  Image1.SetPicture(Image2.GetPicture());
}

void TAboutForm::TextsReplaced() {
  SetCaption(Say(texts::kAboutTitle, {App().Title}));
  Label4.SetCaption(Say(texts::kFreeware));
}

void TAboutForm::OpenAddress(const std::string& address) {
  // Without a browser nothing happens, and nothing is said.
  App().prompts().ShellOpen(nullptr, "open", address, "", "", SW_SHOWNORMAL);
}

void TAboutForm::Label5Click(ui::Component&) { OpenAddress(programPageUrl_); }

void TAboutForm::Label8Click(ui::Component&) { OpenAddress(siteUrl_); }

void TAboutForm::Button1Click(ui::Component&) { Close(); }

}  // namespace wc
