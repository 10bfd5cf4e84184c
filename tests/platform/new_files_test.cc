// Files and folders the generator makes: exclusive creation that no link
// redirects, the private scratch folder and its removal that never follows a
// link. Streams, permission bits and names at the limit are tried end to end
// (tests/hostile).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../base/test_files.h"
#include "platform/files.h"

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

class NewFiles : public TestFolder {
 protected:
  void SetUp() override {
    TestFolder::SetUp();
    std::ofstream(dir_ / "victim") << "kept";
  }
  std::string At(const char* name) const { return (dir_ / name).string(); }
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

}  // namespace
}  // namespace tarnwick::platform
