#include "ui/menu.h"

#include <algorithm>
#include <map>

#include "ui/application.h"
#include "ui/dpi.h"
#include "ui/graphics.h"

namespace ui {

namespace {
std::map<UINT, MenuItem*>& Registry() {
  static std::map<UINT, MenuItem*> items;
  return items;
}
// Pixels left free beside a menu picture.
constexpr int kMenuPictureMargin = 2;
// Menus follow the system's scale: 16 layout units there.
int PictureSize() { return ScaleToDpi(16, SystemDpi()); }

UINT NextCommand() {
  // Ids below 0x100 are left to dialogs; 0xF000 and up are system commands.
  static UINT next = 0x1000;
  if (next >= 0xEFFF) next = 0x1000;
  while (Registry().count(next)) ++next;
  return next++;
}

}  // namespace

MenuItem::MenuItem(Component* owner, std::string name, MenuItem* parent, std::string caption)
    : Component(owner, std::move(name)), caption_(std::move(caption)), parent_(parent), command_(NextCommand()) {
  Registry()[command_] = this;
  if (parent_) parent_->items_.push_back(this);
  PublishText("Caption", [this] { return caption_; }, [this](const std::string& v) { SetCaption(v); });
  PublishBoolean("Checked", [this] { return checked_; }, [this](bool v) { SetChecked(v); });
  PublishBoolean("Enabled", [this] { return enabled_; }, [this](bool v) { SetEnabled(v); });
  PublishBoolean("Visible", [this] { return visible_; }, [this](bool v) { SetVisible(v); });
}

MenuItem::~MenuItem() {
  Registry().erase(command_);
  if (parent_) {
    auto& list = parent_->items_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  for (MenuItem* c : items_) c->parent_ = nullptr;
}

MenuItem* MenuItem::FromCommand(UINT command) {
  auto it = Registry().find(command);
  return it == Registry().end() ? nullptr : it->second;
}

void MenuItem::Changed() {
  // Popup menus are built afresh each time they open; a menu bar is rebuilt.
  const MenuItem* top = this;
  while (top->parent_) top = top->parent_;
  if (top->bar_) top->bar_->Changed();
}

namespace {
int batchDepth = 0;
std::vector<MainMenu*> changedBars;
}  // namespace

MenuChangeBatch::MenuChangeBatch() { ++batchDepth; }

MenuChangeBatch::~MenuChangeBatch() {
  if (--batchDepth > 0) return;
  std::vector<MainMenu*> bars;
  bars.swap(changedBars);
  for (MainMenu* bar : bars) bar->Rebuild();
}

void MenuItem::SetCaption(const std::string& text) { caption_ = text;
  Changed();
}
void MenuItem::SetChecked(bool on) { checked_ = on;
  Changed();
}
void MenuItem::SetEnabled(bool on) { enabled_ = on;
  Changed();
}
void MenuItem::SetVisible(bool on) { visible_ = on;
  Changed();
}
void MenuItem::SetDefault(bool on) { default_ = on;
  Changed();
}
void MenuItem::SetShortCutText(const std::string& text) { shortcut_ = text;
  Changed();
}

void MenuItem::SetPicture(const std::vector<uint32_t>& pixels, int width, int height, int side) {
  ClearPicture();
  if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) return;
  BITMAPV5HEADER h{};
  h.bV5Size = sizeof h;
  h.bV5Width = width;
  h.bV5Height = -height;
  h.bV5Planes = 1;
  h.bV5BitCount = 32;
  h.bV5Compression = BI_BITFIELDS;
  h.bV5RedMask = 0x00FF0000;
  h.bV5GreenMask = 0x0000FF00;
  h.bV5BlueMask = 0x000000FF;
  h.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  BitmapHandle colour(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || !bits) return;
  // Opaque everywhere: a photograph has no transparent parts.
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t k = 0; k < pixels.size(); ++k) out[k] = pixels[k] | 0xFF000000u;
  BitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour.get();
  info.hbmMask = mask.get();
  icon_.reset(CreateIconIndirect(&info));
  pictureSide_ = icon_ ? ScaleToDpi(side, SystemDpi()) : 0;
  Changed();
}

void MenuItem::ClearPicture() {
  icon_.reset();
  pictureSide_ = 0;
}

void MenuItem::SetIcon(const char* resource) {
  pictureSide_ = 0;
  icon_ = LoadIconResource(resource, PictureSize());
  Changed();
}

bool MenuItem::HandleMenuPicture(UINT msg, LPARAM l) {
  if (msg == WM_MEASUREITEM) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (mi->CtlType != ODT_MENU) return false;
    MenuItem* item = FromCommand(mi->itemID);
    if (!item || !item->icon_) return false;
    // Room on both sides of the picture: Wine starts the caption right where
    // the picture's column ends.
    const int side = item->pictureSide_ ? item->pictureSide_ : PictureSize();
    // A thumbnail also keeps the caption a little way off.
    mi->itemWidth = UINT(side + (item->pictureSide_ ? 4 : 2) * kMenuPictureMargin);
    mi->itemHeight = UINT(side + (item->pictureSide_ ? 2 * kMenuPictureMargin : 0));
    return true;
  }
  if (msg == WM_DRAWITEM) {
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (di->CtlType != ODT_MENU) return false;
    MenuItem* item = FromCommand(di->itemID);
    if (!item || !item->icon_) return false;
    const int size = item->pictureSide_ ? item->pictureSide_ : PictureSize();
    int y = di->rcItem.top + (di->rcItem.bottom - di->rcItem.top - size) / 2;
    DrawIconEx(di->hDC, di->rcItem.left + kMenuPictureMargin, y, item->icon_.get(), size, size, 0, nullptr, DI_NORMAL);
    return true;
  }
  return false;
}

void MenuItem::Add(MenuItem& child) {
  if (child.parent_ == this) return;
  child.parent_ = this;
  items_.push_back(&child);
}

void MenuItem::Click() {
  if (enabled_) Raise(OnClick, *this);
}

void MenuItem::AppendTo(HMENU menu) const {
  if (!visible_) return;
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof mi;
  if (IsSeparator()) {
    mi.fMask = MIIM_FTYPE;
    mi.fType = MFT_SEPARATOR;
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mi);
    return;
  }
  std::string text = caption_;
  if (!shortcut_.empty()) text += "\t" + shortcut_;
  mi.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
  mi.dwTypeData = text.data();
  mi.wID = command_;
  mi.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED) | (default_ ? MFS_DEFAULT : 0);
  if (!items_.empty()) {
    HMENU sub = CreatePopupMenu();
    for (const MenuItem* c : items_) c->AppendTo(sub);
    mi.fMask |= MIIM_SUBMENU;
    mi.hSubMenu = sub;
  }
  if (icon_) {
    mi.fMask |= MIIM_BITMAP;
    mi.hbmpItem = HBMMENU_CALLBACK;
  }
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mi);
}

PopupMenu::PopupMenu(Component* owner, std::string name) : Component(owner, std::move(name)) {}

void PopupMenu::Popup(int x, int y, HWND owner) {
  Raise(OnPopup, *this);
  MenuHandle menu(CreatePopupMenu());
  for (const MenuItem* item : items_) item->AppendTo(menu.get());
  if (!owner && Application::Current()) owner = Application::Current()->UtilityWindow();
  // A program laid out from right to left opens its menus leftward.
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;
  if (Application* app = Application::Current(); app && app->RightToLeft()) flags |= TPM_LAYOUTRTL | TPM_RIGHTALIGN;
  UINT cmd = UINT(TrackPopupMenu(menu.get(), flags, x, y, 0, owner, nullptr));
  menu.reset();
  if (cmd) {
    if (MenuItem* item = MenuItem::FromCommand(cmd)) item->Click();
  }
}

MainMenu::MainMenu(Component* owner, std::string name) : Component(owner, std::move(name)) {}

MainMenu::~MainMenu() { std::erase(changedBars, this); }

void MainMenu::Changed() {
  if (batchDepth == 0) {
    Rebuild();
  } else if (std::find(changedBars.begin(), changedBars.end(), this) == changedBars.end()) {
    changedBars.push_back(this);
  }
}

void MainMenu::Add(MenuItem& item) {
  items_.push_back(&item);
  item.bar_ = this;
}

HMENU MainMenu::Handle() {
  if (!menu_) Rebuild();
  return menu_.get();
}

void MainMenu::Rebuild() {
  MenuHandle bar(CreateMenu());
  for (const MenuItem* item : items_) item->AppendTo(bar.get());
  if (window_) SetMenu(window_, bar.get());
  menu_ = std::move(bar);
  if (window_) DrawMenuBar(window_);
}

}  // namespace ui
