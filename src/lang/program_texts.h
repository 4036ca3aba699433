#pragma once
// The texts the program shows outside any published caption: message boxes,
// file dialogs' filters, status lines, titles and notes made at run time.
//
// Each has an id in the language file's [Messages] section and its English
// text here: a file that lacks the id (an older or a third-party one) keeps
// the English text rather than showing the id. "%1", "%2" in a text stand
// for what the program fills in (a path, a count).
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace wc {

struct ProgramText {
  std::string_view id;
  std::string_view english;
};

namespace texts {
// Message boxes.
inline constexpr ProgramText kFileNotPresent{"Message200", "File not Present"};
inline constexpr ProgramText kReadError{"Message201", "ERROR Reading from Disk"};
inline constexpr ProgramText kWriteError{"Message202", "ERROR Writing to Disk"};
inline constexpr ProgramText kErrorTitle{"Message203", "Error"};
inline constexpr ProgramText kFileGone{"Message204", "This file does not exist anymore: %1. Deleted from playlist."};
inline constexpr ProgramText kDeleteFile{"Message205", "Delete File"};
inline constexpr ProgramText kConfirmTitle{"Message206", "Confirm"};
inline constexpr ProgramText kViewerFull{"Message207",
                                         "The viewer holds at most 21 pictures. Close a tab before taking or opening "
                                         "another."};
inline constexpr ProgramText kCannotSaveFormat{"Message208",
                                               "Cannot save \"%1\": pictures are saved as JPEG (.jpg, .jpeg), "
                                               "bitmap (.bmp) or PNG (.png) files. Choose a name with one of these "
                                               "extensions."};
inline constexpr ProgramText kNoPictureToSave{"Message209", "There is no picture to save."};
inline constexpr ProgramText kCannotOpenPicture{"Message210", "Cannot open the picture %1"};
inline constexpr ProgramText kPictureNotPrintable{"Message211", "The picture cannot be printed."};
inline constexpr ProgramText kNoPrinter{"Message212", "There is no printer to print on."};
inline constexpr ProgramText kPrintFailed{"Message213", "The picture could not be printed."};
inline constexpr ProgramText kRenameTitle{"Message214", "Rename"};
inline constexpr ProgramText kNameEmpty{"Message215", "A file name cannot be empty."};
inline constexpr ProgramText kNameHasSlash{"Message216",
                                           "A file name cannot contain \\ or /: %1 would be in another folder."};
inline constexpr ProgramText kNameHasBadCharacter{"Message217",
                                                  "A file name cannot contain any of the following characters: "
                                                  "\\ / : * ? \" < > |"};
inline constexpr ProgramText kNameOnlyDots{"Message218", "%1 is not a file name."};
inline constexpr ProgramText kNameBadEnd{"Message219", "A file name cannot end with a space or a dot."};
inline constexpr ProgramText kNameReserved{"Message220", "%1 is a name Windows reserves for a device."};
inline constexpr ProgramText kNeedsNewerWindows{"Message221", "This program needs Windows 10 version 1903 or later."};
inline constexpr ProgramText kProgramFolderReadOnly{
    "Message225",
    "You may not write in the program's folder %1, so your settings and playlists cannot be saved there. Install the "
    "program with its setup, which puts it in a folder of your own, or move it to a folder you own."};

// Notes and titles made at run time.
inline constexpr ProgramText kPlaylistDisabled{"Message230", "Playlist management - disabled"};
inline constexpr ProgramText kCheckingFiles{"Message231", "Checking %1 of %2"};
inline constexpr ProgramText kIntervalNegative{"Message232", "The interval cannot be negative: the timer is off."};
inline constexpr ProgramText kIntervalTooLong{"Message233", "At most %1 %2: the timer is off."};
inline constexpr ProgramText kControlPanelTitle{"Message234", "%1 - Control Panel"};
inline constexpr ProgramText kJpegImage{"Message235", "JPEG image"};
inline constexpr ProgramText kCompression{"Message236", "%1% Compression"};
inline constexpr ProgramText kKilobytes{"Message237", "%1 kb"};
inline constexpr ProgramText kViewerTitle{"Message238", "%1 - Screen Capture"};
inline constexpr ProgramText kPictureHeight{"Message239", "Height: %1 pixels"};
inline constexpr ProgramText kPictureWidth{"Message240", "Width: %1 pixels"};
inline constexpr ProgramText kAboutTitle{"Message241", "%1 - About"};
inline constexpr ProgramText kScanTitle{"Message242", "%1 - Scan Disk for Wallpapers"};
inline constexpr ProgramText kCopyFilesTitle{"Message243", "Copy Files"};
inline constexpr ProgramText kMoveFilesTitle{"Message244", "Move Files"};
inline constexpr ProgramText kDefaultSoundList{"Message245", "Default"};
inline constexpr ProgramText kDesktopFolder{"Message246", "Desktop"};
inline constexpr ProgramText kFreeware{"Message247", "Freeware"};
inline constexpr ProgramText kRenameMoveCopyTitle{"Message248", "Rename/Move/Copy"};
inline constexpr ProgramText kPlaylistManagement{"Message249", "Playlist management"};
inline constexpr ProgramText kImageTab{"Message250", "Image%1"};

// File dialogs' filters: the names of the kinds (the patterns stay as they are).
inline constexpr ProgramText kPlaylistFilter{"Message260", "Playlist"};
inline constexpr ProgramText kOpenPlaylistFilter{"Message261", "Image Play List"};
inline constexpr ProgramText kAllPicturesFilter{"Message262", "All pictures"};
inline constexpr ProgramText kJpegFilter{"Message263", "JPEG Image File"};
inline constexpr ProgramText kBitmapFilter{"Message264", "Bitmaps"};
inline constexpr ProgramText kIconFilter{"Message265", "Icons"};
inline constexpr ProgramText kEnhancedMetafileFilter{"Message266", "Enhanced Metafiles"};
inline constexpr ProgramText kMetafileFilter{"Message267", "Metafiles"};
inline constexpr ProgramText kMovieFilter{"Message268", "Movie Files"};
inline constexpr ProgramText kHtmlFilter{"Message269", "HTML Files"};
inline constexpr ProgramText kWaveFilter{"Message270", "WAV Sound Files (*.wav)"};
inline constexpr ProgramText kSoundListFilter{"Message271", "%1 Sound List (*.krs)"};
inline constexpr ProgramText kViewerAllFilter{"Message272", "All (*.jpg;*.jpeg;*.bmp;*.png)"};
inline constexpr ProgramText kPngFilter{"Message273", "PNG Images"};
inline constexpr ProgramText kGifFilter{"Message274", "GIF Images"};
inline constexpr ProgramText kTiffFilter{"Message275", "TIFF Images"};

// The picture reader's reasons for refusing a file: "%2" of kCannotReadPicture.
inline constexpr ProgramText kCannotReadPicture{"Message276", "Cannot read the picture \"%1\": %2"};
inline constexpr ProgramText kPictureCutShort{"Message277", "the file is cut short"};
inline constexpr ProgramText kPictureCutShortOrDamaged{"Message278", "the file is cut short or damaged"};
inline constexpr ProgramText kPictureDamaged{"Message279", "the file is damaged"};
inline constexpr ProgramText kPictureDamagedCode{"Message280", "the file is damaged (%1)"};
inline constexpr ProgramText kPictureTooLarge{"Message281",
                                              "the picture is %1 x %2 pixels; the largest taken is %3 pixels a side "
                                              "and %4 megapixels"};
inline constexpr ProgramText kNoDecoder{"Message282", "the system has no decoder for this kind of file"};
inline constexpr ProgramText kNotAPictureWeRead{"Message283", "the file is not a picture this program reads"};
inline constexpr ProgramText kNoPictureInFile{"Message284", "the file holds no picture"};
inline constexpr ProgramText kNotEnoughMemory{"Message285", "not enough memory"};
inline constexpr ProgramText kPictureTooLargeToDraw{"Message286", "The picture cannot be drawn: %1"};
inline constexpr ProgramText kNoPictureToWrite{"Message287", "There is no picture to write to %1"};
inline constexpr ProgramText kCannotWritePng{"Message288", "Cannot write the PNG file %1: %2"};
// The preview's kind of a picture the system decodes: the decoder's name
// ("PNG", "GIF", "TIFF"), or no name at all.
inline constexpr ProgramText kPictureOfKind{"Message289", "%1 image"};
inline constexpr ProgramText kPicture{"Message290", "Picture"};

// The applier's errors.
inline constexpr ProgramText kWallpaperPixelFormat{"Message291",
                                                   "The wallpaper bitmap cannot be written with the pixel format "
                                                   "\"%1\": only 24 and 32 bits per pixel are supported"};
inline constexpr ProgramText kWallpaperPathTooLong{"Message292",
                                                   "The wallpaper path is too long for the system (%1 characters, at "
                                                   "most %2): %3"};
inline constexpr ProgramText kNoLocalAppData{"Message293",
                                             "The folder for the user's local application data is unknown, so there "
                                             "is no place for the wallpaper bitmap"};
inline constexpr ProgramText kCannotMakeBitmapFolder{"Message294",
                                                     "The folder for the wallpaper bitmap cannot be made: %1"};

// The settings' monitors page.
inline constexpr ProgramText kLandscape{"Message295", "landscape"};
inline constexpr ProgramText kPortrait{"Message296", "portrait"};
inline constexpr ProgramText kMonitorFolderTitle{"Message297", "The folder of this monitor's pictures"};

// The tray icon's tip while the changes are paused.
inline constexpr ProgramText kChangesPaused{"Message298", "%1 - changes paused"};

// The command line's mistakes, said on the console it was typed in.
inline constexpr ProgramText kCommandLineUsage{
    "Message299", "Usage: %1 [/next | /previous | /pause | /resume | /favourite | /exclude | /apply \"FILE\" | /playlist \"FILE.qvl\" | \"FILE.qvl\"]"};
inline constexpr ProgramText kCommandNotUnderstood{"Message300", "The command line is not understood at \"%1\"."};
inline constexpr ProgramText kCommandFileMissing{"Message301", "There is no file %1."};
}  // namespace texts

// Every text above, for the language files' check.
std::span<const ProgramText> ProgramTexts();

// The text in the program's language (TLanguage::Program()), English when
// there is none or its file lacks the id; "%1" ... "%9" take `args` in order.
std::string Say(const ProgramText& text, std::initializer_list<std::string_view> args = {});

// Replaces "%1" ... "%9" by args; a "%" not followed by a digit of an
// argument stays as it is.
std::string FillIn(std::string_view text, std::initializer_list<std::string_view> args);

}  // namespace wc
