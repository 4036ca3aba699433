#pragma once
// Whether a picture is wider than high or higher than wide, told from its
// header alone: choosing pictures for monitors by their shape must not cost
// a decode per candidate.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace wc {

enum class Shape { Landscape, Portrait };

// A square counts as landscape, as a square monitor would.
constexpr Shape ShapeOf(int64_t width, int64_t height) { return height > width ? Shape::Portrait : Shape::Landscape; }

// From the file's first bytes (a few kilobytes hold every header but a
// JPEG's, whose size may follow a long Exif block). nullopt when they do not
// tell: a kind without a size in its header, a damaged or cut header.
std::optional<Shape> ShapeFromHeader(std::span<const uint8_t> head);

// The picture file's shape: its header read, never the picture. nullopt for
// a file that cannot be read or does not tell.
std::optional<Shape> ShapeOfPictureFile(const std::string& path);

}  // namespace wc
