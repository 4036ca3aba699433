#pragma once
// The material a soak run works on: a folder tree of pictures of every kind
// (sound, damaged, missing, named in several scripts, a few with very long
// paths), a scratch folder that file operations may change, a playlist of a
// few hundred entries over all of it, and a first settings.ini.
#include <cstdint>
#include <string>
#include <vector>

namespace wc::soak {

// A small generator whose draws depend only on the seed: the same seed makes
// the same material and the same run of actions.
class Rng {
 public:
  // The seed is mixed first: seeds one apart would otherwise give the same
  // draws one place apart.
  explicit Rng(uint64_t seed) : state_(Mix(seed ^ 0x632BE59BD9B4E5Bull)) {}
  uint64_t Next() { return Mix(state_ += 0x9E3779B97F4A7C15ull); }
  // 0 ... n - 1 (0 for n <= 1).
  int Below(int n) { return n <= 1 ? 0 : int(Next() % uint64_t(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T>
  const T& Pick(const std::vector<T>& v) {
    return v[size_t(Below(int(v.size())))];
  }

 private:
  static uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint64_t state_;
};

// Where things are, as Windows paths without a trailing backslash.
struct Layout {
  std::string root;
  std::string program;   // the program's folder
  std::string pictures;  // the picture tree: read, never changed
  std::string scratch;   // what file operations and saves may change
  std::string scratchPictures;
  std::string scratchOut;
  std::string guard;     // files nobody names: never changed
  explicit Layout(const std::string& rootFolder);
};

struct Material {
  std::vector<std::string> playlist;   // the playlist's lines (path, name, ...)
  std::vector<std::string> pictures;   // readable pictures of the tree
  std::vector<std::string> pages;      // HTML pages and movies
  std::vector<std::string> playlists;  // .qvl files in scratch that Load/Append may open
  std::string language;
};

// Makes the tree, the scratch folder, the guard files, the playlist and the
// settings beside the program. Throws std::runtime_error when a file cannot
// be made.
Material MakeMaterial(const Layout& at, Rng& rng);

// Puts back the scratch pictures that file operations moved, renamed or deleted.
void RefillScratch(const Layout& at, Rng& rng);

// Encoders for the formats the program is learning to read; written by hand
// so that the run needs no library of its own for them.
std::vector<uint8_t> EncodePng(int width, int height, uint32_t colour);
std::vector<uint8_t> EncodeGif(int width, int height, uint32_t colour);
std::vector<uint8_t> EncodeTiff(int width, int height, uint32_t colour);

}  // namespace wc::soak
