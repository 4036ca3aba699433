#pragma once
// A top-level window of the program: a component owned by the application
// that owns its controls, built from a layout table.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace ui {

class Application;
class Control;
class MainMenu;

enum class BorderStyle { None, Single, Dialog, Sizeable };
enum BorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum class FormPosition { Designed, ScreenCenter };
enum class CloseAction { None, Hide, Free, Minimize };

enum ModalResultCode : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct FormSpec {
  std::string caption;
  int clientWidth = 0;
  int clientHeight = 0;
  BorderStyle border = BorderStyle::Dialog;
  unsigned icons = biSystemMenu;
  FormPosition position = FormPosition::ScreenCenter;
  int left = 0, top = 0;  // for FormPosition::Designed
  bool topMost = false;
  bool toolWindow = false;
  // A window shown over the screen while the program is off it (the capture
  // overlays): showing it does not bring the program back.
  bool keepsProgramHidden = false;
  // Laid out from right to left when the application is (see
  // Application::SetRightToLeft); false for windows that show the screen or
  // a picture as it is and work with pointer positions over it.
  bool mirrors = true;
};

class Form : public Window, public Component {
 public:
  Form(Application& app, std::string name);
  ~Form() override;

  Application& App() const { return app_; }

  // Makes the (hidden) window.
  void CreateWindowFrom(const FormSpec& look);
  // Creates the controls of the table inside the window.
  void BuildLayout(Layout layout);

  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  void Show();
  void Hide();
  // Shows the window modally; returns its modal result.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r);
  // Asks OnCloseQuery, runs OnClose, then hides the window (or ends the
  // program when this is the main window).
  void Close();
  void BringToFront();

  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  // Client size in layout units (see dpi.h).
  int ClientWidth() const;
  int ClientHeight() const;

  // The scale of the screen the window is on; its controls follow it.
  int Dpi() const { return dpi_; }

  void SetMenu(MainMenu* menu);

  // True while the window is laid out from right to left.
  bool Mirrored() const;
  // Follows the application's direction: the frame and every control take
  // the mirroring style or lose it, and every control goes to its place,
  // its layout units now counted from the other edge.
  void ApplyDirection();

  NotifyEvent OnShow;
  NotifyEvent OnHide;
  NotifyEvent OnActivate;
  NotifyEvent OnResize;
  NotifyEvent* EventSlot(Event e) override;
  std::function<void(Component& sender, bool& canClose)> OnCloseQuery;
  std::function<void(Component& sender, CloseAction& action)> OnClose;
  std::function<void(Component& sender, int& newWidth, int& newHeight, bool& resize)> OnCanResize;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;
  // A key pressed with Ctrl held in the window (its menu's shortcuts);
  // true when the key was used.
  std::function<bool(UINT key)> OnShortCut;
  // Painting of windows that draw themselves (the capture overlays).
  std::function<void(HDC dc)> OnPaint;

  // Used by Control.
  void RememberControl(Control& c);
  void ForgetControl(Control& c);
  void SyncTool(Control& c);

 protected:
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void ShowNow();
  // A window centred on the screen, about to be shown, moves onto the work
  // area of the monitor with the notification area unless it lies whole on
  // it already.
  void ComeToUsersMonitor();
  // Takes a new scale: the frame keeps its client size in layout units, at
  // `topLeft` when given, and every control moves and takes its font anew.
  void ApplyDpi(int dpi, const POINT* topLeft);
  // Sizes the frame so the client area has this many pixels.
  void SetClientPixels(int width, int height, const POINT* topLeft);
  Application& app_;
  int dpi_ = 96;
  bool scaling_ = false;  // the layer resizes for a new scale: no one may refuse
  std::string caption_;
  FormSpec look_;
  bool visible_ = false;
  bool centred_ = false;
  bool shownOnce_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
  HWND tooltip_ = nullptr;
  std::vector<Control*> controls_;
  MainMenu* menu_ = nullptr;
};

}  // namespace ui
