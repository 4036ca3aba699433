#include "scan/filter_form.h"

#include <vector>

#include "scan/playlist_target.h"
#include "common/picture_formats.h"
#include "common/text.h"
#include "scan/edit_filter_form.h"
#include "ui/application.h"
#include "ui/binding.h"

namespace wc {

namespace {

// The table's entries hold at most this many characters.
constexpr size_t kExtensionLength = 10;

const ui::LayoutItem kLayout[] = {
    {"Label1", "", 8, 10, 281, 16, "Add only these types of wallpapers :"},
    {"FilterEdit", "", 8, 30, 250, 23, ""},
    {"Button3", "", 262, 30, 27, 23, "..."},
    {"RecurseSubfoldersCheckBox", "", 8, 64, 281, 19, "Recurse subfolders"},
    {"Button1", "", 133, 106, 75, 25, "OK"},
    {"Button2", "", 214, 106, 75, 25, "Cancel"},
};

// What each control runs.
const ui::Binding<TFilterForm> kBindings[] = {
    {"Button1", ui::Event::Click, &TFilterForm::Button1Click},
    {"Button2", ui::Event::Click, &TFilterForm::Button2Click},
    {"Button3", ui::Event::Click, &TFilterForm::Button3Click},
};

TEditFilterForm* FilterEditor() { return ui::Application::FindForm<TEditFilterForm>("EditFilterForm"); }

}  // namespace

std::string FilterToExtension(std::string_view filter) {
  if (!filter.empty()) filter.remove_prefix(1);
  std::string ext = UpperCaseText(filter);
  if (ext.size() > kExtensionLength) ext.resize(kExtensionLength);
  return ext;
}

std::vector<std::string> PictureFilters() {
  std::vector<std::string> filters;
  for (const std::string& e : PictureExtensions()) filters.push_back("*" + LowerCaseAscii(e));
  return filters;
}

std::string PictureFilterText() { return ExtensionPattern(PictureExtensions()); }

TFilterForm::TFilterForm(ui::Application& app) : Form(app, "FilterForm") {
  CreateWindowFrom({.caption = "Add Folder Options",
                    .clientWidth = 297,
                    .clientHeight = 141,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  FilterEdit.SetReadOnly(true);
  BuildLayout(kLayout);
  // Every picture the program reads, those of the system's decoders included.
  FilterEdit.SetText(PictureFilterText());
  RecurseSubfoldersCheckBox.SetChecked(true);
  Button1.SetDefault(true);
  ui::Bind(*this, kBindings);
}

void TFilterForm::Button1Click(ui::Component&) {
  // The editor's list as it stands, whether or not its "Apply" was pressed.
  std::vector<std::string> filters;
  if (TEditFilterForm* editor = FilterEditor()) filters = editor->FilterListBox.Items();
  if (filters.size() > size_t(kMaxFilters)) filters.resize(size_t(kMaxFilters));
  if (PlaylistTarget* playlist = PlaylistTarget::Find()) {
    std::vector<std::string> extensions;
    for (const std::string& filter : filters) extensions.push_back(FilterToExtension(filter));
    playlist->SetReadFilters(extensions, RecurseSubfoldersCheckBox.Checked());
  }
  SetModalResult(ui::mrOk);
  Close();
}

void TFilterForm::Button2Click(ui::Component&) {
  if (PlaylistTarget* playlist = PlaylistTarget::Find()) playlist->ClearReadFilters();
  SetModalResult(ui::mrCancel);
  Close();
}

void TFilterForm::Button3Click(ui::Component&) {
  if (TEditFilterForm* editor = FilterEditor()) editor->ShowModal();
}

}  // namespace wc
