#include "wallpaper/movie_page.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

TEST(MoviePageTest, ExactBytes) {
  const std::string expected =
      "<html>\r\n"
      "<head>\r\n"
      "<title>C:\\Movies\\clip one.avi</title>\r\n"
      "</head>\r\n"
      "<body leftMargin=0 topMargin=0>\r\n"
      "<IMG DYNSRC=\"C:\\Movies\\clip one.avi\" WIDTH=320 HEIGHT=240 LOOP=INFINITE ALIGN=center>\r\n"
      "</body>\r\n"
      "</html>\r\n";
  EXPECT_EQ(MoviePageText("C:\\Movies\\clip one.avi", 320, 240), expected);
}

TEST(MoviePageTest, NumbersArePlainDecimal) {
  const std::string page = MoviePageText("m.mpg", -5, 0);
  EXPECT_NE(page.find("\"m.mpg\" WIDTH=-5 HEIGHT=0 LOOP"), std::string::npos);
  EXPECT_EQ(MoviePageText("", 800, 600).substr(0, 31), "<html>\r\n<head>\r\n<title></title>");
}

}  // namespace
}  // namespace wc
