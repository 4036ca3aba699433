#include "scan/edit_filter_form.h"

#include "scan/filter_form.h"
#include "ui/application.h"
#include "ui/binding.h"

namespace wc {

namespace {

constexpr int kMaxNameLength = 4;

const ui::LayoutItem kLayout[] = {
    {"FilterListBox", "", 8, 8, 118, 163},
    {"Edit1", "", 134, 8, 75, 23},
    {"Button1", "", 134, 38, 75, 25, "Add"},
    {"Button2", "", 134, 68, 75, 25, "Remove"},
    {"Apply", "", 134, 146, 75, 25, "Apply"},
};

// What each control runs.
const ui::Binding<TEditFilterForm> kBindings[] = {
    {"Button1", ui::Event::Click, &TEditFilterForm::Button1Click},
    {"Button2", ui::Event::Click, &TEditFilterForm::Button2Click},
    {"Apply", ui::Event::Click, &TEditFilterForm::ApplyClick},
};

}  // namespace

bool IsFilterName(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  }
  return true;
}

TEditFilterForm::TEditFilterForm(ui::Application& app) : Form(app, "EditFilterForm") {
  CreateWindowFrom({.caption = "Filter Edit",
                    .clientWidth = 217,
                    .clientHeight = 179,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  Edit1.SetMaxLength(kMaxNameLength);
  BuildLayout(kLayout);
  FilterListBox.SetItems(PictureFilters());
  ui::Bind(*this, kBindings);
}

void TEditFilterForm::Button1Click(ui::Component&) {
  std::string name = Edit1.Text();
  if (IsFilterName(name)) FilterListBox.AddItem("*." + name);
}

void TEditFilterForm::Button2Click(ui::Component&) {
  int i = FilterListBox.ItemIndex();
  if (i >= 0 && i < FilterListBox.Count()) FilterListBox.DeleteItem(i);
}

std::string TEditFilterForm::FilterText() const {
  std::string text;
  for (const std::string& entry : FilterListBox.Items()) text += entry + ";";
  return text;
}

void TEditFilterForm::ApplyClick(ui::Component&) {
  if (auto* options = ui::Application::FindForm<TFilterForm>("FilterForm")) options->FilterEdit.SetText(FilterText());
  SetModalResult(ui::mrOk);
  Close();
}

}  // namespace wc
