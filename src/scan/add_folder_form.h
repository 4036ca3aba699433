#pragma once
// The folder picker (window name "AddFolderForm"): the shell's namespace as a
// tree of folders from the desktop down. "OK" hands the chosen folder's path
// to the control panel's FolderToRead, "Cancel" empties it, and the close box
// leaves it as it was. Without a control panel the choice goes nowhere.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/handle.h"
#include "ui/tree_view.h"

namespace wc {

// An item-id list handed out by the shell, freed with CoTaskMemFree.
struct PidlFree {
  void operator()(ITEMIDLIST* p) const noexcept { CoTaskMemFree(p); }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// A folder path as the picker hands it back: without trailing separators,
// except at a drive's root ("C:\").
std::string WithoutTrailingSeparator(std::string path);

class TAddFolderForm : public ui::Form {
 public:
  explicit TAddFolderForm(ui::Application& app);
  ~TAddFolderForm() override;

  void FormShow(ui::Component& sender);
  void Button1Click(ui::Component& sender);  // "OK"
  void Button2Click(ui::Component& sender);  // "Cancel"
  void ShellTreeView1Expanding(ui::Component& sender, HTREEITEM item);
  void ShellTreeView1Deletion(ui::Component& sender, HTREEITEM item, LPARAM data);

  // The desktop's item; the tree is made, with the desktop open, on first use.
  HTREEITEM RootItem();
  // Opens the tree down to `path` (a file-system folder) and selects it.
  // False, with the selection unchanged, when no folder of the tree is it.
  bool SelectPath(const std::string& path);
  // The parsing path of a folder of the tree: its file-system path when it
  // has one, else the shell's parsing name; "" for no item.
  std::string PathOf(HTREEITEM item) const;
  std::string SelectedPath() const { return PathOf(ShellTreeView1.Selected()); }
  // Reads the children of an open folder again (the shell said they changed).
  void RefreshItem(HTREEITEM item);

  ui::Label Label1{this, "Label1"};
  ui::TreeView ShellTreeView1{this, "ShellTreeView1"};
  ui::Button Button1{this, "Button1"};
  ui::Button Button2{this, "Button2"};

 protected:
  // Another window with the same folder tree (the copy and move target).
  TAddFolderForm(ui::Application& app, const char* name, const ui::FormSpec& look, ui::Layout layout);
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  struct Node {
    Pidl absolute;  // from the desktop
    HTREEITEM item = nullptr;
    bool filled = false;  // its children have been read
  };
  enum class Relation { None, Same, Inside };

  Node* NodeOf(HTREEITEM item) const;
  HTREEITEM AddNode(HTREEITEM parent, Pidl absolute, const std::string& text, bool hasChildren);
  void FillChildren(HTREEITEM item);
  std::string FileSystemPath(const Node& node) const;
  Relation RelationTo(const Node& node, const ITEMIDLIST* target, const std::string& path) const;
  bool SelectBelow(HTREEITEM item, const ITEMIDLIST* target, const std::string& path, int depth);
  void FolderChanged(const ITEMIDLIST* pidl);

  ui::ComPtr<IShellFolder> desktop_;
  HTREEITEM root_ = nullptr;
  std::unordered_map<LPARAM, Node> nodes_;
  LPARAM nextNode_ = 1;
  ULONG changeRegistration_ = 0;
};

}  // namespace wc
