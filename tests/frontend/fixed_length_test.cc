// FixedLength of parsed rules: the one length in bytes of their texts.
#include "regex/fixed_length.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "frontend/regex_parser.h"

namespace tarnwick {
namespace {

TEST(FixedLength, OfParsedRules) {
  struct Case {
    std::string_view rule;
    std::optional<int64_t> length;
  };
  const std::vector<Case> cases = {
      {"abc", 3}, {"a|b", 1},     {"ab|cd", 2}, {"a|bc", std::nullopt}, {"a*", {}},      {"a+", {}},
      {"a?", {}}, {"(ab){3}", 6}, {"", 0},      {"<<EOF>>", 0},         {"a<<EOF>>", 1}, {"()*", 0},
      {"[]", {}}, {"a|[]b", 1},   {"[]*", 0},   {"a{2,3}", {}},         {"x{0}", 0},
  };
  for (const Case& c : cases) {
    auto root = RegexNode::MakeRoot();
    ErrorState error;
    ASSERT_NE(ParseRegex(*root, c.rule, CaseTable::Windows1252(), error), 0) << c.rule;
    EXPECT_EQ(FixedLength(*root->children.back()), c.length) << c.rule;
  }
}

}  // namespace
}  // namespace tarnwick
