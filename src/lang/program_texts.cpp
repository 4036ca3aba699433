#include "lang/program_texts.h"

#include <array>

#include "lang/lang.h"

namespace wc {

namespace {
constexpr std::array kProgramTexts = {
    texts::kFileNotPresent,
    texts::kReadError,
    texts::kWriteError,
    texts::kErrorTitle,
    texts::kFileGone,
    texts::kDeleteFile,
    texts::kConfirmTitle,
    texts::kViewerFull,
    texts::kCannotSaveFormat,
    texts::kNoPictureToSave,
    texts::kCannotOpenPicture,
    texts::kPictureNotPrintable,
    texts::kNoPrinter,
    texts::kPrintFailed,
    texts::kRenameTitle,
    texts::kNameEmpty,
    texts::kNameHasSlash,
    texts::kNameHasBadCharacter,
    texts::kNameOnlyDots,
    texts::kNameBadEnd,
    texts::kNameReserved,
    texts::kNeedsNewerWindows,
    texts::kProgramFolderReadOnly,
    texts::kPlaylistDisabled,
    texts::kCheckingFiles,
    texts::kIntervalNegative,
    texts::kIntervalTooLong,
    texts::kControlPanelTitle,
    texts::kJpegImage,
    texts::kCompression,
    texts::kKilobytes,
    texts::kViewerTitle,
    texts::kPictureHeight,
    texts::kPictureWidth,
    texts::kAboutTitle,
    texts::kScanTitle,
    texts::kCopyFilesTitle,
    texts::kMoveFilesTitle,
    texts::kDefaultSoundList,
    texts::kDesktopFolder,
    texts::kFreeware,
    texts::kRenameMoveCopyTitle,
    texts::kPlaylistManagement,
    texts::kImageTab,
    texts::kPlaylistFilter,
    texts::kOpenPlaylistFilter,
    texts::kAllPicturesFilter,
    texts::kJpegFilter,
    texts::kBitmapFilter,
    texts::kIconFilter,
    texts::kEnhancedMetafileFilter,
    texts::kMetafileFilter,
    texts::kMovieFilter,
    texts::kHtmlFilter,
    texts::kWaveFilter,
    texts::kSoundListFilter,
    texts::kViewerAllFilter,
    texts::kPngFilter,
    texts::kGifFilter,
    texts::kTiffFilter,
    texts::kCannotReadPicture,
    texts::kPictureCutShort,
    texts::kPictureCutShortOrDamaged,
    texts::kPictureDamaged,
    texts::kPictureDamagedCode,
    texts::kPictureTooLarge,
    texts::kNoDecoder,
    texts::kNotAPictureWeRead,
    texts::kNoPictureInFile,
    texts::kNotEnoughMemory,
    texts::kPictureTooLargeToDraw,
    texts::kNoPictureToWrite,
    texts::kCannotWritePng,
    texts::kPictureOfKind,
    texts::kPicture,
    texts::kWallpaperPixelFormat,
    texts::kWallpaperPathTooLong,
    texts::kNoLocalAppData,
    texts::kCannotMakeBitmapFolder,
    texts::kLandscape,
    texts::kPortrait,
    texts::kMonitorFolderTitle,
    texts::kChangesPaused,
    texts::kCommandLineUsage,
    texts::kCommandNotUnderstood,
    texts::kCommandFileMissing,
};
}  // namespace

std::span<const ProgramText> ProgramTexts() { return kProgramTexts; }

std::string FillIn(std::string_view text, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(text.size() + 32);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const size_t n = size_t(text[i + 1] - '1');
      if (n < args.size()) {
        out += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string Say(const ProgramText& text, std::initializer_list<std::string_view> args) {
  const TLanguage* language = TLanguage::Program();
  const std::string said = language ? language->MessageText(text.id, text.english) : std::string(text.english);
  return FillIn(said, args);
}

}  // namespace wc
