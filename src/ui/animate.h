#pragma once
// A short looping clip that shows work is going on: the system's animation
// control playing one of the shell's clips, or, where the system has no such
// clip (Wine has none), frames of our own drawn in the same place.
#include <windows.h>

#include "ui/control.h"

namespace ui {

class Animate : public Control {
 public:
  // The shell's clip of a magnifying glass over a folder.
  static constexpr int kFindFolderClip = 150;

  Animate(Component* owner, std::string name);
  ~Animate() override;

  // Playing runs from the first frame to the last, repeating without end;
  // stopping shows the first frame again.
  bool Active() const { return active_; }
  void SetActive(bool on);
  // Whether the system's clip is shown (false: our own frames).
  bool SystemClip() const { return clip_ != nullptr; }
  // The frame our own drawing shows now (0 when stopped).
  int Frame() const { return frame_; }
  static constexpr int kFrames = 16;

 protected:
  const char* OwnClassName() const override { return "WcAnimate"; }
  CreateParams Params() override;
  void HandleCreated() override;
  void HandleDestroyed() override;
  void DpiChanged() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void OpenClip();
  void Paint(HDC dc, const RECT& rc) const;
  HWND clip_ = nullptr;  // the system's control, a child of ours
  bool active_ = false;
  int frame_ = 0;
};

}  // namespace ui
