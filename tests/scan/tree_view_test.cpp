// The tree view wrapper: children made when an item first opens, item values
// and their deletion, selection by code and by a right click.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui_test.h"
#include "ui/form.h"
#include "ui/tree_view.h"

namespace wc {
namespace {

class TreeForm : public ui::Form {
 public:
  explicit TreeForm(ui::Application& app) : Form(app, "TreeForm") {
    CreateWindowFrom({.caption = "Tree", .clientWidth = 240, .clientHeight = 240});
    static const ui::LayoutItem layout[] = {{"Tree", "", 8, 8, 224, 224}};
    BuildLayout(layout);
  }
  ui::TreeView Tree{this, "Tree"};
};

class TreeViewTest : public test::GuiTest {
 protected:
  TreeViewTest() {
    tree.OnExpanding = [this](ui::Component&, HTREEITEM item) {
      ++expandings;
      tree.AddItem(item, "one", 0, 0, 11, false);
      tree.AddItem(item, "two", 0, 0, 12, true);
    };
    tree.OnDeletion = [this](ui::Component&, HTREEITEM, LPARAM data) { deleted.push_back(data); };
    tree.OnChange = [this](ui::Component&) { ++changes; };
  }
  std::vector<std::string> Texts(HTREEITEM parent) const {
    std::vector<std::string> v;
    for (HTREEITEM c = tree.FirstChild(parent); c; c = tree.NextSibling(c)) v.push_back(tree.ItemText(c));
    return v;
  }

  TreeForm& form = app.CreateForm<TreeForm>();
  ui::TreeView& tree = form.Tree;
  int expandings = 0;
  int changes = 0;
  std::vector<LPARAM> deleted;
};

TEST_F(TreeViewTest, ChildrenAreMadeWhenAnItemFirstOpens) {
  HTREEITEM root = tree.AddItem(nullptr, "root", 0, 0, 1, true);
  EXPECT_TRUE(tree.HasChildren(root));
  EXPECT_EQ(tree.FirstChild(root), nullptr);
  tree.Expand(root);
  EXPECT_EQ(expandings, 1);
  EXPECT_TRUE(tree.Expanded(root));
  EXPECT_EQ(Texts(root), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(tree.ParentItem(tree.FirstChild(root)), root);

  // Opening again shows what is there; it does not ask again.
  tree.Collapse(root);
  EXPECT_FALSE(tree.Expanded(root));
  tree.Expand(root);
  EXPECT_EQ(expandings, 1);
  EXPECT_EQ(tree.ChildCount(root), 2);

  // Once its children are gone the item asks for them again.
  tree.DeleteChildren(root);
  EXPECT_FALSE(tree.Expanded(root));
  EXPECT_TRUE(tree.HasChildren(root));
  EXPECT_EQ(tree.ChildCount(root), 0);
  tree.Expand(root);
  EXPECT_EQ(expandings, 2);
  EXPECT_EQ(Texts(root), (std::vector<std::string>{"one", "two"}));
}

TEST_F(TreeViewTest, ItemsKeepTheirValueAndReportItWhenTheyGo) {
  HTREEITEM a = tree.AddItem(nullptr, "a", 0, 0, 1, true);
  HTREEITEM b = tree.AddItem(nullptr, "b", 0, 0, 2, false);
  tree.Expand(a);
  EXPECT_EQ(tree.Count(), 4);
  EXPECT_EQ(tree.FirstRoot(), a);
  EXPECT_EQ(tree.NextSibling(a), b);
  EXPECT_EQ(tree.ItemData(a), 1);
  EXPECT_EQ(tree.ItemData(tree.FirstChild(a)), 11);
  EXPECT_FALSE(tree.HasChildren(b));

  tree.DeleteItem(a);  // its children go with it
  std::sort(deleted.begin(), deleted.end());
  EXPECT_EQ(deleted, (std::vector<LPARAM>{1, 11, 12}));
  EXPECT_EQ(tree.FirstRoot(), b);
  deleted.clear();
  tree.Clear();
  EXPECT_EQ(deleted, (std::vector<LPARAM>{2}));
  EXPECT_EQ(tree.Count(), 0);
}

TEST_F(TreeViewTest, SelectionByCodeTellsTheOwner) {
  HTREEITEM root = tree.AddItem(nullptr, "root", 0, 0, 1, true);
  tree.Expand(root);
  HTREEITEM two = tree.NextSibling(tree.FirstChild(root));
  tree.SetSelected(two);
  EXPECT_EQ(tree.Selected(), two);
  EXPECT_EQ(changes, 1);
  tree.SetSelected(two);  // no change, no news
  EXPECT_EQ(changes, 1);
  tree.SetSelected(nullptr);
  EXPECT_EQ(tree.Selected(), nullptr);
}

TEST_F(TreeViewTest, ARightClickSelectsTheItemUnderThePointerOnly) {
  form.Show();
  HTREEITEM root = tree.AddItem(nullptr, "root", 0, 0, 1, true);
  tree.Expand(root);
  HTREEITEM one = tree.FirstChild(root);
  tree.SetSelected(root);
  RECT rc{};
  ASSERT_TRUE(TreeView_GetItemRect(tree.Handle(), one, &rc, TRUE));
  int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
  EXPECT_EQ(tree.ItemAt(x, y), one);
  PostMessageA(tree.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(x, y));  // ends the control's own tracking
  SendMessageA(tree.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
  Pump();
  EXPECT_EQ(tree.Selected(), one);

  // Below the last item: nothing there, the selection stays.
  int below = 200;
  EXPECT_EQ(tree.ItemAt(x, below), nullptr);
  PostMessageA(tree.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(x, below));
  SendMessageA(tree.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, below));
  Pump();
  EXPECT_EQ(tree.Selected(), one);
}

TEST_F(TreeViewTest, TheOwnerHearsNothingOnceTheTreeIsGoing) {
  // A tree destroyed with its form must not call handlers whose objects are
  // already gone.
  auto* own = new TreeForm(app);
  std::vector<LPARAM> seen;
  own->Tree.OnDeletion = [&](ui::Component&, HTREEITEM, LPARAM data) { seen.push_back(data); };
  own->Tree.AddItem(nullptr, "a", 0, 0, 5, false);
  delete own;
  EXPECT_TRUE(seen.empty());
}

}  // namespace
}  // namespace wc
