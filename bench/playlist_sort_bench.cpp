// Sorting a playlist by path: the tournament that reproduces the selection
// sort's order on 100 000 entries against std::sort of the same paths, and
// the selection sort itself on 10 000 for comparison.
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench.h"
#include "playlist/playlist.h"
#include "playlist/playlist_sort.h"

namespace {

// Paths as a picture collection has them: a few roots, nested folders with
// shared prefixes, camera-style names, some duplicates.
std::vector<std::string> RealisticPaths(size_t n, unsigned seed) {
  std::mt19937 random(seed);
  const char* roots[] = {"C:\\Users\\Anna\\Pictures\\", "C:\\Users\\Anna\\Pictures\\Holidays\\",
                         "D:\\Photos\\", "D:\\Photos\\Camera\\", "E:\\Wallpapers\\"};
  std::vector<std::string> paths;
  paths.reserve(n);
  char name[64];
  for (size_t i = 0; i < n; ++i) {
    std::string p = roots[random() % 5];
    p += std::to_string(2000 + random() % 25) + "\\";
    p += std::to_string(1 + random() % 12) + "\\";
    std::snprintf(name, sizeof name, "IMG_%05u.%s", unsigned(random() % 60000), random() % 3 ? "jpg" : "JPG");
    p += name;
    paths.push_back(std::move(p));
  }
  return paths;
}

void LiteralSelectionSort(std::vector<std::string>& lines) {
  const size_t n = lines.size() / 2;
  for (size_t k = 0; k < n; ++k) {
    size_t smallest = k;
    for (size_t j = k + 1; j < n; ++j) {
      if (lines[2 * j] < lines[2 * smallest]) smallest = j;
    }
    if (lines[2 * smallest] < lines[2 * k]) {
      std::swap(lines[2 * k], lines[2 * smallest]);
      std::swap(lines[2 * k + 1], lines[2 * smallest + 1]);
    }
  }
}

}  // namespace

int main() {
  const std::vector<std::string> paths = RealisticPaths(100000, 7);
  wc::Playlist source;
  for (const std::string& p : paths) source.AppendEntry(p);

  auto bare = bench::Measure(5, [&] {
    std::vector<std::string> copy = paths;
    std::sort(copy.begin(), copy.end());
  });
  bench::Report("std::sort of 100 000 paths (copied)", bare);

  auto ours = bench::Measure(5, [&] {
    wc::Playlist list = source;
    wc::SortPlaylistByPath(list);
  });
  bench::Report("playlist sort of 100 000 entries (copied)", ours);
  std::printf("ratio playlist sort / std::sort (best): %.2f   (goal <= 3)\n", ours.best_ms / bare.best_ms);

  std::vector<std::string> small;
  for (size_t k = 0; k < 10000; ++k) {
    small.push_back(source.Path(k));
    small.push_back(source.Name(k));
  }
  auto literal = bench::Measure(1, [&] {
    std::vector<std::string> copy = small;
    LiteralSelectionSort(copy);
  });
  bench::Report("selection sort itself, 10 000 entries", literal);
  auto oursSmall = bench::Measure(5, [&] {
    wc::Playlist list;
    list.Lines() = small;
    wc::SortPlaylistByPath(list);
  });
  bench::Report("playlist sort, the same 10 000 entries", oursSmall);

  // The same order as the selection sort, checked on the 10 000.
  std::vector<std::string> expected = small;
  LiteralSelectionSort(expected);
  wc::Playlist check;
  check.Lines() = small;
  wc::SortPlaylistByPath(check);
  const bool same = check.Lines() == expected;
  std::printf("same order as the selection sort: %s\n", same ? "yes" : "NO");
  return same ? 0 : 1;
}
