#pragma once
// The common controls the capture viewer is made of: a track bar, plain
// scroll bars, a status bar with panels, and a page control whose pages are
// containers of their own.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class ImageList;

// A slider over whole positions (msctls_trackbar32). OnChange runs whenever
// the position changes, by the user or by SetPosition.
class TrackBar : public Control {
 public:
  TrackBar(Component* owner, std::string name);
  int Min = 0;
  int Max = 10;
  int Position() const { return position_; }
  void SetPosition(int p);
  NotifyEvent OnChange;

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  int position_ = 0;
};

// A scroll bar control of its own (not a window's). Page size 0: the thumb
// covers positions 0 … Max. OnChange runs whenever the position changes.
class ScrollBar : public Control {
 public:
  ScrollBar(Component* owner, std::string name, bool vertical);
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMax(int m);
  void SetPosition(int p);
  bool Vertical() const { return vertical_; }
  NotifyEvent OnChange;

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  void Push();
  bool vertical_;
  int max_ = 100;
  int position_ = 0;
};

// A status bar with fixed-width panels (the last one takes what is left).
class StatusBar : public Control {
 public:
  StatusBar(Component* owner, std::string name);
  // Widths in layout units.
  void SetPanels(std::vector<int> widths);
  int PanelCount() const { return int(texts_.size()); }
  std::string PanelText(int i) const;
  void SetPanelText(int i, const std::string& text);

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  void DpiChanged() override { HandleCreated(); }

 private:
  std::vector<int> widths_;
  std::vector<std::string> texts_;
};

class ImageTabControl;

// One page of an image tab control: a plain container that fills its display
// area. (Dialog pages whose tab text is their caption are ui::TabSheet.)
class ImageTabSheet : public Control {
 public:
  ImageTabSheet(Component* owner, std::string name);
  int ImageIndex = -1;

 protected:
  const char* OwnClassName() const override { return "WcTabSheet"; }
  CreateParams Params() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
};

// Tabs over pages (SysTabControl32). Pages are added at the end and shown
// one at a time; OnChange runs when the user picks another tab.
class ImageTabControl : public Control {
 public:
  ImageTabControl(Component* owner, std::string name);
  ~ImageTabControl() override;
  // The tabs' pictures: a list of 16 x 16 icons, kept by the caller.
  void SetImages(ImageList* images);

  // Makes `sheet` (a control not yet created) the last page with this
  // caption and picture.
  void AddPage(ImageTabSheet& sheet, const std::string& caption, int imageIndex);
  // Takes the page away; the caller frees the sheet afterwards.
  void RemovePage(ImageTabSheet& sheet);
  int PageCount() const { return int(pages_.size()); }
  ImageTabSheet* Page(int i) const { return i >= 0 && i < PageCount() ? pages_[size_t(i)] : nullptr; }
  int TabIndex() const { return active_; }
  ImageTabSheet* ActivePage() const { return Page(active_); }
  void SetActivePage(int i);
  void SetPageCaption(int i, const std::string& caption);
  std::string PageCaption(int i) const;
  // The pages' area, in layout units of the page control.
  RECT DisplayRect() const;
  // Places the pages after the control was resized.
  void Realign();
  NotifyEvent OnChange;

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void ShowOnly(int i);
  ImageList* images_ = nullptr;
  HIMAGELIST himl_ = nullptr;
  std::vector<ImageTabSheet*> pages_;
  std::vector<std::string> captions_;
  int active_ = -1;
};

}  // namespace ui
