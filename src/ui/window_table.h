#pragma once
// Values kept per window handle, for window procedures to find on every
// message. Window properties would do the same, but under Wine each look-up
// of one is a round trip to the window server, tens of microseconds a
// message. Any thread may use the table; the lock is held for one look-up or
// change only, never while a message is handled, since handling one may send
// others.
#include <windows.h>

#include <mutex>
#include <optional>
#include <unordered_map>

namespace ui {

template <class T>
class WindowTable {
 public:
  std::optional<T> Find(HWND hwnd) const {
    std::lock_guard lock(m_);
    auto it = values_.find(hwnd);
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }
  void Set(HWND hwnd, const T& value) {
    std::lock_guard lock(m_);
    values_[hwnd] = value;
  }
  void Erase(HWND hwnd) {
    std::lock_guard lock(m_);
    values_.erase(hwnd);
  }

 private:
  mutable std::mutex m_;
  std::unordered_map<HWND, T> values_;
};

}  // namespace ui
