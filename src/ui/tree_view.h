#pragma once
// A thin wrapper over the system tree view: items with a text, an icon from
// an attached image list and a value of the owner's choosing, children filled
// when an item is first opened, and the selection.
//
//   ui::TreeView Tree{this, "Tree"};
//   Tree.SetImageList(list);                        // not owned by the tree
//   HTREEITEM root = Tree.AddItem(nullptr, "Desktop", icon, openIcon, id, true);
//   Tree.OnExpanding = [this](ui::Component&, HTREEITEM item) { FillChildren(item); };
//
// Items are plain HTREEITEM handles; their value (ItemData) is how the owner
// finds its own object for an item. OnDeletion reports every item that goes,
// whoever removes it, so the owner can let go of that object.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "ui/control.h"

namespace ui {

using TreeItemEvent = std::function<void(Component& sender, HTREEITEM item)>;
// An item that goes, with its value (the item can no longer be asked).
using TreeItemGoneEvent = std::function<void(Component& sender, HTREEITEM item, LPARAM data)>;

class TreeView : public Control {
 public:
  TreeView(Component* owner, std::string name);
  ~TreeView() override;

  // The icons of the items; the caller keeps ownership (the system image
  // list, for one, must never be destroyed).
  void SetImageList(HIMAGELIST list);

  // Adds an item as the last child of `parent` (nullptr: a root item).
  // `hasChildren` shows an expand button before any child exists, so the
  // children can be made when the item is first opened. Throws ui::Error
  // when the control refuses the item.
  HTREEITEM AddItem(HTREEITEM parent, const std::string& text, int image, int selectedImage, LPARAM data,
                    bool hasChildren);
  void DeleteItem(HTREEITEM item);
  // Removes the children; the item keeps its expand button, and opening it
  // asks for children again.
  void DeleteChildren(HTREEITEM item);
  void Clear();

  HTREEITEM FirstRoot() const;
  HTREEITEM FirstChild(HTREEITEM item) const;
  HTREEITEM NextSibling(HTREEITEM item) const;
  HTREEITEM ParentItem(HTREEITEM item) const;
  int ChildCount(HTREEITEM item) const;
  int Count() const;

  std::string ItemText(HTREEITEM item) const;
  LPARAM ItemData(HTREEITEM item) const;
  // Whether the item shows an expand button.
  void SetHasChildren(HTREEITEM item, bool on);
  bool HasChildren(HTREEITEM item) const;

  // Opens the item (OnExpanding first, when it has no children yet), the
  // same whether or not the control itself tells about it.
  void Expand(HTREEITEM item);
  void Collapse(HTREEITEM item);
  bool Expanded(HTREEITEM item) const;

  // The selected item, or nullptr.
  HTREEITEM Selected() const;
  // Selects the item (nullptr: none) and scrolls it into view; OnChange runs
  // when the selection changes.
  void SetSelected(HTREEITEM item);
  // The item at a point of the client area, or nullptr.
  HTREEITEM ItemAt(int x, int y) const;

  // Before an item with an expand button but no children yet opens (by the
  // user or by Expand): the place to make its children. It runs again only
  // once the children are gone (DeleteChildren).
  TreeItemEvent OnExpanding;
  // After the selection changed.
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }
  // An item is about to go (deleted, cleared, or the window destroyed).
  TreeItemGoneEvent OnDeletion;

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  HIMAGELIST images_ = nullptr;
  bool expandingNotified_ = false;
};

}  // namespace ui
