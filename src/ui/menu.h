#pragma once
// Menus: items are components (named, translatable) arranged in a tree; a
// popup menu or a window's menu bar is built from the tree when needed.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/handle.h"

namespace ui {

class MainMenu;

class MenuItem : public Component {
 public:
  // `parent` is the item this one is a sub-item of; nullptr for a top item,
  // which is added to its menu with the menu's Add.
  MenuItem(Component* owner, std::string name, MenuItem* parent, std::string caption);
  ~MenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  bool IsSeparator() const { return caption_ == "-"; }

  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool Default() const { return default_; }
  void SetDefault(bool on);
  // The key text shown at the right, such as "Ctrl+O".
  void SetShortCutText(const std::string& text);
  // A 16 x 16 picture beside the caption (the item keeps its own copy).
  // The program's icon resource beside the caption, at the menus' scale.
  void SetIcon(const char* resource);
  // A picture beside the caption made from pixels (0x00RRGGBB, top row
  // first), such as a thumbnail, drawn `side` layout pixels square.
  void SetPicture(const std::vector<uint32_t>& pixels, int width, int height, int side);
  void ClearPicture();
  bool HasPicture() const { return bool(icon_); }

  void Add(MenuItem& child);
  const std::vector<MenuItem*>& Items() const { return items_; }
  MenuItem* ParentItem() const { return parent_; }

  NotifyEvent OnClick;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Click ? &OnClick : nullptr; }
  void Click();

  UINT Command() const { return command_; }
  static MenuItem* FromCommand(UINT command);

  // Appends this item (and its sub-items) to a native menu.
  void AppendTo(HMENU menu) const;

  // Menu pictures are drawn by their owner window, so the icon keeps its
  // transparency on every background; windows pass these messages here.
  static bool HandleMenuPicture(UINT msg, LPARAM l);

 private:
  friend class MainMenu;
  void Changed();
  MainMenu* bar_ = nullptr;
  std::string caption_;
  std::string shortcut_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  IconHandle icon_;
  int pictureSide_ = 0;  // in screen pixels; 0: the menus' icon size
  MenuItem* parent_;
  std::vector<MenuItem*> items_;
  UINT command_;
};

// A menu shown at a point: the tray menu, the playlist menus.
class PopupMenu : public Component {
 public:
  PopupMenu(Component* owner, std::string name);
  void Add(MenuItem& item) { items_.push_back(&item); }
  const std::vector<MenuItem*>& Items() const { return items_; }
  bool AutoPopup = true;
  // The component the menu was last shown for.
  Component* PopupComponent = nullptr;
  NotifyEvent OnPopup;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Popup ? &OnPopup : nullptr; }
  // Shows the menu at screen point x, y and runs the chosen item's click.
  // `owner` receives the menu's messages; the application's window when null.
  void Popup(int x, int y, HWND owner = nullptr);

 private:
  std::vector<MenuItem*> items_;
};

// While one exists, changed items mark their menu bars and each bar is built
// once when the last batch ends, rather than once per item (a translation
// changes every item of a bar).
class MenuChangeBatch {
 public:
  MenuChangeBatch();
  ~MenuChangeBatch();
  MenuChangeBatch(const MenuChangeBatch&) = delete;
  MenuChangeBatch& operator=(const MenuChangeBatch&) = delete;
};

// The menu bar of a window.
class MainMenu : public Component {
 public:
  MainMenu(Component* owner, std::string name);
  void Add(MenuItem& item);
  HMENU Handle();
  // Builds the bar again after its items changed.
  void Rebuild();
  void AttachTo(HWND window) { window_ = window; }
  ~MainMenu() override;

 private:
  friend class MenuItem;
  friend class MenuChangeBatch;
  // Rebuilds now, or when the running batch ends.
  void Changed();
  std::vector<MenuItem*> items_;
  MenuHandle menu_;
  HWND window_ = nullptr;
};

}  // namespace ui
