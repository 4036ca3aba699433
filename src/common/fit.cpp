#include "common/fit.h"

#include <cstdint>

namespace wc {

FitResult FitPicture(int width, int height, int side, int frameLeft, int frameTop, int frameWidth, int frameHeight) {
  const int64_t w = width > 0 ? width : 0;
  const int64_t h = height > 0 ? height : 0;
  if (w == 0 && h == 0) return FitResult{frameLeft, frameTop, 0, 0};
  FitResult r;
  if (h > w) {
    r.width = static_cast<int>(w * side / h);
    r.height = side;
    r.left = frameLeft + frameWidth / 2 - r.width / 2;
    r.top = frameTop + 4;
  } else {
    r.height = static_cast<int>(h * side / w);
    r.width = side;
    r.left = frameLeft + 4;
    r.top = frameTop + frameHeight / 2 - r.height / 2;
  }
  return r;
}

}  // namespace wc
