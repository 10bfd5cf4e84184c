// Files read in blocks or whole and text streamed into files: every byte
// arrives whatever the block boundaries, a file that cannot be read says so
// before anything is written, and a failed write is reported.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/file_blocks.h"
#include "base/file_sink.h"
#include "base/whole_file.h"
#include "test_files.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

class BaseFiles : public TestFolder {
 protected:
};

TEST_F(BaseFiles, SameFileBytesComparesAcrossBlocks) {
  const std::string big = Pattern(3 * kFileBlockSize + 5);
  std::string lastDiffers = big;
  lastDiffers.back() ^= 1;
  struct Case {
    std::string a, b;
    bool same;
  };
  for (const Case& c : {Case{big, big, true}, Case{big, lastDiffers, false},
                        Case{big, big.substr(0, 2 * kFileBlockSize), false}, Case{"", "", true},
                        Case{"", "x", false}}) {
    const std::string a = Make("a", c.a);
    const std::string b = Make("b", c.b);
    EXPECT_EQ(SameFileBytes(a, b), c.same) << c.a.size() << " and " << c.b.size();
    EXPECT_EQ(SameFileBytes(b, a), c.same) << c.b.size() << " and " << c.a.size();
  }
  const std::string file = Make("a", "x");
  for (const fs::path& unreadable : {dir_ / "missing", dir_}) {
    EXPECT_FALSE(SameFileBytes(unreadable.string(), file)) << unreadable;
    EXPECT_FALSE(SameFileBytes(file, unreadable.string())) << unreadable;
  }
}

TEST_F(BaseFiles, ReadWholeFileMakesRoomOnceForAStatedSize) {
  for (std::size_t size : {std::size_t{100}, kFileBlockSize, 5 * kFileBlockSize + 3}) {
    const std::optional<std::string> bytes = ReadWholeFile(Make("f", Pattern(size)));
    ASSERT_TRUE(bytes) << size;
    EXPECT_EQ(*bytes, Pattern(size));
    EXPECT_LT(bytes->capacity(), size + 64) << "grown by doubling";
  }
  EXPECT_FALSE(ReadWholeFile(dir_.string()));
  EXPECT_FALSE(ReadWholeFile((dir_ / "missing").string()));
}

TEST_F(BaseFiles, FileSinkOpensAtTheFirstWriteAndReportsFailures) {
  const std::string path = (dir_ / "out").string();
  const std::string big = Pattern(2 * kFileBlockSize + 9);
  {
    FileSink sink(path);
    EXPECT_FALSE(fs::exists(path)) << "created before anything was written";
    for (std::string_view piece :
         {std::string_view("ab"), std::string_view(), std::string_view(big)})
      sink.Write(piece);
    EXPECT_TRUE(sink.Finish());
  }
  EXPECT_EQ(ReadAll(path), "ab" + big);
  FileSink nothing(path);
  EXPECT_TRUE(nothing.Finish());
  EXPECT_EQ(fs::file_size(path), 0u) << "an empty text cuts the file";

  FileSink missingFolder((dir_ / "missing" / "out").string());
  missingFolder.Write("x");
  EXPECT_FALSE(missingFolder.Finish());
  EXPECT_FALSE(FileBlocks(dir_.string()).Readable()) << "a directory fails at its first read";
  if (fs::exists("/dev/full")) {
    FileSink full("/dev/full");
    full.Write(big);
    EXPECT_FALSE(full.Finish()) << "a full disk";
  }
}

}  // namespace
}  // namespace tarnwick
