// The scan dialog used as a user uses it: the real WallpaperChanger.exe,
// its control panel opened from the tray icon, "Scan Disk For Wallpapers"
// chosen from the playlist menu, a folder tree searched for all image files
// with its subfolders, every result added to the playlist; the playlist
// written at exit holds the tree's pictures in the order of the search.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "user_input.h"

#ifndef WC_TEST_OUTPUT_DIR
#define WC_TEST_OUTPUT_DIR ""
#endif

namespace wc::test {
namespace {

using namespace std::chrono_literals;

// One file or folder of the searched tree, relative to its root.
struct TreeItem {
  const char* path;
  bool folder;
  // What the search must do with it: take the file, or enter the folder.
  bool wanted;
  DWORD attributes = 0;
};
constexpr bool kFile = false, kFolder = true;

// Pictures with extensions in every case, files of other kinds, names that
// only look like pictures, a hidden picture (taken), a system one (left), a
// hidden folder and a dot-folder (neither entered), and files whose names
// sort after the subfolders' names, so that an order other than "a folder's
// files, then each subfolder whole" shows.
const TreeItem kTree[] = {
    {"Apple.jpg", kFile, true},
    {"zebra.JPG", kFile, true},
    {"Beach.jpeg", kFile, true},
    {"Shy.bmp", kFile, true, FILE_ATTRIBUTE_HIDDEN},
    {"Boot.bmp", kFile, false, FILE_ATTRIBUTE_SYSTEM},
    {"notes.txt", kFile, false},
    {"photo.jpg.txt", kFile, false},
    {"photo", kFile, false},
    {"anim.gif", kFile, true},
    {"scan.TIFF", kFile, true},
    {"clip.avi", kFile, false},
    {"page.html", kFile, false},
    {"Family", kFolder, true},
    {"Family\\Mum.Jpg", kFile, true},
    {"Family\\letter.doc", kFile, false},
    {"Family\\yard.Wmf", kFile, true},
    {"Trips", kFolder, true},
    {"Trips\\Paris.Bmp", kFile, true},
    {"Trips\\icon.ICO", kFile, true},
    {"Trips\\2019", kFolder, true},
    {"Trips\\2019\\Rome.jpg", kFile, true},
    {"Trips\\2019\\Drawing.EMF", kFile, true},
    {"Trips\\2020", kFolder, true},
    {"Trips\\2020\\Oslo.jpeg", kFile, true},
    {"Trips\\xtra.jpg", kFile, true},
    {".thumbs", kFolder, false},
    {".thumbs\\Apple.jpg", kFile, false},
    {"Private", kFolder, false, FILE_ATTRIBUTE_HIDDEN},
    {"Private\\secret.jpg", kFile, false},
};

// Makes the tree under `root`; false when the file system did not keep an
// attribute the tree needs.
bool MakeTree(const std::string& root) {
  if (!CreateDirectoryA(root.c_str(), nullptr)) return false;
  for (const TreeItem& item : kTree) {
    const std::string path = root + "\\" + item.path;
    if (item.folder) {
      if (!CreateDirectoryA(path.c_str(), nullptr)) return false;
    } else {
      MakePicture(path);
    }
    if (item.attributes) {
      SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | item.attributes);
      if ((GetFileAttributesA(path.c_str()) & item.attributes) != item.attributes) return false;
    }
  }
  return true;
}

const TreeItem* Item(const std::string& relative) {
  for (const TreeItem& item : kTree) {
    if (relative == item.path) return &item;
  }
  return nullptr;
}

// The wanted files of the tree in the order a search must report them:
// a folder's files as the system lists them, then each wanted subfolder, as
// the system lists them, searched completely before the next. Which entries
// are wanted comes from the table above, not from a rule of the program.
void SearchOrder(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
  const std::string folder = relative.empty() ? root + "\\" : root + "\\" + relative + "\\";
  std::vector<std::string> subfolders;
  WIN32_FIND_DATAA found{};
  HANDLE listing = FindFirstFileA((folder + "*.*").c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const TreeItem* item = Item(relative.empty() ? name : relative + "\\" + name);
    if (!item || !item->wanted) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      subfolders.push_back(item->path);
    } else {
      out.push_back(folder + name);
    }
  } while (FindNextFileA(listing, &found));
  FindClose(listing);
  for (const std::string& sub : subfolders) SearchOrder(root, sub, out);
}

// The file name without what follows its last dot, as the playlist shows it.
std::string Stem(const std::string& path) {
  const std::string name = path.substr(path.rfind('\\') + 1);
  return name.substr(0, name.rfind('.'));
}

// The rows of a list box of the program, asked in UTF-16: across processes
// Wine hands the ANSI call the row's UTF-16 text, of which only the first
// letter reads.
std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH * 2] = L"";
    if (SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0) < LRESULT(MAX_PATH * 2)) {
      SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    }
    char utf8[MAX_PATH * 6] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    rows.push_back(utf8);
  }
  return rows;
}

// A visible window of the process with that title.
HWND WindowTitled(const ProgramRunner& program, const std::string& title) {
  for (HWND w : program.VisibleWindows()) {
    char text[256] = "";
    GetWindowTextA(w, text, sizeof text);
    if (title == text) return w;
  }
  return nullptr;
}

// The child of `parent` of that class whose top edge is highest (or lowest).
HWND ChildAtEdge(HWND parent, const char* cls, const char* text, bool lowest) {
  struct Want {
    const char* cls;
    const char* text;
    bool lowest;
    HWND found;
    LONG top;
  } want{cls, text, lowest, nullptr, 0};
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM l) {
        auto* want = reinterpret_cast<Want*>(l);
        char name[64] = "", caption[256] = "";
        GetClassNameA(w, name, sizeof name);
        GetWindowTextA(w, caption, sizeof caption);
        if (lstrcmpiA(name, want->cls) != 0 || (want->text && std::string(caption) != want->text)) return TRUE;
        RECT r{};
        GetWindowRect(w, &r);
        if (!want->found || (want->lowest ? r.top > want->top : r.top < want->top)) {
          want->found = w;
          want->top = r.top;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&want));
  return want.found;
}

// The label right of `label` on the same line.
HWND LabelBeside(HWND parent, HWND label) {
  RECT mine{};
  GetWindowRect(label, &mine);
  POINT at{mine.right + 8, (mine.top + mine.bottom) / 2};
  ScreenToClient(parent, &at);
  return ChildWindowFromPointEx(parent, at, CWP_SKIPINVISIBLE);
}

// Waits until the file exists and has stopped growing.
bool WaitForFinishedFile(const std::string& path, std::chrono::milliseconds limit) {
  LONGLONG last = -1;
  return WaitFor(
      [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
        const LONGLONG size = LONGLONG(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        const bool steady = size > 0 && size == last;
        last = size;
        if (!steady) std::this_thread::sleep_for(300ms);
        return steady;
      },
      limit);
}

TEST(ScanDiskProgram, AllImageFilesOfATreeFoundByTheScanDialogAreAddedToThePlaylistInSearchOrder) {
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the Wine prefix runs without its virtual desktop";
  TempDir dir;
  ProgramRunner program(dir.path());
  const std::string root = dir.path() + "\\Pictures";
  ASSERT_TRUE(MakeTree(root)) << "the test's folder tree could not be made with its attributes";
  std::vector<std::string> expected;
  SearchOrder(root, "", expected);
  size_t wantedFiles = 0;
  for (const TreeItem& item : kTree) wantedFiles += item.wanted && !item.folder;
  ASSERT_EQ(expected.size(), wantedFiles) << "the system did not list the whole tree";
  // One entry before the search, so that the start-up's fill of the list shows.
  const std::string first = MakePicture(program.File("first.bmp"));
  std::string playlist = first + "\r\nfirst\r\n";
  WriteTextFile(program.File("DefPlayList.qvl"), playlist);
  for (const std::string& path : expected) playlist += path + "\r\n" + Stem(path) + "\r\n";
  WriteTextFile(program.File("settings.ini"), "[Change at Startup]\r\nChecked=0\r\n");
  program.Start();

  // The control panel, from the first item of the tray icon's menu.
  RECT icon{};
  ASSERT_TRUE(FindTrayIcon(taskbar, icon)) << "no tray icon";
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 15s));
  HWND main = program.MainWindow();
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  ASSERT_TRUE(OpenTrayMenu(icon, pid)) << "no tray menu";
  Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 20s)) << "the control panel did not open";

  // The playlist menu's button: the last of the five beside the list, once
  // the start-up has filled the list.
  HWND group = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (group = FindChild(main, "Button", "Playlist management")) != nullptr; }, 20s));
  HWND mainList = FindChild(group, "ListBox");
  ASSERT_NE(mainList, nullptr);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(mainList, LB_GETCOUNT, 0, 0) == 1; }, 15s));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  POINT menuButton{MulDiv(270 + 13, dpi, 96), MulDiv(153 + 13, dpi, 96)};  // its middle in the group
  ASSERT_NE(ChildWindowFromPoint(group, menuButton), group);
  ClientToScreen(group, &menuButton);
  ASSERT_TRUE(ClickUntil(menuButton, [&] { return OpenMenuOf(pid) != nullptr; })) << "the playlist menu did not open";
  std::this_thread::sleep_for(300ms);
  // "Scan Disk For Wallpapers" is its seventh item that is not a separator.
  for (int i = 0; i < 7; ++i) Key(VK_DOWN);
  Key(VK_RETURN);
  const std::string caption = "Pellimox Free Wallpaper Changer - Scan Disk for Wallpapers";
  HWND scan = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (scan = WindowTitled(program, caption)) != nullptr; }, 20s))
      << "the scan dialog did not open";
  std::this_thread::sleep_for(500ms);
  SetForegroundWindow(scan);

  // The folder, typed over the edit's "C:\".
  HWND folderEdit = ChildAtEdge(scan, "Edit", nullptr, false);
  HWND maskEdit = ChildAtEdge(scan, "Edit", nullptr, true);
  HWND kindButton = ChildAtEdge(scan, "Button", "...", true);
  HWND recurse = FindChild(scan, "Button", "Recursive Search Subdirectories");
  HWND start = FindChild(scan, "Button", "Start Searching");
  HWND add = FindChild(scan, "Button", "Add to ShowList");
  HWND foundLabel = FindChild(scan, "Static", "Files Found : ");
  HWND results = FindChild(scan, "ListBox");
  ASSERT_TRUE(folderEdit && maskEdit && folderEdit != maskEdit && kindButton && recurse && start && add && foundLabel &&
              results);
  HWND count = LabelBeside(scan, foundLabel);
  ASSERT_TRUE(count && count != scan);
  EXPECT_EQ(TextOf(folderEdit), "C:\\");
  bool typed = false;
  for (int attempt = 0; attempt < 3 && !typed; ++attempt) {
    LeftClick(Centre(folderEdit));
    std::this_thread::sleep_for(200ms);
    Key(VK_END);
    for (size_t i = TextOf(folderEdit).size(); i > 0; --i) Key(VK_BACK);
    Type(root);
    typed = WaitFor([&] { return TextOf(folderEdit) == root; }, 3s);
  }
  ASSERT_TRUE(typed) << "the folder edit holds " << TextOf(folderEdit);

  // "All Image Files" from the file-kind menu, which opens at the pointer.
  // Every picture kind the program reads (the system's decoders add theirs
  // after the base ones), then the pages and movies.
  const std::string all = TextOf(maskEdit), pagesAndMovies = ";*html;*htm;*avi;*mpg;*mpeg";
  ASSERT_TRUE(all.starts_with("*jpg;*jpeg;*bmp;*ico;*emf;*wmf;*png;*gif;*tif;*tiff") && all.ends_with(pagesAndMovies))
      << all;
  const std::string pictures = all.substr(0, all.size() - pagesAndMovies.size());
  ASSERT_TRUE(ClickUntil(Centre(kindButton), [&] { return OpenMenuOf(pid) != nullptr; })) << "no file-kind menu";
  std::this_thread::sleep_for(300ms);
  Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return TextOf(maskEdit) == pictures; }, 15s)) << TextOf(maskEdit);
  ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(pid) == nullptr; }, 15s));

  // Subfolders too; then the search, until the count and the buttons are back.
  ASSERT_TRUE(ClickUntil(Centre(recurse), [&] { return SendMessageA(recurse, BM_GETCHECK, 0, 0) == BST_CHECKED; }))
      << "the recursion box did not tick";
  const std::string total = std::to_string(expected.size());
  auto searched = [&] {
    return TextOf(count) == total && IsWindowEnabled(start) && IsWindowEnabled(add) &&
           SendMessageA(results, LB_GETCOUNT, 0, 0) == LRESULT(expected.size());
  };
  ASSERT_TRUE(ClickUntil(Centre(start), searched, 3, 20s))
      << "the search did not end with " << total << " files: the count shows " << TextOf(count) << ", the box is "
      << SendMessageA(recurse, BM_GETCHECK, 0, 0) << ", the mask " << TextOf(maskEdit);
  // A click made again may have started a second search: its end is awaited too.
  std::this_thread::sleep_for(500ms);
  ASSERT_TRUE(WaitFor(searched, 20s));
  EXPECT_EQ(ListRows(results), expected);

  // A picture of the dialog after the search, for a person to look at.
  if (*WC_TEST_OUTPUT_DIR) {
    const std::string shot = std::string(WC_TEST_OUTPUT_DIR) + "/scan_disk_dialog.png";
    std::string windowsShot = "Z:" + shot;
    for (char& c : windowsShot) c = c == '/' ? '\\' : c;
    DeleteFileA(windowsShot.c_str());
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(StartHostProgram("Z:\\usr\\bin\\import -window root \"" + shot + "\""));
    EXPECT_TRUE(WaitForFinishedFile(windowsShot, 20s)) << "no screenshot in " << shot;
  }

  // "Add All Files to ShowList", the first item of the add menu.
  ASSERT_TRUE(ClickUntil(Centre(add), [&] { return OpenMenuOf(pid) != nullptr; })) << "no add menu";
  std::this_thread::sleep_for(300ms);
  Key(VK_DOWN);
  Key(VK_RETURN);
  const LRESULT rows = LRESULT(1 + expected.size());
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(mainList, LB_GETCOUNT, 0, 0) == rows; }, 20s))
      << "the playlist box shows " << SendMessageA(mainList, LB_GETCOUNT, 0, 0) << " rows";
  // The add leaves the results where they were.
  EXPECT_EQ(SendMessageA(results, LB_GETCOUNT, 0, 0), LRESULT(expected.size()));

  // The dialog closed; then the panel; closing again ends the program.
  PostMessageA(scan, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(scan) == FALSE; }, 15s)) << "the scan dialog did not close";
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 15s));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 15s));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(15s));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(ReadTextFile(program.File("DefPlayList.qvl")), playlist);
}

}  // namespace
}  // namespace wc::test
