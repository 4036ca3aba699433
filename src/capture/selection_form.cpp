#include "capture/selection_form.h"

#include "ui/application.h"
#include "ui/binding.h"
#include "ui/dpi.h"
#include "ui/handle.h"

namespace wc {

BandPattern TSelectionForm::pattern_;

namespace {

// The capture viewer's toolbar, which the lowest row the band may reach
// allows for.
constexpr int kViewerToolBarHeight = 49;

const ui::LayoutItem kLayout[] = {
    {"ToolBar1", "", 0, 0, 862, 45, ""},
    {"Button1", "ToolBar1", 6, 9, 120, 27, "Save selection"},
    {"Button2", "ToolBar1", 132, 9, 120, 27, "Cancel selection"},
    {"MyImage", "", 0, 45, 1, 1, ""},
};

// What each control runs.
const ui::Binding<TSelectionForm> kBindings[] = {
    {"Button1", ui::Event::Click, &TSelectionForm::Button1Click},
    {"Button2", ui::Event::Click, &TSelectionForm::Button2Click},
};

// A device context of the window that draws over its children too: the band
// runs across the picture, which is a child window.
class OverChildrenDC {
 public:
  explicit OverChildrenDC(HWND w) : w_(w), dc_(GetDCEx(w, nullptr, DCX_CACHE)) {}
  ~OverChildrenDC() { ReleaseDC(w_, dc_); }
  OverChildrenDC(const OverChildrenDC&) = delete;
  OverChildrenDC& operator=(const OverChildrenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND w_;
  HDC dc_;
};

}  // namespace

TSelectionForm::TSelectionForm(ui::Application& app) : Form(app, "SelectionForm") {
  CreateWindowFrom({.caption = "Crop image",
                    .clientWidth = 862,
                    .clientHeight = 613,
                    .border = ui::BorderStyle::Dialog,
                    .icons = 0});
  MyImage.AutoSize = true;
  MyImage.SetCursor(LoadCursor(nullptr, IDC_CROSS));
  BuildLayout(kLayout);
  x1 = x2 = MyImage.Scale(MyImage.Left());
  y1 = y2 = MyImage.Scale(MyImage.Top());
  pattern_.phase = 128;
  MyImage.OnMouseDown = [this](ui::Component& s, ui::MouseButton b, ui::ShiftState sh, int x, int y) {
    MyImageMouseDown(s, b, sh, x, y);
  };
  MyImage.OnMouseMove = [this](ui::Component& s, ui::ShiftState sh, int x, int y) { MyImageMouseMove(s, sh, x, y); };
  MyImage.OnMouseUp = [this](ui::Component& s, ui::MouseButton b, ui::ShiftState sh, int x, int y) {
    MyImageMouseUp(s, b, sh, x, y);
  };
  ui::Bind(*this, kBindings);
}

void TSelectionForm::SetPicture(ui::Picture picture) {
  dragging_ = false;
  MyImage.SetPicture(std::move(picture));
}

RECT TSelectionForm::ImagePixels() const {
  // Counted from the client's left edge as the screen shows it, also in a
  // window laid out from right to left: the picture is never mirrored, so
  // the band and the crop share the picture's own direction.
  WINDOWINFO window{};
  window.cbSize = sizeof window;
  GetWindowInfo(Handle(), &window);
  RECT r{};
  GetWindowRect(MyImage.Handle(), &r);
  OffsetRect(&r, -window.rcClient.left, -window.rcClient.top);
  return r;
}

void TSelectionForm::DrawBand() {
  OverChildrenDC dc(Handle());
  // The band's points run left to right, as ImagePixels does.
  SetLayout(dc.get(), 0);
  wc::DrawBand(dc.get(), pattern_, POINT{x1, y1}, POINT{x2, y2});
}

void TSelectionForm::EraseBand() {
  POINT a{x1, y1}, c{x2, y2};
  if (Mirrored()) {
    // The window's own coordinates run from its right edge.
    RECT client{};
    GetClientRect(Handle(), &client);
    a.x = client.right - 1 - a.x;
    c.x = client.right - 1 - c.x;
  }
  wc::EraseBand(Handle(), a, c, true);
}

void TSelectionForm::MyImageMouseDown(ui::Component&, ui::MouseButton, ui::ShiftState, int x, int y) {
  dragging_ = true;
  EraseBand();
  const RECT image = ImagePixels();
  x1 = x2 = x + image.left;
  y1 = y2 = y + image.top;
  final_ = RECT{x1, y1, x1, y1};
  // The moves beyond the picture come here too while the button is down.
  SetCapture(MyImage.Handle());
}

void TSelectionForm::MyImageMouseMove(ui::Component&, ui::ShiftState, int x, int y) {
  if (!dragging_) return;
  const RECT image = ImagePixels();
  // Past the picture's right edge the band keeps its right edge; past its
  // lowest row, its bottom.
  const int right = image.right;
  const int bottom = image.bottom - MyImage.Scale(kViewerToolBarHeight) + 3;
  const bool xFollows = x <= right, yFollows = y <= bottom;
  if (!xFollows && !yFollows) return;
  EraseBand();
  if (xFollows) x2 = x + image.left;
  if (yFollows) y2 = y + image.top;
  DrawBand();
}

void TSelectionForm::MyImageMouseUp(ui::Component&, ui::MouseButton button, ui::ShiftState, int, int) {
  if (button == ui::MouseButton::Left) {
    final_ = RECT{x1, y1, x2, y2};
    if (x1 < x2 && y1 < y2 && Result) *Result = ui::Bitmap(x2 - x1, y2 - y1);
  }
  dragging_ = false;
  if (GetCapture() == MyImage.Handle()) ReleaseCapture();
}

ui::Bitmap TSelectionForm::Canvas() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  ui::Bitmap canvas(client.right, client.bottom);
  if (canvas.Empty()) return canvas;
  ui::MemoryDC dc(CreateCompatibleDC(nullptr));
  ui::SelectGuard select(dc.get(), canvas.Handle());
  FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  const ui::Picture& picture = MyImage.GetPicture();
  if (!picture.Empty()) {
    const RECT image = ImagePixels();
    picture.Draw(dc.get(), RECT{image.left, image.top, image.left + picture.Width(), image.top + picture.Height()});
  }
  return canvas;
}

void TSelectionForm::Button1Click(ui::Component&) {
  EraseBand();
  const RECT r = NormalizeRect(final_);
  if (Result && !Result->Empty()) {
    // What the window shows there, the band left out.
    ui::Bitmap canvas = Canvas();
    ui::MemoryDC from(CreateCompatibleDC(nullptr));
    ui::MemoryDC to(CreateCompatibleDC(nullptr));
    ui::SelectGuard selectFrom(from.get(), canvas.Handle());
    ui::SelectGuard selectTo(to.get(), Result->Handle());
    const int w = r.right - r.left, h = r.bottom - r.top;
    StretchBlt(to.get(), 0, 0, Result->Width(), Result->Height(), from.get(), r.left, r.top, w, h, SRCCOPY);
  }
  if (SelectionAccepted) *SelectionAccepted = 1;
  SetModalResult(ui::mrOk);
  Close();
}

void TSelectionForm::Button2Click(ui::Component&) {
  if (SelectionAccepted) *SelectionAccepted = 0;
  SetModalResult(ui::mrCancel);
  Close();
}

}  // namespace wc
