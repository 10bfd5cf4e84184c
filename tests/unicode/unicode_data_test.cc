// The generated tables as bracket classes and %nocase use them: the
// categories partition the characters, groups are unions of their
// categories, and case widening joins exactly the characters that fold alike.
#include <gtest/gtest.h>

#include "unicode/case_folding.h"
#include "unicode/general_category.h"
#include "unicode/unicode_data.h"

namespace tarnwick::unicode {
namespace {

CodePointSet Category(std::string_view name) {
  CodePointSet set;
  EXPECT_TRUE(AddGeneralCategory(name, set)) << name;
  return set;
}

CodePointSet Of(std::initializer_list<char32_t> members) {
  CodePointSet set;
  for (char32_t c : members)
    set.Add(c);
  return set;
}

TEST(GeneralCategory, CategoriesPartitionEveryCharacter) {
  ASSERT_EQ(GeneralCategoryTables().size(), 29u);
  CodePointSet all;
  std::size_t count = 0;
  for (const CategoryTable& table : GeneralCategoryTables()) {
    const CodePointSet set = Category(table.name);
    for (const CodePointRange& range : set.ranges()) {
      for (char32_t c = range.first; c <= range.last; ++c)
        ASSERT_FALSE(all.Contains(c)) << table.name << " " << std::hex << static_cast<uint32_t>(c);
      count += range.last - range.first + 1;
    }
    all.Add(set);
  }
  EXPECT_EQ(all, CodePointSet::All());
  EXPECT_EQ(count, 0x110000u - 0x800u);
}

TEST(GeneralCategory, NamesAndGroups) {
  EXPECT_TRUE(Category("Lu").Contains(U'A'));
  EXPECT_TRUE(Category("Ll").Contains(U'ä'));
  EXPECT_TRUE(Category("Lo").Contains(U'中'));
  EXPECT_TRUE(Category("Nd").Contains(U'٣'));
  EXPECT_TRUE(Category("Zs").Contains(0x3000));
  EXPECT_TRUE(Category("Co").Contains(0xE000));
  EXPECT_TRUE(Category("Cn").Contains(0x0378));
  EXPECT_FALSE(Category("C").Contains(0xD800));
  CodePointSet letters;
  for (std::string_view name : {"Lu", "Ll", "Lt", "Lm", "Lo"})
    letters.Add(Category(name));
  EXPECT_EQ(Category("L"), letters);
  for (std::string_view unknown : {"", "Cs", "Lx", "LL", "l", "Lul", "X"}) {
    CodePointSet set = Of({U'a'});
    EXPECT_FALSE(AddGeneralCategory(unknown, set)) << unknown;
    EXPECT_EQ(set, Of({U'a'}));
  }
}

TEST(CaseFolding, WideningJoinsWhatFoldsAlike) {
  auto widened = [](std::initializer_list<char32_t> members) {
    CodePointSet set = Of(members);
    WidenSimpleCase(set);
    return set;
  };
  EXPECT_EQ(widened({U'σ'}), Of({U'Σ', U'σ', U'ς'}));
  EXPECT_EQ(widened({U'ς'}), Of({U'Σ', U'σ', U'ς'}));
  EXPECT_EQ(widened({U'ǅ'}), Of({U'Ǆ', U'ǅ', U'ǆ'}));
  EXPECT_EQ(widened({U's'}), Of({U'S', U's', U'ſ'}));
  EXPECT_EQ(widened({U'ẞ'}), Of({U'ß', U'ẞ'}));
  EXPECT_EQ(widened({U'k'}), Of({U'K', U'k', 0x212A}));  // the Kelvin sign folds to k
  EXPECT_EQ(widened({U'1', U'中'}), Of({U'1', U'中'}));
  EXPECT_EQ(SimpleFold(U'Ä'), U'ä');
  EXPECT_EQ(SimpleFold(U'ä'), U'ä');
  EXPECT_EQ(SimpleFold(0x10400), 0x10428u);  // Deseret, outside the basic plane
  EXPECT_FALSE(UnicodeVersion().empty());
}

}  // namespace
}  // namespace tarnwick::unicode
