#pragma once
// What the program translates: the property paths of the control panel's
// language component, in the order they are applied, and the message ids
// that become the tool tips of the control panel, the settings dialog and the
// capture viewer.
#include <cstddef>
#include <span>
#include <string_view>

namespace wc {

// "Window.Control.Property" lines, main window first. Two of them are item
// lists ("MainForm.MainComboBox.Items", "MainForm.ComboBox1.Items"); the
// settings dialog's CheckBox6 appears twice. The first kFirstListSize lines
// are the list every language file of the first versions translates; the
// lines after them cover the rest of what the windows show, titles
// ("Window.Caption") included, and a file without them keeps English there.
constexpr size_t kFirstListSize = 134;
std::span<const std::string_view> TranslationList();

struct HintMessage {
  std::string_view id;       // key of the [Messages] section
  std::string_view window;   // window name
  std::string_view control;  // control name within it
};
// The tool tips, in the order they are set: main window, settings dialog,
// capture viewer. Ids 130 to 133 serve two windows.
std::span<const HintMessage> HintMessages();

// The text shown after the clear-wallpaper hotkey has cleared the wallpaper.
constexpr std::string_view kWallpaperClearedMessage = "Message4";

}  // namespace wc
