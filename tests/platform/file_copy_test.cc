// The copy that places generated files: every byte value survives, a longer
// old destination is cut to the new size, and a missing or unreadable source
// leaves the destination as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../base/test_bytes.h"
#include "platform/files.h"

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class FileCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("file_copy_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(FileCopy, CopiesEveryByteAndCutsALongerDestination) {
  std::string bytes;
  for (int round = 0; round < 5000; ++round)
    for (int b = 0; b < 256; ++b)
      bytes.push_back(static_cast<char>(b));
  WriteAll(dir_ / "from", bytes);
  WriteAll(dir_ / "to", bytes + bytes);
  ASSERT_TRUE(CopyFileContents((dir_ / "from").string(), (dir_ / "to").string()));
  EXPECT_EQ(ReadAll(dir_ / "to"), bytes);

  WriteAll(dir_ / "empty", "");
  ASSERT_TRUE(CopyFileContents((dir_ / "empty").string(), (dir_ / "to").string()));
  EXPECT_EQ(fs::file_size(dir_ / "to"), 0u);
}

TEST_F(FileCopy, MissingOrUnreadableSourceLeavesTheDestination) {
  WriteAll(dir_ / "to", "kept");
  EXPECT_FALSE(CopyFileContents((dir_ / "absent").string(), (dir_ / "to").string()));
  EXPECT_FALSE(CopyFileContents(dir_.string(), (dir_ / "to").string())) << "a directory";
  EXPECT_EQ(ReadAll(dir_ / "to"), "kept");
  EXPECT_FALSE(CopyFileContents((dir_ / "absent").string(), (dir_ / "sub" / "x").string()));
}

}  // namespace
}  // namespace tarnwick::platform
