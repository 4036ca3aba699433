#include "common/file_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "temp_dir.h"

namespace {

using wc::test::TempDir;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A write given up before Replace leaves the old file as it was and no
// temporary; one that reaches Replace takes the file's place.
TEST(ReplacingWriteTest, TheTargetChangesOnlyWhenTheNewFileIsWhole) {
  TempDir dir;
  const std::string path = dir.file("settings.ini");
  std::ofstream(path, std::ios::binary) << "old";
  {
    wc::ReplacingFile file(path);
    ASSERT_NE(file.get(), nullptr);
    std::fputs("half", file.get());
  }
  EXPECT_EQ(Read(path), "old");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));

  wc::ReplacingFile file(path);
  ASSERT_NE(file.get(), nullptr);
  std::fputs("new", file.get());
  EXPECT_TRUE(file.Finish());
  EXPECT_EQ(Read(path), "new");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));

  // A target that cannot be replaced (a folder in its way) reports it and
  // leaves nothing behind.
  const std::string folder = dir.file("folder");
  std::filesystem::create_directory(folder);
  std::filesystem::create_directory(folder + "/inside");
  {
    wc::ReplacingWrite beside(folder);
    std::ofstream(beside.Temp(), std::ios::binary) << "x";
    EXPECT_FALSE(beside.Replace());
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_FALSE(std::filesystem::exists(folder + ".new"));
}

}  // namespace
