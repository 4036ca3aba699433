#pragma once
// The tree of 100 000 empty pictures (100 folders of 1000) that the folder
// reader's and the disk search's benchmarks walk, and the bare walk they are
// measured against.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace bench {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000;
constexpr int kFiles = kFolders * kFilesPerFolder;

// Made once and kept: a marker file says the tree is whole.
inline void MakeTree(const std::string& root) {
  const std::string marker = root + "-complete.txt";
  if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  CreateDirectoryA(root.c_str(), nullptr);
  auto start = std::chrono::steady_clock::now();
  for (int f = 0; f < kFolders; ++f) {
    std::string folder = root + "\\folder" + std::to_string(f);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kFilesPerFolder; ++i) {
      std::string file = folder + "\\picture" + std::to_string(i) + ".jpg";
      HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
  }
  HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  std::printf("made %d files in %.1f s\n", kFiles,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

// The same walk as the reader's, without the hand-over: a folder's files,
// then its subfolders.
inline int BareWalk(const std::string& dir) {
  int found = 0;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((dir + "*.*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM))) ++found;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  find = FindFirstFileA((dir + "*.*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.cFileName[0] != '.') {
        found += BareWalk(dir + entry.cFileName + "\\");
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  return found;
}

}  // namespace bench
