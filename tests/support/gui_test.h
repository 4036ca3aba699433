#pragma once
// The base of the tests that run windows under Wine: a fresh application
// with scripted prompts whose program file lives in a temporary folder, so
// every file the program writes beside itself lands there.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "scripted_prompts.h"
#include "temp_dir.h"
#include "ui/application.h"

namespace wc::test {

class GuiTest : public ::testing::Test {
 protected:
  GuiTest();
  ~GuiTest() override;

  // Runs the messages waiting now.
  void Pump();
  // Runs messages until `done` or the time is up; returns done().
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));
  // Runs messages for a while.
  void PumpFor(std::chrono::milliseconds time);

  // The program's folder, with a trailing backslash.
  std::string ExeFolder() const { return dir.path() + "\\"; }

  TempDir dir;
  ui::Application app;
  ScriptedPrompts prompts;
};

}  // namespace wc::test
