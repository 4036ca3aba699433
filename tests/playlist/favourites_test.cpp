#include "playlist/favourites.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

using Lines = std::vector<std::string>;

// Favourites.qvl grows by whole entries, each picture once however it is
// spelt, and what the file held stays.
TEST(Favourites, EachPictureIsAddedOnceAfterWhatTheFileHeld) {
  Lines lines{"C:\\Pictures\\Dune.jpg", "Dune", "D:\\own.bmp", "my own name"};
  EXPECT_EQ(AddFavourites(lines, {"c:\\pictures\\DUNE.jpg", "E:\\new.png", "E:\\new.png", ""}), 1u);
  EXPECT_EQ(lines, (Lines{"C:\\Pictures\\Dune.jpg", "Dune", "D:\\own.bmp", "my own name", "E:\\new.png", "new"}));
  EXPECT_EQ(AddFavourites(lines, {"E:\\NEW.PNG"}), 0u);
  EXPECT_EQ(lines.size(), 6u);

  Lines empty;
  EXPECT_EQ(AddFavourites(empty, {"A:\\a.jpg", "B:\\b.jpg"}), 2u);
  EXPECT_EQ(empty, (Lines{"A:\\a.jpg", "a", "B:\\b.jpg", "b"}));

  // A file cut short after a path: that entry gets an empty name and the
  // new one stays a whole pair.
  Lines cut{"C:\\x.jpg", "x", "C:\\y.jpg"};
  EXPECT_EQ(AddFavourites(cut, {"C:\\y.jpg", "C:\\z.jpg"}), 1u);
  EXPECT_EQ(cut, (Lines{"C:\\x.jpg", "x", "C:\\y.jpg", "", "C:\\z.jpg", "z"}));
}

}  // namespace
}  // namespace wc
