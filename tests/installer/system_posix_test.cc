// The POSIX file operations on real files in a scratch directory: the
// atomic replace must never leave a partial file or a stray temporary.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/system.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class PosixFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("korvane-files-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
  std::unique_ptr<System> system_ = MakeNativeSystem();
};

TEST_F(PosixFiles, ReadsWholeBinaryFilesAndRefusesMissingOnesAndFolders) {
  const std::string bytes("a\0b\r\n\xEF\xBB\xBF", 7);
  Write("f", bytes);
  EXPECT_EQ(system_->ReadFile(Path("f")), bytes);
  EXPECT_EQ(system_->ReadFile(Path("missing")), std::nullopt);
  EXPECT_EQ(system_->ReadFile(dir_.string()), std::nullopt);
}

TEST_F(PosixFiles, ReplaceKeepsPermissionsAndLeavesNoTemporary) {
  Write("prefs", std::string(10000, 'x'));
  ::chmod(Path("prefs").c_str(), 0640);
  ASSERT_TRUE(system_->ReplaceFile(Path("prefs"), "short"));
  EXPECT_EQ(system_->ReadFile(Path("prefs")), "short");
  struct stat info {};
  ASSERT_EQ(::stat(Path("prefs").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(PosixFiles, ReplaceThroughALinkChangesTheTargetAndKeepsTheLink) {
  Write("real", "old");
  fs::create_symlink(Path("real"), Path("link"));
  ASSERT_TRUE(system_->ReplaceFile(Path("link"), "new"));
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(system_->ReadFile(Path("real")), "new");
}

TEST_F(PosixFiles, ReplaceIntoAMissingFolderFails) {
  EXPECT_FALSE(system_->ReplaceFile(Path("no/such/file"), "x"));
  EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(PosixFiles, CopyOverwritesAnOlderCopy) {
  Write("a", "new contents");
  Write("a.bak", "a much longer old copy");
  EXPECT_TRUE(system_->CopyFile(Path("a"), Path("a.bak")));
  EXPECT_EQ(system_->ReadFile(Path("a.bak")), "new contents");
  EXPECT_FALSE(system_->CopyFile(Path("missing"), Path("b")));
}

}  // namespace
}  // namespace korvane
