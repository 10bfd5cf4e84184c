// PreferenceFile: how lines are read, looked up, changed and written back.
#include "preference_file.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Kind = PreferenceFile::LineKind;

TEST(PreferenceFileRead, SplitsOnEveryLineEndAndClassifiesLines) {
  PreferenceFile file = PreferenceFile::Parse(
      "  [Group\r\n\t;  two spaces\rkey  \t=\t value \t\n\n   \r\n[Open\nbare \n;x\r\n");
  const auto& lines = file.lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].kind, Kind::kGroup);
  EXPECT_EQ(lines[0].name, "Group");
  EXPECT_EQ(lines[1].kind, Kind::kComment);
  EXPECT_EQ(lines[1].name, " two spaces");
  EXPECT_EQ(lines[2].kind, Kind::kKey);
  EXPECT_EQ(lines[2].name, "key");
  EXPECT_EQ(lines[2].value, "value \t");
  EXPECT_EQ(lines[3].name, "Open");
  EXPECT_EQ(lines[4].kind, Kind::kKey);
  EXPECT_EQ(lines[4].name, "bare");
  EXPECT_EQ(lines[4].value, "");
  EXPECT_EQ(lines[5].name, "x");
  EXPECT_FALSE(file.changed());
  EXPECT_FALSE(file.utf8());
}

TEST(PreferenceFileRead, GroupNameEndsAtFirstBracketAndKeyAtFirstEquals) {
  PreferenceFile file = PreferenceFile::Parse("[A]]tail\na=b=c\n");
  EXPECT_EQ(file.lines()[0].name, "A");
  EXPECT_EQ(file.ReadKey("A", "a"), "b=c");
}

TEST(PreferenceFileLookup, IgnoresLetterCaseAndStaysInsideTheGroup) {
  PreferenceFile file = PreferenceFile::Parse(
      "top = 1\n[toolsinfo]\ntoolcount = 3 \t\n[Other]\nExtra = 4\n[TOOLSINFO]\nToolCount = 9\n");
  EXPECT_TRUE(file.HasGroup("ToolsInfo"));
  EXPECT_EQ(file.ReadKey("ToolsInfo", "ToolCount"), "3");
  EXPECT_EQ(file.ReadKey("ToolsInfo", "Extra"), std::nullopt);
  EXPECT_EQ(file.ReadKey("Missing", "top"), std::nullopt);
  EXPECT_FALSE(file.HasGroup("Tools"));
  auto keys = file.KeysOf("OTHER");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0], (PreferenceFile::KeyValue{"Extra", "4"}));
}

TEST(PreferenceFileChange, ReplacesInPlaceAppendsToGroupOrFile) {
  PreferenceFile file = PreferenceFile::Parse("[A]\nx = 1\n; end of A\n[B]\ny = 2\n");
  file.WriteKey("a", "X", "10");
  file.WriteKey("A", "z", "3");
  file.WriteKey("C", "w", "4");
  EXPECT_TRUE(file.changed());
  EXPECT_EQ(file.Serialize(),
            "[A]\r\nx = 10\r\n; end of A\r\nz = 3\r\n[B]\r\ny = 2\r\n[C]\r\nw = 4\r\n");
}

TEST(PreferenceFileChange, RemovingAGroupTakesItsCommentsUpToTheNextGroup) {
  PreferenceFile file = PreferenceFile::Parse("[A]\na = 1\n[B]\n; note\nb = 2\n[C]\nc = 3\n");
  file.RemoveGroup("b");
  EXPECT_EQ(file.Serialize(), "[A]\r\na = 1\r\n[C]\r\nc = 3\r\n");
  file.RemoveGroup("C");
  EXPECT_EQ(file.Serialize(), "[A]\r\na = 1\r\n");
}

TEST(PreferenceFileChange, RemovingAMissingGroupChangesNothing) {
  PreferenceFile file = PreferenceFile::Parse("[A]\n");
  file.RemoveGroup("B");
  EXPECT_FALSE(file.changed());
}

TEST(PreferenceFileChange, RewritingTheSameValueStillCountsAsAChange) {
  PreferenceFile file = PreferenceFile::Parse("[A]\nk = v\n");
  file.WriteKey("A", "k", "v");
  EXPECT_TRUE(file.changed());
}

TEST(PreferenceFileSave, NormalisesLinesAndEndsEveryLineInCrLf) {
  PreferenceFile file = PreferenceFile::Parse("\n\n;c\n[G]\n\tk=v\nk2   =   v2  \r");
  EXPECT_EQ(file.Serialize(), "; c\r\n[G]\r\nk = v\r\nk2 = v2  \r\n");
}

TEST(PreferenceFileSave, Utf8FileKeepsItsMarkAndBytesAcrossRoundTrips) {
  const std::string text =
      "\xEF\xBB\xBF[G]\nName = Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC\n";
  PreferenceFile file = PreferenceFile::Parse(text);
  EXPECT_TRUE(file.utf8());
  EXPECT_EQ(file.ReadKey("G", "Name"),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC");
  const std::string saved = file.Serialize();
  EXPECT_EQ(saved,
            "\xEF\xBB\xBF\r\n[G]\r\nName = Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC\r\n");
  // The empty line after the mark is dropped again on the next reading.
  EXPECT_EQ(PreferenceFile::Parse(saved).Serialize(), saved);
}

TEST(PreferenceFileSave, EightBitBytesPassUnchangedWithoutAMark) {
  PreferenceFile file = PreferenceFile::Parse("[G]\nk = \xE4\xF6\xFC\xA7\n");
  EXPECT_FALSE(file.utf8());
  EXPECT_EQ(file.Serialize(), "[G]\r\nk = \xE4\xF6\xFC\xA7\r\n");
}

TEST(PreferenceFileSave, MarkBytesAfterABlankStartStayALineAcrossRewrites) {
  // The mark's bytes after a blank line or blanks do not make a UTF-8 file;
  // saving must not move them to the start where they would.
  for (const char* text : {"\r\xEF\xBB\xBFkey = v\n[G]\n", " \xEF\xBB\xBFkey = v\n[G]\n"}) {
    PreferenceFile file = PreferenceFile::Parse(text);
    ASSERT_FALSE(file.utf8());
    const std::string saved = file.Serialize();
    PreferenceFile again = PreferenceFile::Parse(saved);
    EXPECT_FALSE(again.utf8());
    ASSERT_EQ(again.lines().size(), 2u);
    EXPECT_EQ(again.lines()[0].name, "\xEF\xBB\xBFkey");
    EXPECT_EQ(again.Serialize(), saved);
  }
}

}  // namespace
}  // namespace korvane
