#include "scan/add_folder_form.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "scan/playlist_target.h"
#include "common/text.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/wide_text.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// The shell's change notices for the tree arrive as this message.
constexpr UINT kFolderChangeMessage = WM_APP + 0x40;
// How deep SelectPath looks, against shell namespaces that loop.
constexpr int kMaxDepth = 64;
// Against an enumerator that never ends.
constexpr int kMaxChildren = 100000;

const ui::LayoutItem kLayout[] = {
    {"Label1", "", 8, 8, 302, 16, "Select a Folder to add Wallpaper from :"},
    {"ShellTreeView1", "", 8, 28, 302, 236},
    {"Button1", "", 154, 273, 75, 25, "OK"},
    {"Button2", "", 235, 273, 75, 25, "Cancel"},
};

// What each control runs.
const ui::Binding<TAddFolderForm> kBindings[] = {
    {"", ui::Event::Show, &TAddFolderForm::FormShow},
    {"Button1", ui::Event::Click, &TAddFolderForm::Button1Click},
    {"Button2", ui::Event::Click, &TAddFolderForm::Button2Click},
};

std::string NameOf(IShellFolder* folder, const ITEMIDLIST* pidl, SHGDNF flags) {
  STRRET sr{};
  if (!folder || FAILED(folder->GetDisplayNameOf(pidl, flags, &sr))) return {};
  wchar_t buf[1024] = {};
  // StrRetToBuf also frees the text the shell allocated.
  if (FAILED(StrRetToBufW(&sr, pidl, buf, UINT(std::size(buf))))) return {};
  return ui::Narrow(buf);
}

int IconOf(const ITEMIDLIST* pidl, UINT extra) {
  SHFILEINFOA sfi{};
  if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &sfi, sizeof sfi,
                      SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra)) {
    return 0;
  }
  return sfi.iIcon;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveRoot(const std::string& path) { return path.size() == 3 && path[1] == ':' && IsSeparator(path[2]); }


}  // namespace

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && IsSeparator(path.back()) && !IsDriveRoot(path)) path.pop_back();
  return path;
}

TAddFolderForm::TAddFolderForm(ui::Application& app)
    : TAddFolderForm(app, "AddFolderForm",
                     {.caption = "Browse for Folder",
                      .clientWidth = 318,
                      .clientHeight = 306,
                      .border = ui::BorderStyle::Dialog,
                      .icons = ui::biSystemMenu},
                     kLayout) {}

TAddFolderForm::TAddFolderForm(ui::Application& app, const char* name, const ui::FormSpec& look, ui::Layout layout)
    : Form(app, name) {
  CreateWindowFrom(look);
  BuildLayout(layout);
  Button1.SetDefault(true);
  ui::Bind(*this, kBindings);
  ShellTreeView1.OnExpanding = [this](ui::Component& s, HTREEITEM item) { ShellTreeView1Expanding(s, item); };
  ShellTreeView1.OnDeletion = [this](ui::Component& s, HTREEITEM item, LPARAM data) {
    ShellTreeView1Deletion(s, item, data);
  };
}

TAddFolderForm::~TAddFolderForm() {
  if (changeRegistration_) SHChangeNotifyDeregister(changeRegistration_);
  // The tree goes after the nodes: it must not report to them any more.
  ShellTreeView1.OnDeletion = nullptr;
  ShellTreeView1.Clear();
}

void TAddFolderForm::FormShow(ui::Component&) { RootItem(); }

void TAddFolderForm::Button1Click(ui::Component&) {
  HTREEITEM item = ShellTreeView1.Selected();
  if (!item || ShellTreeView1.ItemText(item).empty()) return;
  if (PlaylistTarget* playlist = PlaylistTarget::Find()) playlist->SetFolderForReading(PathOf(item));
  SetModalResult(ui::mrOk);
  Close();
}

void TAddFolderForm::Button2Click(ui::Component&) {
  if (PlaylistTarget* playlist = PlaylistTarget::Find()) playlist->SetFolderForReading("");
  SetModalResult(ui::mrCancel);
  Close();
}

void TAddFolderForm::ShellTreeView1Expanding(ui::Component&, HTREEITEM item) { FillChildren(item); }

void TAddFolderForm::ShellTreeView1Deletion(ui::Component&, HTREEITEM item, LPARAM data) {
  nodes_.erase(data);
  if (item == root_) root_ = nullptr;
}

TAddFolderForm::Node* TAddFolderForm::NodeOf(HTREEITEM item) const {
  if (!item) return nullptr;
  auto it = nodes_.find(ShellTreeView1.ItemData(item));
  // Only the map's own nodes are handed out; the tree keeps no pointers.
  return it == nodes_.end() ? nullptr : const_cast<Node*>(&it->second);
}

HTREEITEM TAddFolderForm::RootItem() {
  if (root_) return root_;
  if (!desktop_ && FAILED(SHGetDesktopFolder(desktop_.put()))) {
    desktop_.reset();
    return nullptr;  // no shell: an empty tree, from which only Cancel leads
  }
  ITEMIDLIST* raw = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &raw)) || !raw) return nullptr;
  Pidl desktop(raw);
  SHFILEINFOA sfi{};
  // The system's own image list: shared by every program, never ours to free.
  auto images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop.get()), 0, &sfi,
                                                            sizeof sfi, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (images) ShellTreeView1.SetImageList(images);
  std::string name = NameOf(desktop_.get(), desktop.get(), SHGDN_NORMAL);
  if (name.empty()) name = Say(texts::kDesktopFolder);

  // Folders made, removed or renamed anywhere below the desktop refresh the
  // parts of the tree already read.
  SHChangeNotifyEntry entry{desktop.get(), TRUE};
  changeRegistration_ = SHChangeNotifyRegister(
      Handle(), SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery,
      SHCNE_MKDIR | SHCNE_RMDIR | SHCNE_RENAMEFOLDER | SHCNE_UPDATEDIR | SHCNE_DRIVEADD | SHCNE_DRIVEREMOVED |
          SHCNE_MEDIAINSERTED | SHCNE_MEDIAREMOVED,
      kFolderChangeMessage, 1, &entry);

  root_ = AddNode(nullptr, std::move(desktop), name, true);
  ShellTreeView1.Expand(root_);
  return root_;
}

HTREEITEM TAddFolderForm::AddNode(HTREEITEM parent, Pidl absolute, const std::string& text, bool hasChildren) {
  int icon = IconOf(absolute.get(), 0);
  int openIcon = IconOf(absolute.get(), SHGFI_OPENICON);
  LPARAM id = nextNode_++;
  Node& node = nodes_[id];
  node.absolute = std::move(absolute);
  try {
    node.item = ShellTreeView1.AddItem(parent, text, icon, openIcon, id, hasChildren);
  } catch (...) {
    nodes_.erase(id);
    throw;
  }
  return node.item;
}

void TAddFolderForm::FillChildren(HTREEITEM item) {
  Node* node = NodeOf(item);
  if (!node || node->filled || !desktop_) return;
  node->filled = true;

  ui::ComPtr<IShellFolder> folder;
  if (item == root_) {
    folder = desktop_;
  } else if (FAILED(desktop_->BindToObject(node->absolute.get(), nullptr, IID_IShellFolder, folder.put_void()))) {
    folder.reset();
  }
  std::vector<Pidl> children;
  if (folder) {
    ui::ComPtr<IEnumIDList> list;
    // No owner window: a drive without a disk answers with an error rather
    // than a message box.
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS, list.put()) == S_OK && list) {
      ITEMIDLIST* raw = nullptr;
      ULONG got = 0;
      for (int n = 0; n < kMaxChildren && list->Next(1, &raw, &got) == S_OK && raw; ++n, raw = nullptr) {
        Pidl child(raw);
        LPCITEMIDLIST one = child.get();
        SFGAOF attrs = SFGAO_FOLDER | SFGAO_STREAM;
        // Archives count as folders to the shell, but they are files.
        if (SUCCEEDED(folder->GetAttributesOf(1, &one, &attrs)) && (attrs & SFGAO_FOLDER) && !(attrs & SFGAO_STREAM)) {
          children.push_back(std::move(child));
        }
      }
    }
  }
  // In the shell's own order, as its windows show them. A merge sort stays
  // safe even if a folder's comparison is not consistent.
  std::stable_sort(children.begin(), children.end(), [&](const Pidl& a, const Pidl& b) {
    HRESULT hr = folder->CompareIDs(0, a.get(), b.get());
    return SUCCEEDED(hr) && short(HRESULT_CODE(hr)) < 0;
  });
  int added = 0;
  for (Pidl& child : children) {
    LPCITEMIDLIST one = child.get();
    SFGAOF attrs = SFGAO_HASSUBFOLDER;
    bool hasSubfolders = SUCCEEDED(folder->GetAttributesOf(1, &one, &attrs)) && (attrs & SFGAO_HASSUBFOLDER);
    std::string name = NameOf(folder.get(), child.get(), SHGDN_NORMAL);
    Pidl absolute(ILCombine(node->absolute.get(), child.get()));
    if (!absolute) continue;
    AddNode(item, std::move(absolute), name, hasSubfolders);
    ++added;
  }
  ShellTreeView1.SetHasChildren(item, added > 0);
}

std::string TAddFolderForm::FileSystemPath(const Node& node) const {
  wchar_t buf[MAX_PATH * 2] = {};
  if (!SHGetPathFromIDListW(node.absolute.get(), buf)) return {};
  return ui::Narrow(buf);
}

std::string TAddFolderForm::PathOf(HTREEITEM item) const {
  const Node* node = NodeOf(item);
  if (!node) return {};
  std::string path = FileSystemPath(*node);
  if (path.empty()) path = NameOf(desktop_.get(), node->absolute.get(), SHGDN_FORPARSING);
  return WithoutTrailingSeparator(path);
}

TAddFolderForm::Relation TAddFolderForm::RelationTo(const Node& node, const ITEMIDLIST* target,
                                                    const std::string& path) const {
  if (target) {
    if (ILIsEqual(node.absolute.get(), target)) return Relation::Same;
    if (ILIsParent(node.absolute.get(), target, FALSE)) return Relation::Inside;
  }
  // The same folder can be reached by more than one way of the namespace
  // (the desktop's own folders, for one): the paths tell then.
  std::string own = FileSystemPath(node);
  if (own.empty() || path.empty()) return Relation::None;
  own = WithoutTrailingSeparator(own);
  if (EqualsIgnoreCaseAscii(own, path)) return Relation::Same;
  std::string prefix = IsSeparator(own.back()) ? own : own + "\\";
  if (path.size() > prefix.size() && EqualsIgnoreCaseAscii(std::string_view(path).substr(0, prefix.size()), prefix)) {
    return Relation::Inside;
  }
  return Relation::None;
}

bool TAddFolderForm::SelectBelow(HTREEITEM item, const ITEMIDLIST* target, const std::string& path, int depth) {
  if (depth > kMaxDepth) return false;
  FillChildren(item);
  std::vector<HTREEITEM> inside;
  for (HTREEITEM child = ShellTreeView1.FirstChild(item); child; child = ShellTreeView1.NextSibling(child)) {
    const Node* node = NodeOf(child);
    if (!node) continue;
    Relation r = RelationTo(*node, target, path);
    if (r == Relation::Same) {
      for (HTREEITEM up = item; up; up = ShellTreeView1.ParentItem(up)) ShellTreeView1.Expand(up);
      ShellTreeView1.SetSelected(child);
      return true;
    }
    if (r == Relation::Inside) inside.push_back(child);
  }
  for (HTREEITEM child : inside) {
    if (SelectBelow(child, target, path, depth + 1)) return true;
  }
  return false;
}

bool TAddFolderForm::SelectPath(const std::string& path) {
  if (path.empty()) return false;
  HTREEITEM root = RootItem();
  const Node* rootNode = NodeOf(root);
  if (!rootNode) return false;
  std::string want = WithoutTrailingSeparator(path);
  Pidl target;
  std::wstring wide = ui::Widen(want);
  ITEMIDLIST* raw = nullptr;
  if (!wide.empty() && SUCCEEDED(desktop_->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &raw, nullptr))) {
    target.reset(raw);
  }
  if (RelationTo(*rootNode, target.get(), want) == Relation::Same) {
    ShellTreeView1.SetSelected(root);
    return true;
  }
  return SelectBelow(root, target.get(), want, 0);
}

void TAddFolderForm::RefreshItem(HTREEITEM item) {
  Node* node = NodeOf(item);
  if (!node || !node->filled) return;
  bool open = ShellTreeView1.Expanded(item);
  // A selection inside goes with the old children; find it again after.
  std::string selected;
  HTREEITEM sel = ShellTreeView1.Selected();
  for (HTREEITEM up = ShellTreeView1.ParentItem(sel); up; up = ShellTreeView1.ParentItem(up)) {
    if (up == item) {
      selected = PathOf(sel);
      break;
    }
  }
  ShellTreeView1.DeleteChildren(item);
  node->filled = false;
  ShellTreeView1.SetHasChildren(item, true);
  if (open) ShellTreeView1.Expand(item);
  else FillChildren(item);  // so the button shows whether anything is left
  if (!selected.empty() && !SelectPath(selected)) ShellTreeView1.SetSelected(item);
}

void TAddFolderForm::FolderChanged(const ITEMIDLIST* pidl) {
  if (!pidl) return;
  // The folder itself (its contents changed) and the folder holding it (it
  // came, went or was renamed), wherever they have been read.
  std::vector<LPARAM> concerned;
  for (const auto& [id, node] : nodes_) {
    if (node.filled && (ILIsEqual(node.absolute.get(), pidl) || ILIsParent(node.absolute.get(), pidl, TRUE))) {
      concerned.push_back(id);
    }
  }
  for (LPARAM id : concerned) {
    auto it = nodes_.find(id);  // an earlier refresh may have taken it away
    if (it != nodes_.end()) RefreshItem(it->second.item);
  }
}

LRESULT TAddFolderForm::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == kFolderChangeMessage) {
    PIDLIST_ABSOLUTE* pidls = nullptr;
    LONG event = 0;
    HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(w), DWORD(l), &pidls, &event);
    if (!lock) return 0;
    std::vector<Pidl> changed;
    for (int i = 0; i < 2 && pidls; ++i) {
      if (pidls[i]) changed.emplace_back(ILClone(pidls[i]));
    }
    SHChangeNotification_Unlock(lock);
    for (const Pidl& p : changed) FolderChanged(p.get());
    return 0;
  }
  return Form::WndProc(msg, w, l);
}

}  // namespace wc
