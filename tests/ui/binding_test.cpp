// Binding tables: a row connects a named component's event to a member of its
// window, and a row the window cannot honour is refused by name.
#include <windows.h>

#include <string>
#include <vector>

#include "gui_test.h"
#include "ui/binding.h"
#include "ui/controls.h"
#include "ui/error.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace {

using wc::test::GuiTest;

class BoundForm : public ui::Form {
 public:
  explicit BoundForm(ui::Application& app) : Form(app, "BoundForm") {
    CreateWindowFrom({.caption = "Bound", .clientWidth = 200, .clientHeight = 100});
    static const ui::LayoutItem layout[] = {
        {"Ok", "", 10, 10, 80, 25, "OK"},
        {"Note", "", 10, 50, 80, 16, "Note"},
    };
    BuildLayout(layout);
  }
  void OkClick(ui::Component& s) { calls.push_back("OkClick " + s.Name()); }
  void ItemClick(ui::Component& s) { calls.push_back("ItemClick " + s.Name()); }
  void TickerTimer(ui::Component& s) { calls.push_back("TickerTimer " + s.Name()); }
  void FormShow(ui::Component& s) { calls.push_back("FormShow " + s.Name()); }

  ui::Button Ok{this, "Ok"};
  ui::Label Note{this, "Note"};
  ui::MenuItem Item{this, "Item", nullptr, "Item"};
  ui::Timer Ticker{this, "Ticker", 60000, false};
  std::vector<std::string> calls;
};

class BindingTest : public GuiTest {};

TEST_F(BindingTest, EachRowRunsItsMemberWithTheComponentAsSender) {
  BoundForm form(app);
  const ui::Binding<BoundForm> table[] = {
      {"ok", ui::Event::Click, &BoundForm::OkClick},  // names compare without regard to case
      {"Item", ui::Event::Click, &BoundForm::ItemClick},
      {"Ticker", ui::Event::Timer, &BoundForm::TickerTimer},
      {"", ui::Event::Show, &BoundForm::FormShow},
  };
  ui::Bind(form, table);
  form.Show();
  SendMessageA(form.Ok.Handle(), BM_CLICK, 0, 0);
  form.Item.Click();
  form.Ticker.SetEnabled(true);  // a stopped timer does not tick
  form.Ticker.Tick();
  EXPECT_EQ(form.calls,
            (std::vector<std::string>{"FormShow BoundForm", "OkClick Ok", "ItemClick Item", "TickerTimer Ticker"}));
  EXPECT_FALSE(form.Note.OnClick);  // rows bind only what they name
}

TEST_F(BindingTest, ARowNamingAMissingControlOrEventIsRefusedByName) {
  BoundForm form(app);
  auto refusal = [&](ui::Binding<BoundForm> row) -> std::string {
    try {
      ui::Bind(form, {&row, 1});
    } catch (const ui::Error& e) {
      return e.what();
    }
    return "accepted";
  };
  const std::string unknown = refusal({"Cancel", ui::Event::Click, &BoundForm::OkClick});
  EXPECT_NE(unknown.find("BoundForm"), std::string::npos) << unknown;
  EXPECT_NE(unknown.find("Cancel"), std::string::npos) << unknown;

  const std::string noEvent = refusal({"Note", ui::Event::Change, &BoundForm::OkClick});
  EXPECT_NE(noEvent.find("BoundForm"), std::string::npos) << noEvent;
  EXPECT_NE(noEvent.find("Note"), std::string::npos) << noEvent;
  EXPECT_NE(noEvent.find("Change"), std::string::npos) << noEvent;

  const std::string windowEvent = refusal({"BoundForm", ui::Event::Timer, &BoundForm::TickerTimer});
  EXPECT_NE(windowEvent.find("Timer"), std::string::npos) << windowEvent;
  EXPECT_EQ(refusal({"BoundForm", ui::Event::Show, &BoundForm::FormShow}), "accepted");
}

}  // namespace
