// The preview and wallpaper information panel of the control panel: what the
// selected playlist entry is, a scaled picture of it, and the removal of
// entries whose file has gone.
#include <windows.h>

#include <span>

#include "app/panel/main_form.h"
#include "capture/screen_form.h"
#include "app/shorten_path.h"
#include "common/entry_kind.h"
#include "common/fit.h"
#include "common/jpeg.h"
#include "common/paths.h"
#include "common/picture_formats.h"
#include "common/text.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "ui/handle.h"
#include "ui/prompts.h"
#include "wallpaper/picture_reader.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// The preview's longer side, in pixels.
constexpr int kPreviewSide = 141;

// The quality our JPEG codec is set to unless a caller chooses another.
// Reading a file leaves it alone, so this is what the panel reports for
// every JPEG: the file's own quality is not stored in it.
constexpr int kJpegCodecQuality = 90;

bool IsOneOf(const std::string& ext, std::initializer_list<const char*> list) {
  for (const char* e : list) {
    if (ext == e) return true;
  }
  return false;
}

// Every picture but an icon gets the style controls.
bool IsStyledPicture(const std::string& ext) { return ext != ".ICO" && IsPictureExtension(ext); }
// Drawings and bitmaps keep the panel's information as it was.
bool IsDecoderPicture(const std::string& ext) { return !IsOneOf(ext, {".BMP", ".EMF", ".WMF", ".ICO"}); }
bool IsJpeg(const std::string& ext) { return IsOneOf(ext, {".JPG", ".JPEG"}); }

// The file's size in bytes; it is opened the way the picture loader opens
// files, so a movie another program is writing can still be measured.
int64_t SharedFileSize(const std::string& path) {
  ui::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD code = GetLastError();
    throw ui::Error("Cannot open file \"" + path + "\". " + ui::SystemErrorText(code));
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) ui::ThrowLastError("Cannot read file \"" + path + "\"");
  return size.QuadPart;
}

// The three sets of controls share one place in the information group;
// one of them shows at a time.
enum class ControlSet { Style, Movie, Html };

void SetVisible(std::span<ui::Control* const> controls, bool on) {
  for (ui::Control* c : controls) c->SetVisible(on);
}

void ShowControlSet(TMainForm& f, ControlSet set) {
  const bool style = set == ControlSet::Style, movie = set == ControlSet::Movie, html = set == ControlSet::Html;
  ui::Control* styleSet[] = {&f.MainWallpaperStyleLabel, &f.StyleBox, &f.OriginXLabel, &f.OriginXEdit, &f.OriginYLabel,
                             &f.OriginYEdit};
  ui::Control* movieSet[] = {&f.MovieDimensionLabel, &f.MovieWidthLabel, &f.MovieHeightLabel, &f.MovieWidthEdit,
                             &f.MovieHeightEdit};
  ui::Control* htmlSet[] = {&f.ActiveDesktopNote, &f.PagePreviewButton};
  // Hide first, so two sets never overlap on the screen.
  if (!style) SetVisible(styleSet, false);
  if (!movie) SetVisible(movieSet, false);
  if (!html) SetVisible(htmlSet, false);
  if (style) SetVisible(styleSet, true);
  if (movie) SetVisible(movieSet, true);
  if (html) SetVisible(htmlSet, true);
}

}  // namespace

void TMainForm::MainListBoxClick(ui::Component&) {
  if (describing_) {
    describeAgain_ = true;
    return;
  }
  describing_ = true;
  struct Reset {
    TMainForm& f;
    ~Reset() {
      f.describing_ = false;
      f.describeAgain_ = false;
      f.clearPreviewAfter_ = false;
    }
  } reset{*this};
  try {
    // A description asked for during this one runs next; the emptying of the
    // preview that came with it must follow it, as it would have when nested.
    bool clearAfterThis = false;
    do {
      describeAgain_ = false;
      clearPreviewAfter_ = false;
      DescribeSelectedEntry();
      if (clearAfterThis && !MainChPreview.Checked()) MainPreview.ClearPicture();
      clearAfterThis = clearPreviewAfter_;
    } while (describeAgain_);
  } catch (...) {
    // Never leave the previous entry's picture beside a file that failed.
    MainPreview.ClearPicture();
    throw;
  }
}

void TMainForm::DescribeSelectedEntry() {
  if (MainListBox.Count() == 0 || !Playlist) return;
  std::optional<size_t> entry = EntryOfRow(MainListBox.ItemIndex());
  if (!entry) return;
  const std::string path = Playlist->Path(*entry);

  if (!FileExists(path)) {
    App().prompts().Message(Handle(), Say(texts::kFileGone, {path}),
                            App().Title, MB_OK);
    Playlist->RemoveEntry(*entry);
    try {
      WritePlaylistFile(StartupPlaylistFile, Playlist->Lines());
    } catch (const std::exception&) {
      // The entry is gone from the list either way; the file keeps it until
      // the next save that works.
      ErrorBox(Say(texts::kWriteError));
    }
    MainListBox.Clear();
    FillPlaylistBox(IsShowFullPath());
    return;
  }

  previewFile_.clear();
  const std::string ext = UpperCaseText(ExtractFileExt(path));
  const EntryKind kind = KindOfEntry(path);
  if (IsStyledPicture(ext)) {
    ShowControlSet(*this, ControlSet::Style);
    LocationValue.SetCaption(ShortenPath(path));
    if (IsJpeg(ext)) {
      // The header alone gives the size; the picture itself is not decoded.
      JpegInfo info = ReadJpegInfo(path);
      SizeValue.SetCaption(IntToText(info.width) + "x" + IntToText(info.height));
      PropertiesValue.SetCaption(Say(texts::kCompression, {IntToText(kJpegCodecQuality)}));
      TypeValue.SetCaption(Say(texts::kJpegImage));
    } else if (IsDecoderPicture(ext)) {
      // PNG, GIF, TIFF and the system's other kinds: the header tells the
      // size and the decoder the kind.
      PictureFileInfo info = ReadPictureInfo(path);
      SizeValue.SetCaption(IntToText(info.width) + "x" + IntToText(info.height));
      PropertiesValue.SetCaption(Say(texts::kKilobytes, {IntToText(SharedFileSize(path) / 1024)}));
      TypeValue.SetCaption(info.type);
    }
  }
  if (kind == EntryKind::Movie) {
    ShowControlSet(*this, ControlSet::Movie);
    PropertiesValue.SetCaption(Say(texts::kKilobytes, {IntToText(SharedFileSize(path) / 1024)}));
    MainPreview.SetPicture(ui::Picture::LoadFromFile(ExeFolder + "moviepreview.bmp"));
    FitPreview(MainPreview.GetPicture());
  }
  if (kind == EntryKind::Page) {
    ShowControlSet(*this, ControlSet::Html);
    MainPreview.SetPicture(ui::Picture::LoadFromFile(ExeFolder + "htmlpreview.bmp"));
    FitPreview(MainPreview.GetPicture());
  }

  if (!MainChPreview.Checked()) return;
  // Movies and pages have their stock picture already; a movie is never
  // handed to the picture loader.
  if (kind == EntryKind::Movie || kind == EntryKind::Page) return;
  if (!panelOnScreen_) {
    LetPreviewGo();
  } else if (FileExists(path)) {
    ShowPreviewOf(path);
  } else {
    ErrorBox(Say(texts::kFileNotPresent));
  }
}

void TMainForm::ShowPreviewOf(const std::string& path) {
  // Decoded no larger than the preview needs, then drawn smoothed to its
  // size and let go: a 6000 x 4000 photograph would otherwise hold 96 MB
  // for a 141-pixel preview.
  ui::Picture decoded = ReadPicturePreview(path, DesktopBackground(), MainPreview.Scale(kPreviewSide));
  FitPreview(decoded);
  previewFile_ = path;
  const ui::Bitmap* pixels = decoded.AsBitmap();
  RECT box{};
  GetClientRect(MainPreview.Handle(), &box);
  if (!pixels || box.right <= 0 || box.bottom <= 0 || (pixels->Width() <= box.right && pixels->Height() <= box.bottom)) {
    // Drawings scale themselves, and a small picture costs nothing.
    MainPreview.SetPicture(std::move(decoded));
    return;
  }
  ui::Bitmap small(box.right, box.bottom);
  {
    ui::MemoryDC dc(CreateCompatibleDC(nullptr));
    ui::SelectGuard select(dc.get(), small.Handle());
    SetStretchBltMode(dc.get(), HALFTONE);
    SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    decoded.Draw(dc.get(), box);
  }
  MainPreview.SetPicture(ui::Picture(std::move(small)));
}

void TMainForm::LetPreviewGo() {
  previewFile_.clear();
  if (!MainPreview.GetPicture().Empty()) MainPreview.ClearPicture();
}

void TMainForm::FitPreview(const ui::Picture& picture) {
  FitResult r = FitPicture(picture.Width(), picture.Height(), kPreviewSide, PreviewFrame.Left(), PreviewFrame.Top(),
                           PreviewFrame.Width(), PreviewFrame.Height());
  MainPreview.SetBounds(r.left, r.top, r.width, r.height);
}

void TMainForm::MainChPreviewClick(ui::Component& sender) {
  if (MainListBox.Count() > 0 && MainListBox.ItemIndex() < 0) MainListBox.SetItemIndex(0);
  if (MainListBox.ItemIndex() >= 0) {
    // A refilled list (a load, a drop, an added file) gets here too: a
    // picture that cannot be shown is reported, and the command that
    // refilled the list still finishes.
    ui::Guarded([&] { MainListBoxClick(sender); });
  }
  if (!MainChPreview.Checked()) {
    MainPreview.ClearPicture();
    MainPreview.Repaint();
    if (describing_) clearPreviewAfter_ = true;
  }
}

void TMainForm::PagePreviewButtonClick(ui::Component&) {
  if (!Playlist) return;
  std::optional<size_t> entry = EntryOfRow(MainListBox.ItemIndex());
  if (!entry) return;
  App().prompts().ShellOpen(Handle(), "open", Playlist->Path(*entry), "", "", SW_SHOW);
}

void TMainForm::MainPrintClick(ui::Component&) {
  auto* viewer = ui::Application::FindForm<TScreenForm>("ScreenForm");
  if (!viewer || !App().prompts().PrinterSetup(Handle())) return;
  // The preview holds a picture of its own size: the print is made from the
  // file it shows.
  if (!previewFile_.empty() && !MainPreview.GetPicture().Empty()) {
    viewer->PrintPicture(ReadPictureFile(previewFile_, DesktopBackground()), 100);
  } else {
    viewer->PrintPicture(MainPreview, 100);
  }
}

}  // namespace wc
