#pragma once
// The about box (window name "AboutForm"): the program's title and version,
// the legal notice and two links to the program's pages on the web. Made once
// at start-up, hidden; "Ok" hides it again.
#include "ui/controls.h"
#include "ui/form.h"

namespace wc {

// The legal notice under the version line.
extern const char* const kLegalNoticeLine1;

class TAboutForm : public ui::Form {
 public:
  explicit TAboutForm(ui::Application& app);

  void FormCreate();
  // The title and the notice in the language now in use.
  void TextsReplaced() override;
  void Label5Click(ui::Component& sender);  // the program's page
  void Label8Click(ui::Component& sender);  // the site's home page
  void Button1Click(ui::Component& sender);

  // The addresses the links open, as the control panel gave them at creation.
  const std::string& ProgramPageUrl() const { return programPageUrl_; }
  const std::string& SiteUrl() const { return siteUrl_; }

  ui::Image Image1{this, "Image1"};
  ui::Label Label2{this, "Label2"};
  ui::Label Label3{this, "Label3"};
  ui::Label Label4{this, "Label4"};
  ui::Label Label6{this, "Label6"};
  ui::Label Label5{this, "Label5"};
  ui::Label Label7{this, "Label7"};
  ui::Label Label8{this, "Label8"};
  ui::Bevel Panel1{this, "Panel1"};
  ui::Image Image2{this, "Image2"};
  ui::Button Button1{this, "Button1"};

 private:
  void OpenAddress(const std::string& address);
  std::string programPageUrl_;
  std::string siteUrl_;
};

}  // namespace wc
