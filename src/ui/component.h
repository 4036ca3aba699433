#pragma once
// Named components and their published properties.
//
// Every window, control, menu item and non-visual part is a Component with a
// name and an owner. The application owns the windows; a window owns every
// component declared in it, whatever its parent on screen. A dotted path such
// as "MainForm.MainNew.Caption" is resolved by walking owners by name and then
// looking up the published property; the language files translate the program
// that way, and tests read and set controls the same way.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Component;

enum class PropertyType { Text, Integer, Boolean, Strings };

struct Property {
  std::string name;
  PropertyType type;
  std::function<std::string()> getText;              // every type, as text
  std::function<void(const std::string&)> setText;   // Text
  std::function<void(int64_t)> setInteger;           // Integer
  std::function<void(bool)> setBoolean;              // Boolean
  std::function<void(const std::vector<std::string>&)> setStrings;  // Strings
};

using NotifyEvent = std::function<void(Component& sender)>;

// The plain events a component may have, so a binding table can name them
// (see binding.h).
enum class Event {
  Click,
  DblClick,
  Change,
  Timer,
  Popup,
  Show,
  Hide,
  Activate,
  Resize,
  MouseEnter,
  MouseExit,
  BalloonHintShow,
  BalloonHintHide,
  BalloonHintTimeout,
  BalloonHintClick,
  MinimizeToTray,
  BeforeTranslation,
  AfterTranslation,
};

// Calls an event if it is assigned.
inline void Raise(const NotifyEvent& e, Component& sender) {
  if (e) e(sender);
}

class Component {
 public:
  Component(Component* owner, std::string name);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  Component* Owner() const { return owner_; }
  // The components this one owns, in the order they were made.
  const std::vector<Component*>& Components() const { return owned_; }

  // The first owned component whose name equals `name`, letters A-Z compared
  // without regard to case; nullptr when none matches.
  Component* FindOwnedByName(std::string_view name) const;

  // The event `e` of this component; nullptr when it has no such event.
  virtual NotifyEvent* EventSlot(Event e);

  const std::vector<Property>& Properties() const { return properties_; }
  const Property* FindProperty(std::string_view name) const;  // case-insensitive

  // A translation run has replaced the published texts; a window that makes
  // texts of its own (a title with a count, a status line) makes them again.
  virtual void TextsReplaced() {}

  // Free-form tag, as the framework's components have.
  intptr_t Tag = 0;

 protected:
  void PublishText(std::string name, std::function<std::string()> get,
                   std::function<void(const std::string&)> set);
  void PublishInteger(std::string name, std::function<int64_t()> get, std::function<void(int64_t)> set);
  void PublishBoolean(std::string name, std::function<bool()> get, std::function<void(bool)> set);
  void PublishStrings(std::string name, std::function<std::vector<std::string>()> get,
                      std::function<void(const std::vector<std::string>&)> set);

 private:
  Component* owner_;
  std::string name_;
  std::vector<Component*> owned_;
  std::vector<Property> properties_;
};

// Resolves "Window.Control" (or longer) below `root`: every dotted part names
// a component owned by the previous one. Returns nullptr when a part is missing.
Component* ResolveComponentPath(Component& root, std::string_view path);

// Resolves "Window.Control.Property". Returns nullptr when anything is missing.
struct ResolvedProperty {
  Component* component = nullptr;
  const Property* property = nullptr;
  explicit operator bool() const { return component && property; }
};
ResolvedProperty ResolvePropertyPath(Component& root, std::string_view path);

}  // namespace ui
