#include "gui_test.h"

#include <windows.h>

namespace wc::test {

GuiTest::GuiTest() {
  app.SetPrompts(&prompts);
  app.SetExeName(dir.file("WallpaperChanger.exe"));
  app.Arguments.clear();  // the test program's own arguments are not the program's
}

GuiTest::~GuiTest() { app.SetPrompts(nullptr); }

void GuiTest::Pump() { app.ProcessMessages(); }

bool GuiTest::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return done();
    app.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void GuiTest::PumpFor(std::chrono::milliseconds time) {
  auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    app.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace wc::test
