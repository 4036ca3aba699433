// Printing a picture on the chosen printer: as large as the page allows,
// at its top-left corner.
#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "capture/screen_form.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// A printer device context, deleted when it goes.
class PrinterDC {
 public:
  explicit PrinterDC(HDC dc) : dc_(dc) {}
  ~PrinterDC() {
    if (dc_) DeleteDC(dc_);
  }
  PrinterDC(const PrinterDC&) = delete;
  PrinterDC& operator=(const PrinterDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The printer the set-up dialog chose, or the default printer before that.
HDC OpenPrinter(ui::Prompts& prompts) {
  if (auto* system = dynamic_cast<ui::SystemPrompts*>(&prompts); system && system->DevNames()) {
    auto* names = static_cast<DEVNAMES*>(GlobalLock(system->DevNames()));
    DEVMODEA* mode = system->DevMode() ? static_cast<DEVMODEA*>(GlobalLock(system->DevMode())) : nullptr;
    HDC dc = nullptr;
    if (names) {
      const char* base = reinterpret_cast<const char*>(names);
      dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    }
    if (mode) GlobalUnlock(system->DevMode());
    if (names) GlobalUnlock(system->DevNames());
    if (dc) return dc;
  }
  char name[512];
  DWORD size = sizeof name;
  if (!GetDefaultPrinterA(name, &size)) return nullptr;
  return CreateDCA("WINSPOOL", name, nullptr, nullptr);
}

class HourglassCursor {
 public:
  HourglassCursor() : old_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~HourglassCursor() { SetCursor(old_); }
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;

 private:
  HCURSOR old_;
};

}  // namespace

void TScreenForm::PrintSetup1Click(ui::Component&) { App().prompts().PrinterSetup(Handle()); }

void TScreenForm::Print1Click(ui::Component&) {
  if (HasTab()) PrintPicture(*TabImages[size_t(CurrentTab)], 100);
}

void TScreenForm::PrintPicture(const ui::Image& image, int percent) { PrintPicture(image.GetPicture(), percent); }

void TScreenForm::PrintPicture(const ui::Picture& picture, int percent) {
  if (picture.Empty()) return;
  HourglassCursor wait;
  // A picture the system's loader made (a JPEG preview) is printed from a
  // bitmap of it.
  ui::Bitmap converted;
  const ui::Bitmap* bitmap = picture.AsBitmap();
  if (!bitmap) {
    converted = picture.ToBitmap();
    bitmap = &converted;
  }
  if (bitmap->Empty()) throw ui::Error(Say(texts::kPictureNotPrintable));
  PrinterDC printer(OpenPrinter(App().prompts()));
  if (!printer.get()) throw ui::Error(Say(texts::kNoPrinter));
  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  const std::string title = App().Title.empty() ? std::string("Picture") : App().Title;
  doc.lpszDocName = title.c_str();
  if (StartDocA(printer.get(), &doc) <= 0) ui::ThrowLastError("Printing could not start");
  bool ok = StartPage(printer.get()) > 0;
  if (ok) {
    const int PW = GetDeviceCaps(printer.get(), HORZRES), PH = GetDeviceCaps(printer.get(), VERTRES);
    const ZoomSize out = PrintFit(bitmap->Width(), bitmap->Height(), PW, PH, percent);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap->Width();
    info.bmiHeader.biHeight = -bitmap->Height();  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GdiFlush();
    SetStretchBltMode(printer.get(), HALFTONE);
    SetBrushOrgEx(printer.get(), 0, 0, nullptr);
    ok = StretchDIBits(printer.get(), 0, 0, out.width, out.height, 0, 0, bitmap->Width(), bitmap->Height(),
                       bitmap->Bits(), &info, DIB_RGB_COLORS, SRCCOPY) != int(GDI_ERROR);
    ok = EndPage(printer.get()) > 0 && ok;
  }
  if (!ok) {
    AbortDoc(printer.get());
    throw ui::Error(Say(texts::kPrintFailed));
  }
  EndDoc(printer.get());
}

}  // namespace wc
