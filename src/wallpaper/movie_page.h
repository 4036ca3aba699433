#pragma once
// The HTML page that puts a movie file on the desktop: eight CR LF-ended lines
// embedding the movie with the chosen width and height, looping forever.

#include <cstdint>
#include <string>

namespace wc {

// The page's exact bytes; path is inserted unchanged, width and height as
// plain decimal numbers.
std::string MoviePageText(const std::string& path, int64_t width, int64_t height);

}  // namespace wc
