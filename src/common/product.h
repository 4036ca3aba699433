#pragma once
// The product's one name, in titles, captions, menus and messages.

namespace wc {

inline constexpr const char* kProductName = "Pellimox Free Wallpaper Changer";
// The maker's site and the program's own page there.
inline constexpr const char* kMakerSiteUrl = "https://www.pellimox.com/";
inline constexpr const char* kProgramPageUrl = "https://www.pellimox.com/free-wallpaper-changer/";

}  // namespace wc
