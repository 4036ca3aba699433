// The viewer's pictures as files, on the clipboard, cropped and printed.
#include <windows.h>

#include <cstring>

#include "capture/delay_form.h"
#include "capture/screen_form.h"
#include "capture/selection_form.h"
#include "common/bmp.h"
#include "common/jpeg.h"
#include "common/text.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/prompts.h"
#include "wallpaper/picture_reader.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// The extension with its dot, letters a-z in capitals; "" when the file
// name has none.
std::string UpperExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot);
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return ext;
}

// The format a picture file is read or written in, chosen by its name's
// extension (letters in either case). None: a name the viewer writes no
// format for; opening such a file is left to the system's picture loader.
enum class PictureFormat { None, Bitmap, Jpeg, Png };

PictureFormat FormatByName(const std::string& path) {
  const std::string ext = UpperExtension(path);
  if (ext == ".BMP") return PictureFormat::Bitmap;
  if (ext == ".JPG" || ext == ".JPEG") return PictureFormat::Jpeg;
  if (ext == ".PNG") return PictureFormat::Png;
  return PictureFormat::None;
}

std::string NoFormatText(const std::string& path) {
  return Say(texts::kCannotSaveFormat, {FileNameOnly(path)});
}

bool HasExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("\\/");
  return dot != std::string::npos && (slash == std::string::npos || dot > slash) && dot + 1 < path.size();
}

// The picture read whole before any tab is made, so a file that cannot be
// read leaves the viewer as it was. A JPEG or bitmap is decoded straight
// into the bitmap the tab shows; anything else the reader knows too, and a
// drawing (icon, metafile) becomes a bitmap at its own size.
ui::Picture LoadPicture(const std::string& path) {
  try {
    return ui::Picture(ReadPictureBitmap(path, DesktopBackground()));
  } catch (const ui::Error&) {
    throw;
  } catch (const std::exception& e) {
    throw ui::Error(Say(texts::kCannotOpenPicture, {path}) + ": " + e.what());
  }
}

}  // namespace

void TScreenForm::Open1Click(ui::Component&) {
  ui::FileDialogOptions options;
  options.filter = OpenFilter();
  options.fileMustExist = true;
  options.pathMustExist = true;
  auto chosen = App().prompts().OpenFile(Handle(), options);
  if (chosen && !chosen->files.empty() && !RefuseWhenFull()) OpenPictureFile(chosen->files.front());
  EnableTabCommands();
}

void TScreenForm::OpenPictureFile(const std::string& path) {
  if (RefuseWhenFull()) return;
  ui::Picture picture = LoadPicture(path);
  AddPictureTab(std::move(picture), FileNameOnly(path), kOpenedFileImage);
}

void TScreenForm::Saveas1Click(ui::Component&) {
  if (!HasTab()) return;
  ui::FileDialogOptions options;
  options.filter = PictureFilter();
  options.overwritePrompt = true;
  options.hideReadOnly = true;
  options.pathMustExist = true;
  auto chosen = App().prompts().SaveFile(Handle(), options);
  if (!chosen || chosen->files.empty() || chosen->files.front().empty()) return;
  std::string path = chosen->files.front();
  if (!HasExtension(path)) {
    static const char* const kByFilter[] = {"jpg", "jpg", "jpeg", "bmp", "png"};
    const int filter = chosen->filterIndex >= 1 && chosen->filterIndex <= 5 ? chosen->filterIndex : 1;
    if (path.back() != '.') path += '.';
    path += kByFilter[filter - 1];
  }
  // A name whose extension says another format gets no file: its content
  // would contradict its name.
  if (FormatByName(path) == PictureFormat::None) {
    App().prompts().Message(Handle(), NoFormatText(path), App().Title, MB_OK | MB_ICONWARNING);
    return;
  }
  SavePictureFile(path);
  ScreenPageControl.Page(CurrentTab)->SetCaption(FileNameOnly(path));
}

void TScreenForm::SavePictureFile(const std::string& path) {
  if (!HasTab()) return;
  const ui::Picture& picture = TabImages[size_t(CurrentTab)]->GetPicture();
  if (picture.Empty()) throw ui::Error(Say(texts::kNoPictureToSave));
  const PictureFormat format = FormatByName(path);
  if (format == PictureFormat::None) throw ui::Error(NoFormatText(path));
  try {
    if (format == PictureFormat::Jpeg) {
      const ui::Bitmap* bitmap = picture.AsBitmap();
      EncodeJpegFile(path, bitmap ? bitmap->ToImage() : picture.ToBitmap().ToImage(), kJpegQuality);
    } else if (format == PictureFormat::Png) {
      if (const ui::Bitmap* bitmap = picture.AsBitmap()) {
        WritePngFile(path, *bitmap);
      } else {
        WritePngFile(path, picture.ToBitmap());
      }
    } else {
      picture.SaveToBitmapFile(path, 24);
    }
  } catch (const ui::Error&) {
    throw;
  } catch (const std::exception& e) {
    throw ui::Error(Say(texts::kWriteError) + ": " + e.what());
  }
}

void TScreenForm::Copy1Click(ui::Component&) {
  if (!HasTab()) return;
  const ui::Picture& picture = TabImages[size_t(CurrentTab)]->GetPicture();
  if (const ui::Bitmap* bitmap = picture.AsBitmap()) {
    PutBitmapOnClipboard(*bitmap);
  } else if (!picture.Empty()) {
    PutBitmapOnClipboard(picture.ToBitmap());
  }
}

std::unique_ptr<ui::Bitmap> TScreenForm::AskSelection(uint8_t mode) {
  auto* crop = ui::Application::FindForm<TSelectionForm>("SelectionForm");
  if (!crop || !HasTab()) return nullptr;
  auto result = std::make_unique<ui::Bitmap>();
  SelectionMode = mode;
  SelectionAccepted = 0;
  crop->Result = result.get();
  crop->SelectionAccepted = &SelectionAccepted;
  crop->SetPicture(TabImages[size_t(CurrentTab)]->GetPicture());
  crop->ShowModal();
  crop->Result = nullptr;
  crop->SelectionAccepted = nullptr;
  crop->SetPicture(ui::Picture());
  // "Save selection" without a rectangle dragged right and down selects
  // nothing: the picture stays as it was.
  if (SelectionAccepted != 1 || result->Empty()) return nullptr;
  return result;
}

void TScreenForm::Crop1Click(ui::Component&) {
  if (!HasTab()) return;
  auto selection = AskSelection(1);
  // A cancelled crop changes nothing, the zoom included.
  if (!selection) return;
  ui::Image& image = *TabImages[size_t(CurrentTab)];
  image.ClearPicture();
  image.Repaint();
  // The cropped picture is shown at its own size.
  image.Stretch = false;
  image.AutoSize = true;
  image.SetPicture(ui::Picture(std::move(*selection)));
  image.Repaint();
  SetupScrollBars();
  TabViewState[size_t(CurrentTab)].Zoom = 15;
  MyTrackBar.SetPosition(15);
  ShowSizeOf(image);
}

void TScreenForm::CopySelection1Click(ui::Component&) {
  if (!HasTab()) return;
  if (auto selection = AskSelection(2)) PutBitmapOnClipboard(*selection);
}

void TScreenForm::Delay1Click(ui::Component&) {
  if (auto* delay = ui::Application::FindForm<TDelayForm>("DelayForm")) {
    delay->SetGrabber(&ScreenGrabber1);
    delay->ShowModal();
  }
}

}  // namespace wc
