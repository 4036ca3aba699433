// The folder picker: the shell's folders from the desktop down, and what OK,
// Cancel and the close box hand back to the control panel.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "common/text.h"
#include "program_files.h"
#include "scan_test_forms.h"

namespace wc {
namespace {

using test::ScanDialogsTest;

class FolderPickerTest : public ScanDialogsTest {
 protected:
  std::string MakeFolder(const std::string& name) {
    std::string path = dir.file(name);
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    return path;
  }
  std::vector<std::string> ChildTexts(HTREEITEM item) {
    std::vector<std::string> texts;
    ui::TreeView& tree = picker.ShellTreeView1;
    for (HTREEITEM c = tree.FirstChild(item); c; c = tree.NextSibling(c)) texts.push_back(tree.ItemText(c));
    return texts;
  }
  // Shows the picker modally and runs `act` inside; returns the modal result.
  // A picker that `act` left open (a failed assertion) is closed by its box.
  int RunPicker(std::function<void()> act) {
    app.Post([&] {
      act();
      if (picker.Visible()) PostMessageA(picker.Handle(), WM_CLOSE, 0, 0);
    });
    return picker.ShowModal();
  }
};

TEST_F(FolderPickerTest, TheDesktopIsTheOpenRootWithTheShellsFoldersAndTheirIcons) {
  bool shown = false;
  HTREEITEM root = nullptr;
  RunPicker([&] {
    shown = picker.Visible();
    root = picker.RootItem();
    Click(picker.Button2);
  });
  ASSERT_TRUE(shown);
  ui::TreeView& tree = picker.ShellTreeView1;
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(tree.FirstRoot(), root);
  EXPECT_EQ(tree.NextSibling(root), nullptr);  // one root only
  EXPECT_TRUE(tree.Expanded(root));
  char desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
  EXPECT_EQ(picker.PathOf(root), desktop);
  // "My Computer" is there, by the shell's parsing name of the computer.
  bool computer = false;
  for (HTREEITEM c = tree.FirstChild(root); c; c = tree.NextSibling(c)) {
    EXPECT_FALSE(tree.ItemText(c).empty());
    if (EqualsIgnoreCaseAscii(picker.PathOf(c), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}")) computer = true;
  }
  EXPECT_TRUE(computer);
  EXPECT_NE(TreeView_GetImageList(tree.Handle(), TVSIL_NORMAL), nullptr);
}

TEST_F(FolderPickerTest, CancelEmptiesTheFolderToRead) {
  panel.FolderToRead = "C:\\earlier";
  ASSERT_TRUE(picker.SelectPath(dir.path()));
  EXPECT_EQ(RunPicker([&] { Click(picker.Button2); }), ui::mrCancel);
  EXPECT_EQ(panel.FolderToRead, "");
  EXPECT_FALSE(picker.Visible());
}

TEST_F(FolderPickerTest, OkHandsBackTheSelectedFolderWithoutATrailingSeparator) {
  std::string folder = MakeFolder("My pictures");
  bool selected = false;
  std::string caption;
  EXPECT_EQ(RunPicker([&] {
              selected = picker.SelectPath(folder + "\\");
              caption = picker.ShellTreeView1.ItemText(picker.ShellTreeView1.Selected());
              Click(picker.Button1);
            }),
            ui::mrOk);
  EXPECT_TRUE(selected);
  EXPECT_EQ(caption, "My pictures");
  EXPECT_EQ(panel.FolderToRead, folder);
  EXPECT_FALSE(picker.Visible());
}

TEST_F(FolderPickerTest, ADriveRootKeepsItsSeparator) {
  ASSERT_TRUE(picker.SelectPath("c:\\"));
  EXPECT_EQ(RunPicker([&] { Click(picker.Button1); }), ui::mrOk);
  EXPECT_EQ(panel.FolderToRead, "C:\\");
}

TEST_F(FolderPickerTest, TheCloseBoxLeavesTheFolderAsItWas) {
  panel.FolderToRead = "C:\\earlier";
  ASSERT_TRUE(picker.SelectPath(dir.path()));
  EXPECT_EQ(RunPicker([&] { PostMessageA(picker.Handle(), WM_CLOSE, 0, 0); }), ui::mrCancel);
  EXPECT_EQ(panel.FolderToRead, "C:\\earlier");
  EXPECT_FALSE(picker.Visible());
}

TEST_F(FolderPickerTest, OkWithNothingSelectedStaysOpen) {
  panel.FolderToRead = "C:\\earlier";
  bool openAfterOk = false;
  std::string afterOk;
  RunPicker([&] {
    picker.ShellTreeView1.SetSelected(nullptr);
    Click(picker.Button1);
    openAfterOk = picker.Visible();
    afterOk = panel.FolderToRead;
    Click(picker.Button2);
  });
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(afterOk, "C:\\earlier");
  EXPECT_EQ(panel.FolderToRead, "");  // the Cancel that ended it
}

TEST_F(FolderPickerTest, FoldersOnlyAreListedAndAMissingFolderIsNotSelected) {
  MakeFolder("b");
  MakeFolder("a");
  test::MakeFile(dir.file("c.jpg"));
  ASSERT_TRUE(picker.SelectPath(dir.path()));
  HTREEITEM folder = picker.ShellTreeView1.Selected();
  picker.ShellTreeView1.Expand(folder);
  EXPECT_EQ(ChildTexts(folder), (std::vector<std::string>{"a", "b"}));  // the shell's order

  EXPECT_FALSE(picker.SelectPath(dir.file("missing")));
  EXPECT_FALSE(picker.SelectPath(dir.file("c.jpg")));
  EXPECT_FALSE(picker.SelectPath(""));
  EXPECT_EQ(picker.ShellTreeView1.Selected(), folder);
}

TEST_F(FolderPickerTest, ANewFolderTheShellIsToldOfAppearsInAnOpenFolder) {
  ASSERT_TRUE(picker.SelectPath(dir.path()));
  HTREEITEM folder = picker.ShellTreeView1.Selected();
  picker.ShellTreeView1.Expand(folder);
  ASSERT_TRUE(ChildTexts(folder).empty());
  std::string fresh = MakeFolder("fresh");
  SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA | SHCNF_FLUSH, fresh.c_str(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return ChildTexts(folder) == std::vector<std::string>{"fresh"}; },
                        std::chrono::seconds(5)));
  EXPECT_EQ(picker.ShellTreeView1.Selected(), folder);

  RemoveDirectoryA(fresh.c_str());
  SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA | SHCNF_FLUSH, fresh.c_str(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return ChildTexts(folder).empty(); }, std::chrono::seconds(5)));
}

TEST_F(FolderPickerTest, ARightClickSelectsTheFolderUnderThePointer) {
  std::string folder = MakeFolder("target");
  RunPicker([&] {
    ui::TreeView& tree = picker.ShellTreeView1;
    ASSERT_TRUE(picker.SelectPath(folder));
    HTREEITEM item = tree.Selected();
    tree.SetSelected(tree.ParentItem(item));  // right above it: both in view
    RECT rc{};
    ASSERT_TRUE(TreeView_GetItemRect(tree.Handle(), item, &rc, TRUE));
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageA(tree.Handle(), WM_RBUTTONUP, 0, at);  // ends the control's own tracking of the button
    SendMessageA(tree.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    EXPECT_EQ(tree.Selected(), item);
    Click(picker.Button1);
  });
  EXPECT_EQ(panel.FolderToRead, folder);
}

TEST_F(FolderPickerTest, TrailingSeparatorsGoExceptAtADriveRoot) {
  EXPECT_EQ(WithoutTrailingSeparator("C:\\Pictures\\"), "C:\\Pictures");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\Pictures\\\\"), "C:\\Pictures");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\Pictures"), "C:\\Pictures");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\"), "C:\\");
  EXPECT_EQ(WithoutTrailingSeparator("D:/"), "D:/");
  EXPECT_EQ(WithoutTrailingSeparator("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(WithoutTrailingSeparator("\\"), "\\");
  EXPECT_EQ(WithoutTrailingSeparator(""), "");
}

}  // namespace
}  // namespace wc
