#include "wallpaper/movie_page.h"

#include "common/text.h"

namespace wc {

std::string MoviePageText(const std::string& path, int64_t width, int64_t height) {
  const std::string crlf = "\r\n";
  std::string page;
  page += "<html>" + crlf;
  page += "<head>" + crlf;
  page += "<title>" + path + "</title>" + crlf;
  page += "</head>" + crlf;
  page += "<body leftMargin=0 topMargin=0>" + crlf;
  page += "<IMG DYNSRC=\"" + path + "\" WIDTH=" + IntToText(width) + " HEIGHT=" + IntToText(height) +
          " LOOP=INFINITE ALIGN=center>" + crlf;
  page += "</body>" + crlf;
  page += "</html>" + crlf;
  return page;
}

}  // namespace wc
