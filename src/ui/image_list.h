#pragma once
// A list of icons of one size, owned by the list: the pictures of an
// animation, a row of button glyphs.
//
//   ui::ImageList ImageList1{this, "ImageList1"};    // 16 x 16
//   ImageList1.AddResource("IC_TRAY_DAY");           // the program's icons
//   ui::IconHandle first = ImageList1.GetIcon(0);    // a copy for the caller
#include <windows.h>

#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/handle.h"

namespace ui {

class ImageList : public Component {
 public:
  ImageList(Component* owner, std::string name, int width = 16, int height = 16);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return int(icons_.size()); }

  // Adds a copy of `icon` made at the list's size; the caller keeps its own.
  // Returns the new index, or -1 when the icon cannot be copied.
  int Add(HICON icon);
  // Takes the icon as it is. Returns the new index, or -1 for an empty one.
  int Add(IconHandle icon);
  // Adds the program's icon resource `name` at the list's size. Throws
  // ui::Error when the program has no such icon.
  int AddResource(const char* name);

  // A copy of image `index` that the caller owns; empty when there is no
  // such image or it cannot be copied.
  IconHandle GetIcon(int index) const;
  // Image `index` itself, still the list's; nullptr when there is none.
  HICON Image(int index) const;

  void Delete(int index);
  void Clear() { icons_.clear(); }

 private:
  int width_;
  int height_;
  std::vector<IconHandle> icons_;
};

}  // namespace ui
