// Resolving "Window.Control.Property" paths through owners, as the language
// files do.
#include <gtest/gtest.h>

#include "ui/component.h"

namespace {

class Thing : public ui::Component {
 public:
  Thing(ui::Component* owner, std::string name) : Component(owner, std::move(name)) {
    PublishText("Caption", [this] { return caption; }, [this](const std::string& v) { caption = v; });
    PublishStrings("Items", [this] { return items; }, [this](const std::vector<std::string>& v) { items = v; });
  }
  std::string caption;
  std::vector<std::string> items;
};

TEST(ComponentPath, ResolvesThroughOwnersWithoutRegardToCase) {
  ui::Component root(nullptr, "Application");
  Thing form(&root, "MainForm");
  Thing button(&form, "MainNew");
  Thing other(&root, "Settings");
  Thing sameName(&other, "MainNew");  // names repeat across windows

  auto r = ui::ResolvePropertyPath(root, "mainform.MAINNEW.caption");
  ASSERT_TRUE(r);
  EXPECT_EQ(r.component, &button);
  r.property->setText("New");
  EXPECT_EQ(button.caption, "New");
  EXPECT_EQ(sameName.caption, "");

  auto s = ui::ResolvePropertyPath(root, " Settings . MainNew . Caption ");
  ASSERT_TRUE(s);
  EXPECT_EQ(s.component, &sameName);
}

TEST(ComponentPath, MissingPartsResolveToNothing) {
  ui::Component root(nullptr, "Application");
  Thing form(&root, "MainForm");
  Thing button(&form, "MainNew");
  EXPECT_FALSE(ui::ResolvePropertyPath(root, "MainForm.Nothing.Caption"));
  EXPECT_FALSE(ui::ResolvePropertyPath(root, "MainForm.MainNew.NoSuchProperty"));
  EXPECT_FALSE(ui::ResolvePropertyPath(root, "NoWindow.MainNew.Caption"));
  EXPECT_FALSE(ui::ResolvePropertyPath(root, "Caption"));
  EXPECT_FALSE(ui::ResolvePropertyPath(root, ""));
  // A component found only below another owner is not found from the root.
  EXPECT_EQ(ui::ResolveComponentPath(root, "MainNew"), nullptr);
}

TEST(ComponentPath, AComponentLeavesItsOwnerWhenDestroyed) {
  ui::Component root(nullptr, "Application");
  Thing form(&root, "MainForm");
  {
    Thing temporary(&form, "Temporary");
    EXPECT_NE(ui::ResolveComponentPath(root, "MainForm.Temporary"), nullptr);
  }
  EXPECT_EQ(ui::ResolveComponentPath(root, "MainForm.Temporary"), nullptr);
  EXPECT_TRUE(form.Components().empty());
}

TEST(ComponentPath, FirstOwnedMatchWins) {
  ui::Component root(nullptr, "Application");
  Thing a(&root, "Twin");
  Thing b(&root, "TWIN");
  EXPECT_EQ(root.FindOwnedByName("twin"), &a);
}

TEST(ComponentPath, StringListPropertiesTakeWholeLists) {
  ui::Component root(nullptr, "Application");
  Thing form(&root, "MainForm");
  Thing combo(&form, "ComboBox1");
  auto r = ui::ResolvePropertyPath(root, "MainForm.ComboBox1.Items");
  ASSERT_TRUE(r);
  ASSERT_EQ(r.property->type, ui::PropertyType::Strings);
  r.property->setStrings({"Tile", "Center"});
  EXPECT_EQ(combo.items, (std::vector<std::string>{"Tile", "Center"}));
  EXPECT_EQ(r.property->getText(), "Tile\r\nCenter\r\n");
}

}  // namespace
