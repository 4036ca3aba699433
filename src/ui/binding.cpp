#include "ui/binding.h"

#include <string>

#include "common/error.h"
#include "common/text.h"

namespace ui {

const char* EventName(Event e) {
  switch (e) {
    case Event::Click: return "Click";
    case Event::DblClick: return "DblClick";
    case Event::Change: return "Change";
    case Event::Timer: return "Timer";
    case Event::Popup: return "Popup";
    case Event::Show: return "Show";
    case Event::Hide: return "Hide";
    case Event::Activate: return "Activate";
    case Event::Resize: return "Resize";
    case Event::MouseEnter: return "MouseEnter";
    case Event::MouseExit: return "MouseExit";
    case Event::BalloonHintShow: return "BalloonHintShow";
    case Event::BalloonHintHide: return "BalloonHintHide";
    case Event::BalloonHintTimeout: return "BalloonHintTimeout";
    case Event::BalloonHintClick: return "BalloonHintClick";
    case Event::MinimizeToTray: return "MinimizeToTray";
    case Event::BeforeTranslation: return "BeforeTranslation";
    case Event::AfterTranslation: return "AfterTranslation";
  }
  return "?";
}

NotifyEvent& BindingSlot(Component& form, const char* component, Event e) {
  const std::string name = component ? component : "";
  Component* target =
      name.empty() || wc::EqualsIgnoreCaseAscii(name, form.Name()) ? &form : form.FindOwnedByName(name);
  if (!target) throw wc::Error(form.Name() + ": the bindings name a control it does not have: " + name);
  NotifyEvent* slot = target->EventSlot(e);
  if (!slot)
    throw wc::Error(form.Name() + ": the bindings give " + (name.empty() ? form.Name() : name) + " an event it does not have: On" +
                    EventName(e));
  return *slot;
}

}  // namespace ui
