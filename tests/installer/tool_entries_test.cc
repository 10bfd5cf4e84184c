// Tool entries: which menu names are ours and the order of a moved group.
#include "tool_entries.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::vector<std::string> Names(const KeyValues& keys) {
  std::vector<std::string> names;
  for (const auto& kv : keys)
    names.push_back(kv.first);
  return names;
}

TEST(ToolEntries, OwnMenuNamesMatchExactly) {
  EXPECT_TRUE(IsOwnMenuItem("Korvane BEFORE_EXE"));
  EXPECT_TRUE(IsOwnMenuItem("Korvane AFTER_COMP"));
  EXPECT_FALSE(IsOwnMenuItem("Korvane OTHER"));
  EXPECT_FALSE(IsOwnMenuItem("Korvane "));
  EXPECT_FALSE(IsOwnMenuItem("korvane BEFORE_EXE"));
  EXPECT_FALSE(IsOwnMenuItem("Korvane before_exe"));
  EXPECT_FALSE(IsOwnMenuItem("Korvane BEFORE_EXE "));
  EXPECT_FALSE(IsOwnMenuItem("Korvane  BEFORE_EXE"));
  EXPECT_FALSE(IsOwnMenuItem("KorvaneBEFORE_EXE"));
}

TEST(ToolEntries, EntryHoldsThirteenKeysForItsTrigger) {
  KeyValues keys = EntryKeys(kTriggers[1], "C:\\dir\\Korvane.exe");
  ASSERT_EQ(keys.size(), 13u);
  EXPECT_EQ(keys[0].second, "C:\\dir\\Korvane.exe");
  EXPECT_EQ(keys[1].second, "BEFORE_COMP \"%PATH\"");
  EXPECT_EQ(keys[3].second, "Korvane BEFORE_COMP");
  EXPECT_EQ(keys[6].second, "3");
}

TEST(ToolEntries, SdbmTakesBytesAsSigned) {
  EXPECT_EQ(SdbmHash(""), 0u);
  EXPECT_EQ(SdbmHash("\x80"), 0xFFFFFF80u);
  EXPECT_EQ(SdbmHash("A\xE4"), 0x410FE3u);
}

TEST(ToolEntries, MovedEntryKeysFollowTheHashMapOrder) {
  KeyValues moved = HashMapOrder(EntryKeys(kTriggers[0], "x"));
  EXPECT_EQ(Names(moved), (std::vector<std::string>{"Command", "ReloadSource", "Arguments", "Flags",
                                                    "HideEditor", "ConfigLine", "Shortcut",
                                                    "Trigger", "HideFromMenu", "SourceSpecific",
                                                    "Deactivate", "MenuItemName", "WorkingDir"}));
  EXPECT_EQ(moved[0].second, "x");
}

TEST(ToolEntries, SameBucketKeysComeOutNewestFirstAndRepeatsKeepTheFirst) {
  // "Aa" and "Ii" share bucket 96.
  KeyValues keys = {{"Aa", "1"}, {"Ii", "2"}, {"Aa", "3"}};
  KeyValues moved = HashMapOrder(keys);
  ASSERT_EQ(moved.size(), 2u);
  EXPECT_EQ(moved[0], (std::pair<std::string, std::string>{"Ii", "2"}));
  EXPECT_EQ(moved[1], (std::pair<std::string, std::string>{"Aa", "1"}));
}

}  // namespace
}  // namespace korvane
