#include "ui/hot_key.h"

#include <commctrl.h>

namespace ui {

uint16_t KeyCombinationFromField(WORD field) {
  const unsigned key = LOBYTE(field);
  const unsigned modifiers = HIBYTE(field) & (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT);
  return uint16_t(modifiers * 0x2000u + key);
}

WORD FieldFromKeyCombination(uint16_t combination) {
  return MAKEWORD(BYTE(combination & 0xFF), BYTE((combination >> 13) & 7));
}

HotKey::HotKey(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
  PublishInteger("HotKey", [this] { return Value(); }, [this](int64_t v) { SetValue(uint16_t(v)); });
}

Window::CreateParams HotKey::Params() {
  CreateParams p = Control::Params();
  p.className = HOTKEY_CLASSA;
  p.style |= WS_TABSTOP | WS_BORDER;
  return p;
}

void HotKey::HandleCreated() {
  // No modifier is added to a plain key of its own accord.
  SendMessageA(Handle(), HKM_SETRULES, 0, 0);
  SendMessageA(Handle(), HKM_SETHOTKEY, FieldFromKeyCombination(pending_), 0);
}

uint16_t HotKey::Value() const {
  if (!Handle()) return pending_;
  return KeyCombinationFromField(WORD(SendMessageA(Handle(), HKM_GETHOTKEY, 0, 0)));
}

void HotKey::SetValue(uint16_t combination) {
  pending_ = combination;
  if (Handle()) SendMessageA(Handle(), HKM_SETHOTKEY, FieldFromKeyCombination(combination), 0);
}

}  // namespace ui
