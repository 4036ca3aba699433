#pragma once
// The picture preview beside the file list of an open dialog: the hook
// widens the dialog and shows the selected file, scaled to fit, below its
// size in pixels.
#include <windows.h>
#include <commdlg.h>

namespace ui {

// Sets the hook into an OPENFILENAMEA; the state lives as long as the
// dialog runs.
class PicturePreviewHook {
 public:
  void Install(OPENFILENAMEA& ofn);
  ~PicturePreviewHook();

 private:
  static UINT_PTR CALLBACK Procedure(HWND hook, UINT msg, WPARAM w, LPARAM l);
  void Create(HWND dialog);
  void Show(HWND dialog);
  HWND frame_ = nullptr;
  HWND caption_ = nullptr;
  HBITMAP shown_ = nullptr;
};

}  // namespace ui
