#include "ui/controls_combo_box.h"

namespace ui {

// ---------------------------------------------------------------- ComboBox
ComboBox::ComboBox(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
  // A shorter list (a language file older than the program's choices)
  // replaces the first items and keeps the rest, so no choice disappears.
  PublishStrings("Items", [this] { return items_; }, [this](const std::vector<std::string>& v) {
    std::vector<std::string> items = v;
    for (size_t i = v.size(); i < items_.size(); ++i) items.push_back(items_[i]);
    SetItems(items);
  });
  PublishInteger("ItemIndex", [this] { return ItemIndex(); }, [this](int64_t v) { SetItemIndex(int(v)); });
  PublishText("Text", [this] { return Text(); }, [this](const std::string& v) { SetText(v); });
}

Window::CreateParams ComboBox::Params() {
  CreateParams p = Control::Params();
  p.className = "COMBOBOX";
  p.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
  p.height += 200;  // room for the list when it drops down
  return p;
}

void ComboBox::HandleCreated() {
  for (const auto& s : items_) SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  SendMessageA(Handle(), CB_SETCURSEL, index_, 0);
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  index_ = -1;
  if (Handle()) {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    HandleCreated();
  }
}

int ComboBox::ItemIndex() const {
  return Handle() ? int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : index_;
}

void ComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= int(items_.size())) i = -1;
  index_ = i;
  if (Handle()) SendMessageA(Handle(), CB_SETCURSEL, i, 0);
}

std::string ComboBox::Text() const {
  int i = ItemIndex();
  return i >= 0 && i < int(items_.size()) ? items_[size_t(i)] : std::string();
}

void ComboBox::SetText(const std::string& text) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == text) {
      SetItemIndex(int(i));
      return;
    }
  }
  SetItemIndex(-1);
}

bool ComboBox::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == CBN_SELCHANGE) {
    index_ = int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    Raise(OnChange, *this);
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

}  // namespace ui
