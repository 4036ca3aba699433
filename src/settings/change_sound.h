#pragma once
// The sound played when a wallpaper has changed. The settings dialog keeps
// the sound list and its options; the control panel asks for the sound
// after each change through this, without knowing the dialog.
#include "ui/application.h"

namespace wc {

class ChangeSound {
 public:
  // The running program's settings dialog; nullptr when there is none.
  static ChangeSound* Find() { return ui::Application::FindForm<ChangeSound>("Settings"); }
  // Plays the next sound of the list when the options say so.
  virtual void PlayChangeSound() = 0;

 protected:
  ~ChangeSound() = default;
};

}  // namespace wc
