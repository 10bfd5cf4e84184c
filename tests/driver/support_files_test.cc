// Where the runtime include and the settings file are looked for: the
// program's folder, then share/tarnwick/ beside its parent, on both kinds of
// path; and the first folder that holds the file wins.
#include "driver/support_files.h"

#include <gtest/gtest.h>

#include <set>

namespace tarnwick {
namespace {

using Folders = std::vector<std::string>;

TEST(SupportFiles, ProgramFolderThenTheSharedFolderOfItsParent) {
  EXPECT_EQ(SupportDirectories("/usr/bin/"), (Folders{"/usr/bin/", "/usr/share/tarnwick/"}));
  EXPECT_EQ(SupportDirectories("C:\\Tools\\Tarnwick\\"),
            (Folders{"C:\\Tools\\Tarnwick\\", "C:\\Tools\\share\\tarnwick\\"}));
  // Parts that cannot be cut away textually are climbed over instead.
  EXPECT_EQ(SupportDirectories("/opt/x/../"),
            (Folders{"/opt/x/../", "/opt/x/../../share/tarnwick/"}));
  EXPECT_EQ(SupportDirectories("/"), (Folders{"/", "/../share/tarnwick/"}));
  EXPECT_EQ(SupportDirectories("C:\\"), (Folders{"C:\\", "C:\\..\\share\\tarnwick\\"}));
  EXPECT_EQ(SupportDirectories(""), (Folders{"", "../share/tarnwick/"}));
}

TEST(SupportFiles, TheFirstFolderHoldingTheFileWins) {
  std::set<std::string> present{"/usr/share/tarnwick/PBTarnwickInc.pbi", "/usr/bin/Yarrowkit.ini",
                                "/usr/share/tarnwick/Yarrowkit.ini"};
  auto exists = [&](const std::string& path) { return present.count(path) > 0; };
  const Folders folders = SupportDirectories("/usr/bin/");
  EXPECT_EQ(FindSupportFile(folders, "PBTarnwickInc.pbi", exists),
            "/usr/share/tarnwick/PBTarnwickInc.pbi");
  EXPECT_EQ(FindSupportFile(folders, "Yarrowkit.ini", exists), "/usr/bin/Yarrowkit.ini");
  EXPECT_EQ(FindSupportFile(folders, "absent", exists), "");
}

}  // namespace
}  // namespace tarnwick
