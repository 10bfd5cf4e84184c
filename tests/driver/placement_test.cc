// Placement block by block: a file of many blocks arrives whole under its
// name (keeping the old permission bits) and in a pipe, and a copy that
// fails on the way (an unreadable source, a full disk) leaves no staging
// file and the old destination.
#include "driver/placement.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "../base/test_files.h"
#include "base/file_blocks.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

class Placement : public TestFolder {
 protected:
  void SetUp() override {
    TestFolder::SetUp();
    source_ = Make("source", big_);
  }
  int StagingFilesLeft() const {
    int left = 0;
    for (const auto& entry : fs::directory_iterator(dir_))
      left += entry.path().filename().string().find(".part-") != std::string::npos;
    return left;
  }
  // Places the source at `out` under a file size limit of two blocks (writes
  // past it fail as on a full disk); true when that failed cleanly.
  bool PlaceOnAFullDisk(const std::string& out) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{2 * kFileBlockSize, 2 * kFileBlockSize};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
    const std::optional<std::string> problem = PlaceFile(source_, out, scratch_);
    return problem && *problem == "Cannot write " + out && ReadAll(out) == "old" &&
           StagingFilesLeft() == 0;
  }
  const std::string big_ = Pattern(4 * kFileBlockSize + 17);
  std::string source_;
  ScratchFiles scratch_;
};

TEST_F(Placement, ManyBlocksArriveWholeInAFileAndInAPipe) {
  const std::string out = Make("out.pb", "old");
  fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(PlaceFile(source_, out, scratch_), std::nullopt);
  EXPECT_EQ(ReadAll(out), big_);
  EXPECT_EQ(fs::status(out).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  const std::string fifo = (dir_ / "pipe.pb").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // A writer of the test's own keeps the pipe from ending until the
  // placement returned, however it went; the reader then meets the end.
  const int readEnd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(readEnd, 0);
  const int heldOpen = open(fifo.c_str(), O_WRONLY);
  ASSERT_EQ(fcntl(readEnd, F_SETFL, 0), 0);
  std::string piped;
  std::thread reader([&] {
    char block[4096];
    for (ssize_t got; (got = read(readEnd, block, sizeof block)) > 0;)
      piped.append(block, static_cast<std::size_t>(got));
  });
  EXPECT_EQ(PlaceFile(source_, fifo, scratch_), std::nullopt);
  close(heldOpen);
  reader.join();
  close(readEnd);
  EXPECT_EQ(piped, big_);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(StagingFilesLeft(), 0);
}

TEST_F(Placement, AFailedCopyLeavesNoStagingFileAndTheOldDestination) {
  const std::string out = Make("out.pb", "old");
  const std::optional<std::string> problem = PlaceFile(dir_.string(), out, scratch_);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->rfind("Cannot find the file to copy", 0), 0u) << *problem;
  EXPECT_EQ(ReadAll(out), "old");
  EXPECT_EQ(StagingFilesLeft(), 0);

  // A full disk, as a file size limit of two blocks, in a child process: the
  // staging file runs into it in the middle of the copy.
  EXPECT_EXIT(std::exit(PlaceOnAFullDisk(out) ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tarnwick
