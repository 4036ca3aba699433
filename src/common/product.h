#pragma once
// The product's one name, in titles, captions, menus and messages.

namespace wc {

inline constexpr const char* kProductName = "Pellimox Free Wallpaper Changer";

}  // namespace wc
