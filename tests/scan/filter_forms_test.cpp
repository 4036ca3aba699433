// The folder options and the filter list editor: what the options' OK and
// Cancel put into the control panel's extension table, and how the editor
// changes the list.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "scan_test_forms.h"

namespace wc {
namespace {

using test::ScanDialogsTest;

// Every picture the program reads (no system decoders asked here).
const std::vector<std::string> kDefaultFilters = {"*.jpg", "*.jpeg", "*.bmp", "*.ico", "*.emf",
                                                  "*.wmf", "*.png", "*.gif", "*.tif", "*.tiff"};

class FilterFormsTest : public ScanDialogsTest {
 protected:
  std::vector<std::string> Table() const {
    return std::vector<std::string>(panel.ExtensionTable.begin(),
                                    panel.ExtensionTable.begin() + panel.ExtensionCount);
  }
  void Add(const std::string& text) {
    editor.Edit1.SetText(text);
    editor.Button1.Click();
  }
  // Shows a dialog modally and runs `act` inside; a dialog that `act` left
  // open (a failed assertion) is closed by its box.
  static int RunModal(ui::Form& form, std::function<void()> act) {
    form.App().Post([&] {
      act();
      if (form.Visible()) PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    });
    return form.ShowModal();
  }
};

TEST_F(FilterFormsTest, TheDefaultsGiveEveryPictureExtensionUpperCaseWithRecursion) {
  EXPECT_EQ(options.FilterEdit.Text(), "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.gif;*.tif;*.tiff");
  EXPECT_TRUE(options.RecurseSubfoldersCheckBox.Checked());
  EXPECT_EQ(editor.FilterListBox.Items(), kDefaultFilters);
  // The automatic mode runs OK without showing the window.
  options.Button1Click(options.Button1);
  EXPECT_EQ(panel.ExtensionCount, 10);
  EXPECT_EQ(Table(), (std::vector<std::string>{".JPG", ".JPEG", ".BMP", ".ICO", ".EMF", ".WMF", ".PNG", ".GIF", ".TIF",
                                               ".TIFF"}));
  EXPECT_TRUE(panel.RecurseSubfolders);
  EXPECT_FALSE(options.Visible());
}

TEST_F(FilterFormsTest, OkTakesTheEditorsCurrentListAndTheTickBox) {
  editor.FilterListBox.SetItems({"*.JpEg", "*.abcdefghijklm", "x", "", "*.gif"});
  options.RecurseSubfoldersCheckBox.SetChecked(false);
  options.Button1Click(options.Button1);
  // First character off, letters upper-cased, at most ten characters.
  EXPECT_EQ(Table(), (std::vector<std::string>{".JPEG", ".ABCDEFGHI", "", "", ".GIF"}));
  EXPECT_FALSE(panel.RecurseSubfolders);
  EXPECT_EQ(options.FilterEdit.Text(), "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.gif;*.tif;*.tiff");  // Apply was never pressed
}

TEST_F(FilterFormsTest, MoreThanThirtyFiltersFillTheTableAndNoMore) {
  std::vector<std::string> filters;
  for (int i = 1; i <= 31; ++i) filters.push_back("*.e" + std::to_string(i));
  editor.FilterListBox.SetItems(filters);
  options.Button1Click(options.Button1);
  EXPECT_EQ(panel.ExtensionCount, 30);
  ASSERT_EQ(panel.ExtensionTable.size(), 30u);
  EXPECT_EQ(panel.ExtensionTable[0], ".E1");
  EXPECT_EQ(panel.ExtensionTable[29], ".E30");
}

TEST_F(FilterFormsTest, CancelMakesTheNextReadTakeNothing) {
  options.Button1Click(options.Button1);
  ASSERT_EQ(panel.ExtensionCount, 10);
  EXPECT_EQ(RunModal(options, [&] { Click(options.Button2); }), ui::mrCancel);
  EXPECT_EQ(panel.ExtensionCount, 0);
  EXPECT_FALSE(options.Visible());
}

TEST_F(FilterFormsTest, TheCloseBoxChangesNothing) {
  options.Button1Click(options.Button1);
  editor.FilterListBox.SetItems({"*.png"});
  options.RecurseSubfoldersCheckBox.SetChecked(false);
  EXPECT_EQ(RunModal(options, [&] { PostMessageA(options.Handle(), WM_CLOSE, 0, 0); }), ui::mrCancel);
  EXPECT_EQ(Table(), (std::vector<std::string>{".JPG", ".JPEG", ".BMP", ".ICO", ".EMF", ".WMF", ".PNG", ".GIF", ".TIF",
                                               ".TIFF"}));
  EXPECT_TRUE(panel.RecurseSubfolders);
}

TEST_F(FilterFormsTest, AddTakesLettersOnly) {
  for (const char* refused : {"bmp2", "j pg", "", "*", ".png", "t\xe9"}) Add(refused);
  EXPECT_EQ(editor.FilterListBox.Items(), kDefaultFilters);
  Add("PNG");
  Add("jpg");  // already there: listed again
  Add("Tif");
  std::vector<std::string> expected = kDefaultFilters;
  expected.insert(expected.end(), {"*.PNG", "*.jpg", "*.Tif"});
  EXPECT_EQ(editor.FilterListBox.Items(), expected);
  options.Button1Click(options.Button1);
  EXPECT_EQ(panel.ExtensionCount, 13);
  EXPECT_EQ(panel.ExtensionTable[10], ".PNG");
  EXPECT_EQ(panel.ExtensionTable[12], ".TIF");
}

TEST_F(FilterFormsTest, TheNameFieldTakesFourCharactersAtMost) {
  for (char c : std::string("abcde")) SendMessageA(editor.Edit1.Handle(), WM_CHAR, WPARAM(c), 0);
  EXPECT_EQ(editor.Edit1.Text(), "abcd");
  editor.Button1.Click();
  EXPECT_EQ(editor.FilterListBox.Items().back(), "*.abcd");
}

TEST_F(FilterFormsTest, RemoveDeletesTheSelectedEntryOnly) {
  editor.Button2.Click();  // nothing selected
  EXPECT_EQ(editor.FilterListBox.Items(), kDefaultFilters);
  editor.FilterListBox.SetItemIndex(1);
  editor.Button2.Click();
  std::vector<std::string> expected = kDefaultFilters;
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(editor.FilterListBox.Items(), expected);
}

TEST_F(FilterFormsTest, ApplyShowsTheListWithASeparatorAfterEveryEntryAndCloses) {
  Add("PNG");
  EXPECT_EQ(RunModal(editor, [&] { Click(editor.Apply); }), ui::mrOk);
  EXPECT_EQ(options.FilterEdit.Text(), "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.gif;*.tif;*.tiff;*.PNG;");
  EXPECT_FALSE(editor.Visible());
}

TEST_F(FilterFormsTest, ApplyWithAnEmptyListEmptiesTheFieldAndCloses) {
  editor.FilterListBox.Clear();
  editor.Button2.Click();
  EXPECT_EQ(RunModal(editor, [&] { Click(editor.Apply); }), ui::mrOk);
  EXPECT_EQ(options.FilterEdit.Text(), "");
  EXPECT_FALSE(editor.Visible());
  EXPECT_TRUE(prompts.messages.empty());
  options.Button1Click(options.Button1);
  EXPECT_EQ(panel.ExtensionCount, 0);
}

TEST_F(FilterFormsTest, TheEditorOpensFromTheOptionsAndItsListCountsWithoutApply) {
  bool editorShown = false;
  std::string fieldAfterEditor;
  int result = RunModal(options, [&] {
    app.Post([&] {  // inside the editor's own modal loop
      editorShown = editor.Visible() && editor.Modal();
      editor.Edit1.SetText("PNG");
      Click(editor.Button1);
      PostMessageA(editor.Handle(), WM_CLOSE, 0, 0);
    });
    Click(options.Button3);  // returns when the editor has closed
    fieldAfterEditor = options.FilterEdit.Text();
    Click(options.Button1);
  });
  EXPECT_EQ(result, ui::mrOk);
  EXPECT_TRUE(editorShown);
  EXPECT_EQ(fieldAfterEditor, "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.gif;*.tif;*.tiff");
  EXPECT_EQ(panel.ExtensionCount, 11);
  EXPECT_EQ(panel.ExtensionTable[10], ".PNG");
  EXPECT_FALSE(options.Visible());
  EXPECT_FALSE(editor.Visible());
}

// Without a control panel (the dialogs on their own) the results go nowhere,
// and nothing fails.
class DialogsWithoutPanelTest : public test::GuiTest {
 protected:
  ui::Form& main = app.CreateForm<ui::Form>("Other");
  TAddFolderForm& picker = app.CreateForm<TAddFolderForm>();
  TFilterForm& options = app.CreateForm<TFilterForm>();
  TEditFilterForm& editor = app.CreateForm<TEditFilterForm>();
};

TEST_F(DialogsWithoutPanelTest, OkAndCancelStillClose) {
  options.Show();
  options.Button1Click(options.Button1);
  EXPECT_FALSE(options.Visible());
  options.Show();
  options.Button2Click(options.Button2);
  EXPECT_FALSE(options.Visible());

  ASSERT_TRUE(picker.SelectPath(dir.path()));
  picker.Show();
  picker.Button1Click(picker.Button1);
  EXPECT_FALSE(picker.Visible());
  picker.Show();
  picker.Button2Click(picker.Button2);
  EXPECT_FALSE(picker.Visible());

  editor.Show();
  editor.ApplyClick(editor.Apply);
  EXPECT_FALSE(editor.Visible());
  EXPECT_EQ(options.FilterEdit.Text(), "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.gif;*.tif;*.tiff;");
  EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace wc
