#pragma once
// The program's error for the user: what() is the text shown. Portable code
// throws it as the window layer does; the window layer's error boundary shows
// it in a box.
#include <stdexcept>

namespace wc {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace wc
