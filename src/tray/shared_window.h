#pragma once
// A hidden window shared by every client of one kind in the process: made
// with the first client and freed with the last one, but never while it is
// handing a message to a client (a client may free itself, or the last
// client, meanwhile).
//
//   class TTimerWindow : public SharedWindow<TTimerWindow, TTimer> { ... };
//
// `Self` has a private default constructor that makes its window, and befriends
// this base. GUI thread only.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ui/window.h"

namespace wc {

template <class Self, class Client>
class SharedWindow : protected ui::Window {
 public:
  // The live instance, or nullptr when no client exists.
  static Self* Instance() { return Slot().get(); }
  HWND Handle() const { return Window::Handle(); }

  static Self& Register(Client& client) {
    auto& slot = Slot();
    if (!slot) slot.reset(new Self());
    slot->clients_.push_back(&client);
    return *slot;
  }
  static void Unregister(Client& client) {
    Self* self = Slot().get();
    if (!self) return;
    auto& list = self->clients_;
    list.erase(std::remove(list.begin(), list.end(), &client), list.end());
    FreeIfUnused();
  }

 protected:
  const std::vector<Client*>& Clients() const { return clients_; }

  // Calls `f`; the window stays until it returns even when the last client
  // goes meanwhile, and goes then.
  template <class F>
  void Dispatch(F&& f) {
    ++dispatching_;
    struct Done {
      SharedWindow& w;
      ~Done() {
        --w.dispatching_;
        FreeIfUnused();
      }
    } done{*this};
    f();
  }

 private:
  // Freed with the last client; at the latest when the program ends.
  static std::unique_ptr<Self>& Slot() {
    static std::unique_ptr<Self> instance;
    return instance;
  }
  static void FreeIfUnused() {
    auto& slot = Slot();
    if (slot && slot->clients_.empty() && slot->dispatching_ == 0) slot.reset();
  }

  std::vector<Client*> clients_;
  int dispatching_ = 0;
};

}  // namespace wc
