// Files and folders the generator makes: exclusive creation that no link
// redirects, the private scratch folder, its removal that never follows a
// link, and the stream targets that are written into.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class NewFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("new_files_test_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    std::ofstream(dir_ / "victim") << "kept";
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string At(const char* name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(NewFiles, AnExistingNameOrLinkIsNeverWrittenThrough) {
  fs::create_symlink(dir_ / "victim", dir_ / "link");
  fs::create_symlink(dir_ / "absent", dir_ / "dangling");
  for (const char* name : {"victim", "link", "dangling"})
    EXPECT_EQ(WriteNewFile(At(name), "new"), NewFile::kExists) << name;
  EXPECT_EQ(ReadAll(dir_ / "victim"), "kept");
  EXPECT_FALSE(fs::exists(dir_ / "absent"));

  ASSERT_EQ(WriteNewFile(At("fresh"), "new", 0640), NewFile::kCreated);
  EXPECT_EQ(ReadAll(dir_ / "fresh"), "new");
  EXPECT_EQ(fs::status(dir_ / "fresh").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(NewFiles, UniqueFilesGetTheirOwnNames) {
  const MadeName first = WriteUniqueFile(dir_.string() + "/", ".x.part-", "one", std::nullopt);
  const MadeName second = WriteUniqueFile(dir_.string() + "/", ".x.part-", "two", std::nullopt);
  ASSERT_EQ(first.outcome, NewFile::kCreated);
  ASSERT_EQ(second.outcome, NewFile::kCreated);
  EXPECT_NE(first.path, second.path);
  EXPECT_EQ(fs::path(first.path).filename().string().size(), 8 + kUniqueTailLength);
  EXPECT_EQ(ReadAll(second.path), "two");
  EXPECT_TRUE(WriteUniqueFile(At("missing") + "/", "x-", "", std::nullopt).path.empty());
}

TEST_F(NewFiles, PrivateFolderIsTheOwnersAloneAndGoesWithoutFollowingLinks) {
  const std::string folder = CreatePrivateFolder(dir_.string() + "/", "tarnwick-");
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(fs::path(folder).filename().string().rfind("tarnwick-", 0), 0u);
  EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
  EXPECT_NE(CreatePrivateFolder(dir_.string() + "/", "tarnwick-"), folder);

  fs::create_symlink(dir_ / "victim", fs::path(folder) / "link");
  ASSERT_EQ(WriteNewFile(folder + "/tarnwick.pb", "scanner"), NewFile::kCreated);
  EXPECT_TRUE(RemoveFolder(folder));
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(ReadAll(dir_ / "victim"), "kept");
  EXPECT_TRUE(RemoveFolder(folder)) << "a folder already gone";
}

TEST_F(NewFiles, StreamsAreKnownAtTheEndOfEveryLink) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  const std::string pipeName = "/proc/self/fd/" + std::to_string(ends[1]);
  ASSERT_EQ(mkfifo(At("fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", dir_ / "null");
  for (const std::string& name : {pipeName, At("fifo"), At("null"), std::string("/dev/null")})
    EXPECT_TRUE(IsStreamTarget(name)) << name;
  for (const char* name : {"victim", "absent"})
    EXPECT_FALSE(IsStreamTarget(At(name))) << name;
  EXPECT_FALSE(IsStandardOutput(At("victim")));
  close(ends[0]);
  close(ends[1]);
  EXPECT_TRUE(IsDirectory(dir_.string()));
  EXPECT_FALSE(IsDirectory(At("victim")));
}

TEST_F(NewFiles, PermissionBitsOfRegularFilesOnly) {
  fs::permissions(dir_ / "victim", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(PermissionBits(At("victim")), 0600u);
  EXPECT_EQ(PermissionBits(dir_.string()), std::nullopt);
  EXPECT_EQ(PermissionBits(At("absent")), std::nullopt);
  EXPECT_GE(FileNameLimit(dir_.string() + "/"), 14u);
}

}  // namespace
}  // namespace tarnwick::platform
