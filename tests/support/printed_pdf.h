#pragma once
// Reading back what the PDF printer printed: the PDF files of the cups-pdf
// queue (in the user's ~/PDF) and a page of one turned into pixels by the
// host's pdftoppm, which Wine starts like any other program.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace wc::test {

struct Rgb {
  int r, g, b;
};

struct PrintedPage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  Rgb At(int x, int y) const {
    const size_t i = (size_t(y) * size_t(width) + size_t(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

// The folder the PDF queue writes into, as a Windows path; "" without HOME.
std::string PdfFolder();
// The PDF files there now (full paths).
std::set<std::string> PdfFiles();
// Waits up to `seconds` for a PDF that is not in `before` and has stopped
// growing; "" when none came.
std::string WaitForNewPdf(const std::set<std::string>& before, int seconds);
// The first page at `dpi`; false when pdftoppm failed.
bool RenderPdfPage(const std::string& pdf, int dpi, PrintedPage& page);
// Within `tolerance` in each channel.
bool ColourNear(Rgb c, int r, int g, int b, int tolerance = 40);
// True when Windows has a default printer.
bool HavePrinter();

}  // namespace wc::test
