#include "ui/image_list.h"

#include "ui/error.h"

namespace ui {

ImageList::ImageList(Component* owner, std::string name, int width, int height)
    : Component(owner, std::move(name)), width_(width > 0 ? width : 16), height_(height > 0 ? height : 16) {}

int ImageList::Add(HICON icon) {
  if (!icon) return -1;
  return Add(IconHandle(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width_, height_, 0))));
}

int ImageList::Add(IconHandle icon) {
  if (!icon) return -1;
  icons_.push_back(std::move(icon));
  return Count() - 1;
}

int ImageList::AddResource(const char* name) {
  IconHandle icon;
  if (name) icon.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, width_, height_, 0)));
  if (!icon) throw Error(std::string("The program's icon ") + (name ? name : "(none)") + " is missing");
  return Add(std::move(icon));
}

HICON ImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return icons_[size_t(index)].get();
}

IconHandle ImageList::GetIcon(int index) const {
  HICON icon = Image(index);
  return IconHandle(icon ? CopyIcon(icon) : nullptr);
}

void ImageList::Delete(int index) {
  if (index >= 0 && index < Count()) icons_.erase(icons_.begin() + index);
}

}  // namespace ui
