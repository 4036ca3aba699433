#include "ui/tree_view.h"

#include <windowsx.h>

#include "ui/error.h"

namespace ui {

TreeView::TreeView(Component* owner, std::string name) : Control(owner, std::move(name)) { reportMouse_ = false; }

TreeView::~TreeView() {
  // The control reports every item as it goes; the owner's handlers may refer
  // to objects that are already gone, so they hear nothing of the teardown.
  OnDeletion = nullptr;
  OnChange = nullptr;
  OnExpanding = nullptr;
  DestroyHandle();
}

Window::CreateParams TreeView::Params() {
  CreateParams p = Control::Params();
  p.className = WC_TREEVIEWA;
  p.exStyle |= WS_EX_CLIENTEDGE;
  // No TVS_LINESATROOT: root items sit at the left edge without a button.
  p.style |= WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP;
  return p;
}

void TreeView::HandleCreated() {
  if (images_) TreeView_SetImageList(Handle(), images_, TVSIL_NORMAL);
}

void TreeView::SetImageList(HIMAGELIST list) {
  images_ = list;
  if (Handle()) TreeView_SetImageList(Handle(), list, TVSIL_NORMAL);
}

HTREEITEM TreeView::AddItem(HTREEITEM parent, const std::string& text, int image, int selectedImage, LPARAM data,
                            bool hasChildren) {
  if (!Handle()) throw Error(Name() + ": the tree has no window yet");
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent ? parent : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  std::string copy = text;
  ins.item.pszText = copy.data();
  ins.item.iImage = image;
  ins.item.iSelectedImage = selectedImage;
  ins.item.lParam = data;
  ins.item.cChildren = hasChildren ? 1 : 0;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  if (!item) throw Error(Name() + ": the tree cannot take the item " + text);
  return item;
}

void TreeView::DeleteItem(HTREEITEM item) {
  if (Handle() && item) TreeView_DeleteItem(Handle(), item);
}

void TreeView::DeleteChildren(HTREEITEM item) {
  if (!Handle() || !item) return;
  bool button = HasChildren(item);
  while (HTREEITEM child = FirstChild(item)) TreeView_DeleteItem(Handle(), child);
  // Opening it again must ask the owner for children again; the control
  // takes the button away with the last child, so it is given back.
  TVITEMA tv{};
  tv.mask = TVIF_STATE | TVIF_CHILDREN;
  tv.cChildren = button ? 1 : 0;
  tv.hItem = item;
  tv.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  tv.state = 0;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void TreeView::Clear() {
  if (Handle()) TreeView_DeleteAllItems(Handle());
}

HTREEITEM TreeView::FirstRoot() const { return Handle() ? TreeView_GetRoot(Handle()) : nullptr; }

HTREEITEM TreeView::FirstChild(HTREEITEM item) const {
  return Handle() && item ? TreeView_GetChild(Handle(), item) : nullptr;
}

HTREEITEM TreeView::NextSibling(HTREEITEM item) const {
  return Handle() && item ? TreeView_GetNextSibling(Handle(), item) : nullptr;
}

HTREEITEM TreeView::ParentItem(HTREEITEM item) const {
  return Handle() && item ? TreeView_GetParent(Handle(), item) : nullptr;
}

int TreeView::ChildCount(HTREEITEM item) const {
  int n = 0;
  for (HTREEITEM c = FirstChild(item); c; c = NextSibling(c)) ++n;
  return n;
}

int TreeView::Count() const { return Handle() ? int(TreeView_GetCount(Handle())) : 0; }

std::string TreeView::ItemText(HTREEITEM item) const {
  if (!Handle() || !item) return {};
  char buf[1024] = {};
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = buf;
  tv.cchTextMax = int(sizeof buf);
  if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return {};
  return tv.pszText ? std::string(tv.pszText) : std::string();
}

LPARAM TreeView::ItemData(HTREEITEM item) const {
  if (!Handle() || !item) return 0;
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return 0;
  return tv.lParam;
}

void TreeView::SetHasChildren(HTREEITEM item, bool on) {
  if (!Handle() || !item) return;
  TVITEMA tv{};
  tv.mask = TVIF_CHILDREN;
  tv.hItem = item;
  tv.cChildren = on ? 1 : 0;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

bool TreeView::HasChildren(HTREEITEM item) const {
  if (!Handle() || !item) return false;
  TVITEMA tv{};
  tv.mask = TVIF_CHILDREN;
  tv.hItem = item;
  if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return false;
  return tv.cChildren != 0;
}

void TreeView::Expand(HTREEITEM item) {
  if (!Handle() || !item) return;
  expandingNotified_ = false;
  TreeView_Expand(Handle(), item, TVE_EXPAND);
  if (!expandingNotified_ && !FirstChild(item) && HasChildren(item)) {
    // The control kept quiet (it had opened the item before, and TVM_EXPAND
    // then says nothing): let the owner fill it now and open it again.
    if (OnExpanding) OnExpanding(*this, item);
    TreeView_Expand(Handle(), item, TVE_EXPAND);
  }
}

void TreeView::Collapse(HTREEITEM item) {
  if (Handle() && item) TreeView_Expand(Handle(), item, TVE_COLLAPSE);
}

bool TreeView::Expanded(HTREEITEM item) const {
  if (!Handle() || !item) return false;
  return (TreeView_GetItemState(Handle(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM TreeView::Selected() const { return Handle() ? TreeView_GetSelection(Handle()) : nullptr; }

void TreeView::SetSelected(HTREEITEM item) {
  if (!Handle()) return;
  TreeView_SelectItem(Handle(), item);
  if (item) TreeView_EnsureVisible(Handle(), item);
}

HTREEITEM TreeView::ItemAt(int x, int y) const {
  if (!Handle()) return nullptr;
  TVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  HTREEITEM item = TreeView_HitTest(Handle(), &hit);
  return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

LRESULT TreeView::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_RBUTTONDOWN) {
    // A right click selects what it hits, before the control's own handling
    // (which only lights the item up for as long as the button is down).
    if (HTREEITEM item = ItemAt(GET_X_LPARAM(l), GET_Y_LPARAM(l))) SetSelected(item);
  }
  return Control::WndProc(msg, w, l);
}

bool TreeView::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg != WM_NOTIFY) return Control::HandleReflected(msg, w, l, result);
  auto* hdr = reinterpret_cast<NMHDR*>(l);
  // The layout of NMTREEVIEWA and NMTREEVIEWW is the same for the fields read
  // here, so both kinds of notification are handled alike.
  auto* nm = reinterpret_cast<NMTREEVIEWA*>(l);
  switch (hdr->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      if (nm->action & TVE_EXPAND) {
        expandingNotified_ = true;
        // Only an item still without children asks for them.
        if (OnExpanding && !FirstChild(nm->itemNew.hItem)) OnExpanding(*this, nm->itemNew.hItem);
      }
      result = FALSE;  // let it open
      return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      Raise(OnChange, *this);
      result = 0;
      return true;
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
      if (OnDeletion) OnDeletion(*this, nm->itemOld.hItem, nm->itemOld.lParam);
      result = 0;
      return true;
    default:
      return Control::HandleReflected(msg, w, l, result);
  }
}

}  // namespace ui
