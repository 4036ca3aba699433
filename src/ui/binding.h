#pragma once
// Binding tables: which member of a window runs on which event of which of
// its components, one row per binding, kept beside the window's layout table
// so that a command is placed and bound in one file.
//
//   const ui::Binding<TMyForm> kBindings[] = {
//       {"Ok", ui::Event::Click, &TMyForm::OkClick},
//       {"", ui::Event::Show, &TMyForm::FormShow},  // the window itself
//   };
//   ui::Bind(*this, kBindings);
#include <span>
#include <type_traits>

#include "ui/component.h"

namespace ui {

template <class F>
struct Binding {
  const char* component;  // a component the window owns; "" or the window's own name for the window
  Event event;
  void (F::*handler)(Component& sender);
};

template <class F>
using BindingTable = std::span<const Binding<F>>;

// The name of an event as the tables and the errors spell it.
const char* EventName(Event e);

// The event `e` of the component named `component` among those `form` owns
// (the form itself for "" or its own name). Throws ui::Error naming the
// window, the component and the event when there is no such component or it
// has no such event, as a layout table naming an unknown control is refused.
NotifyEvent& BindingSlot(Component& form, const char* component, Event e);

// Sets every event of the table to call its member on `form`.
template <class F>
void Bind(F& form, std::type_identity_t<BindingTable<F>> table) {
  for (const Binding<F>& row : table) {
    BindingSlot(form, row.component, row.event) = [&form, handler = row.handler](Component& s) { (form.*handler)(s); };
  }
}

}  // namespace ui
