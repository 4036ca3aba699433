#pragma once
// Places a picture's preview in a frame: the longer side becomes `side`
// pixels and the other keeps the aspect ratio (fraction dropped). A tall
// picture is centred horizontally 4 pixels below the frame's top; a wide (or
// square) one is centred vertically 4 pixels right of the frame's left.

namespace wc {

struct FitResult {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Negative picture sizes count as 0; a 0 x 0 picture gives the frame's
// top-left corner with size 0 x 0.
FitResult FitPicture(int width, int height, int side, int frameLeft, int frameTop, int frameWidth, int frameHeight);

}  // namespace wc
