#include "wallpaper/screen_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace wc {

namespace {

// The source pixels one target pixel takes, with their weights (summing to 1).
struct Taps {
  std::vector<int> first;     // per target pixel: first source index
  std::vector<int> count;     // and how many follow
  std::vector<float> weight;  // all weights, target pixel after target pixel
  std::vector<size_t> at;     // where each target pixel's weights start
};

// For `targetLength` pixels covering [start, start + length) of a line of
// `sourceLength` pixels.
Taps MakeTaps(double start, double length, int sourceLength, int targetLength) {
  Taps taps;
  taps.first.resize(size_t(targetLength));
  taps.count.resize(size_t(targetLength));
  taps.at.resize(size_t(targetLength));
  const double ratio = length / targetLength;
  for (int i = 0; i < targetLength; ++i) {
    taps.at[size_t(i)] = taps.weight.size();
    const size_t begin = taps.weight.size();
    int first = 0;
    if (ratio > 1.0) {
      // Shrinking: the share of each source pixel under the target pixel.
      const double from = start + i * ratio, to = from + ratio;
      first = std::clamp(int(std::floor(from)), 0, sourceLength - 1);
      const int last = std::clamp(int(std::ceil(to)) - 1, first, sourceLength - 1);
      for (int s = first; s <= last; ++s) {
        const double cover = std::min(to, double(s + 1)) - std::max(from, double(s));
        taps.weight.push_back(float(std::max(cover, 0.0)));
      }
    } else {
      // Enlarging: between the two source pixels nearest the centre.
      const double centre = start + (i + 0.5) * ratio - 0.5;
      const int left = int(std::floor(centre));
      const double t = centre - left;
      first = std::clamp(left, 0, sourceLength - 1);
      const int second = std::clamp(left + 1, 0, sourceLength - 1);
      if (second == first) {
        taps.weight.push_back(1.0f);
      } else {
        taps.weight.push_back(float(1.0 - t));
        taps.weight.push_back(float(t));
      }
    }
    float sum = 0;
    for (size_t k = begin; k < taps.weight.size(); ++k) sum += taps.weight[k];
    if (sum <= 0) {
      taps.weight.resize(begin);
      taps.weight.push_back(1.0f);
      sum = 1.0f;
    }
    for (size_t k = begin; k < taps.weight.size(); ++k) taps.weight[k] /= sum;
    taps.first[size_t(i)] = first;
    taps.count[size_t(i)] = int(taps.weight.size() - begin);
  }
  return taps;
}

uint32_t ToPixel(float r, float g, float b) {
  auto byte = [](float v) { return uint32_t(std::clamp(int(v + 0.5f), 0, 255)); };
  return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

}  // namespace

FitPlan PlanScreenFit(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight, WallpaperStyle style) {
  FitPlan plan;
  plan.sourceWidth = pictureWidth;
  plan.sourceHeight = pictureHeight;
  plan.width = screenWidth;
  plan.height = screenHeight;
  if (pictureWidth <= 0 || pictureHeight <= 0 || screenWidth <= 0 || screenHeight <= 0 ||
      style == WallpaperStyle::Stretch) {
    return plan;
  }
  const double sx = double(screenWidth) / pictureWidth, sy = double(screenHeight) / pictureHeight;
  if (style == WallpaperStyle::Fill) {
    // The picture scaled by the larger factor; what overflows is cut evenly.
    const double scale = std::max(sx, sy);
    plan.sourceWidth = std::min<double>(pictureWidth, screenWidth / scale);
    plan.sourceHeight = std::min<double>(pictureHeight, screenHeight / scale);
    plan.sourceX = (pictureWidth - plan.sourceWidth) / 2;
    plan.sourceY = (pictureHeight - plan.sourceHeight) / 2;
  } else {
    const double scale = std::min(sx, sy);
    plan.width = std::clamp(int(std::lround(pictureWidth * scale)), 1, screenWidth);
    plan.height = std::clamp(int(std::lround(pictureHeight * scale)), 1, screenHeight);
    plan.left = (screenWidth - plan.width) / 2;
    plan.top = (screenHeight - plan.height) / 2;
  }
  return plan;
}

Image32 FitToScreen(const PixelView& picture, int screenWidth, int screenHeight, WallpaperStyle style,
                    uint32_t background) {
  Image32 screen = MakeImage(screenWidth, screenHeight, background & 0x00FFFFFF);
  if (screen.empty() || !picture.pixels || picture.width <= 0 || picture.height <= 0) return screen;
  const FitPlan plan = PlanScreenFit(picture.width, picture.height, screen.width, screen.height, style);
  ScaleArea(picture, plan.sourceX, plan.sourceY, plan.sourceWidth, plan.sourceHeight,
            screen.pixels.data() + size_t(plan.top) * size_t(screen.width) + size_t(plan.left), plan.width,
            plan.height, size_t(screen.width));
  return screen;
}

void ScaleArea(const PixelView& picture, double sourceX, double sourceY, double sourceWidth, double sourceHeight,
               uint32_t* target, int width, int height, size_t stride) {
  if (width <= 0 || height <= 0 || !picture.pixels || picture.width <= 0 || picture.height <= 0) return;
  const Taps columns = MakeTaps(sourceX, sourceWidth, picture.width, width);
  const Taps rows = MakeTaps(sourceY, sourceHeight, picture.height, height);
  // Only the columns the target takes are summed down the rows.
  const int firstColumn = columns.first.front();
  const int lastColumn = columns.first.back() + columns.count.back() - 1;
  const size_t span = size_t(lastColumn - firstColumn + 1);
  std::vector<float> line(span * 3);
  for (int y = 0; y < height; ++y) {
    std::fill(line.begin(), line.end(), 0.0f);
    const size_t at = rows.at[size_t(y)];
    for (int k = 0; k < rows.count[size_t(y)]; ++k) {
      const float w = rows.weight[at + size_t(k)];
      const uint32_t* source = picture.pixels + size_t(rows.first[size_t(y)] + k) * picture.stride + firstColumn;
      float* sum = line.data();
      for (size_t x = 0; x < span; ++x, sum += 3) {
        const uint32_t p = source[x];
        sum[0] += w * float((p >> 16) & 0xFF);
        sum[1] += w * float((p >> 8) & 0xFF);
        sum[2] += w * float(p & 0xFF);
      }
    }
    uint32_t* out = target + size_t(y) * stride;
    for (int x = 0; x < width; ++x) {
      const size_t wat = columns.at[size_t(x)];
      const float* sum = line.data() + size_t(columns.first[size_t(x)] - firstColumn) * 3;
      float r = 0, g = 0, b = 0;
      for (int k = 0; k < columns.count[size_t(x)]; ++k, sum += 3) {
        const float w = columns.weight[wat + size_t(k)];
        r += w * sum[0];
        g += w * sum[1];
        b += w * sum[2];
      }
      out[x] = ToPixel(r, g, b);
    }
  }
}

Image32 RenderForMonitor(const MonitorPicture& monitor, uint32_t background) {
  const PixelView& p = monitor.picture;
  switch (monitor.style) {
    case WallpaperStyle::Fill:
    case WallpaperStyle::Fit:
    case WallpaperStyle::Stretch:
      return FitToScreen(p, monitor.width, monitor.height, monitor.style, background);
    case WallpaperStyle::Span:
      // A picture spanned over a rectangle (the virtual screen) fills it.
      return FitToScreen(p, monitor.width, monitor.height, WallpaperStyle::Fill, background);
    case WallpaperStyle::Tile:
    case WallpaperStyle::Center:
    case WallpaperStyle::Custom:
      break;
  }
  Image32 out = MakeImage(monitor.width, monitor.height, background & 0x00FFFFFF);
  if (out.empty() || !p.pixels || p.width <= 0 || p.height <= 0) return out;
  // Centre: the picture's middle on the monitor's middle, cut where it does
  // not fit. Tile: copies from the monitor's top-left corner.
  const bool tile = monitor.style == WallpaperStyle::Tile;
  const int offsetX = tile ? 0 : (monitor.width - p.width) / 2, offsetY = tile ? 0 : (monitor.height - p.height) / 2;
  for (int y = 0; y < out.height; ++y) {
    int sy = y - offsetY;
    if (tile) sy %= p.height;
    if (sy < 0 || sy >= p.height) continue;
    const uint32_t* row = p.pixels + size_t(sy) * p.stride;
    uint32_t* to = out.pixels.data() + size_t(y) * size_t(out.width);
    for (int x = 0; x < out.width; ++x) {
      int sx = x - offsetX;
      if (tile) sx %= p.width;
      if (sx >= 0 && sx < p.width) to[x] = row[sx] & 0x00FFFFFF;
    }
  }
  return out;
}

Image32 ComposeDesktop(const std::vector<MonitorPicture>& monitors, int screenWidth, int screenHeight,
                       uint32_t background) {
  std::vector<Image32> rendered;
  for (const MonitorPicture& m : monitors) rendered.push_back(RenderForMonitor(m, background));
  return PlaceOnDesktop(monitors, rendered, screenWidth, screenHeight, background);
}

Image32 PlaceOnDesktop(const std::vector<MonitorPicture>& monitors, const std::vector<Image32>& rendered,
                       int screenWidth, int screenHeight, uint32_t background) {
  Image32 desktop = MakeImage(screenWidth, screenHeight, background & 0x00FFFFFF);
  if (desktop.empty()) return desktop;
  auto wrap = [](int v, int size) { return ((v % size) + size) % size; };
  for (size_t k = 0; k < monitors.size() && k < rendered.size(); ++k) {
    const MonitorPicture& m = monitors[k];
    const Image32& part = rendered[k];
    for (int y = 0; y < part.height; ++y) {
      uint32_t* row = desktop.pixels.data() + size_t(wrap(m.top + y, screenHeight)) * size_t(screenWidth);
      const uint32_t* from = part.pixels.data() + size_t(y) * size_t(part.width);
      for (int x = 0; x < part.width; ++x) row[wrap(m.left + x, screenWidth)] = from[x];
    }
  }
  return desktop;
}

}  // namespace wc
