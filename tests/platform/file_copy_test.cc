// The copy that places generated files: every byte value survives, a longer
// old destination is cut to the new size, and a missing or unreadable source
// leaves the destination as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../base/test_files.h"
#include "platform/files.h"

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

class FileCopy : public TestFolder {};

TEST_F(FileCopy, CopiesEveryByteAndCutsALongerDestination) {
  std::string bytes;
  for (int round = 0; round < 5000; ++round)
    for (int b = 0; b < 256; ++b)
      bytes.push_back(static_cast<char>(b));
  Make("from", bytes);
  Make("to", bytes + bytes);
  ASSERT_TRUE(CopyFileContents((dir_ / "from").string(), (dir_ / "to").string()));
  EXPECT_EQ(ReadAll(dir_ / "to"), bytes);

  Make("empty", "");
  ASSERT_TRUE(CopyFileContents((dir_ / "empty").string(), (dir_ / "to").string()));
  EXPECT_EQ(fs::file_size(dir_ / "to"), 0u);
}

TEST_F(FileCopy, MissingOrUnreadableSourceLeavesTheDestination) {
  Make("to", "kept");
  EXPECT_FALSE(CopyFileContents((dir_ / "absent").string(), (dir_ / "to").string()));
  EXPECT_FALSE(CopyFileContents(dir_.string(), (dir_ / "to").string())) << "a directory";
  EXPECT_EQ(ReadAll(dir_ / "to"), "kept");
  EXPECT_FALSE(CopyFileContents((dir_ / "absent").string(), (dir_ / "sub" / "x").string()));
}

}  // namespace
}  // namespace tarnwick::platform
