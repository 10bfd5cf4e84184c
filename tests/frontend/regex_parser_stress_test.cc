// Robustness of ParseRegex: thousands of random expressions over the whole
// syntax (fixed seed), each checked against the byte sets its generator knows
// it wrote, so that every operand OR is seen to name exactly the classes of
// its bytes after every later split; and nesting a hundred thousand groups
// deep, which must neither overflow the stack nor leak (run under the
// sanitizers).
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "frontend/regex_parser.h"
#include "regex/class_refiner.h"
#include "regex/tree_walk.h"

namespace tarnwick {
namespace {

// The bytes that a backslash followed by `c` stands for, in and out of classes.
ByteSet EscapeBytes(char c) {
  ByteSet set{};
  if (c == 'n') {
    set[10] = set[13] = true;
  } else if (c == 't') {
    set[9] = true;
  } else {
    set[static_cast<uint8_t>(c)] = true;
  }
  return set;
}

// Writes random well-formed expressions and records, in text order, the byte
// set of every operand it writes.
class ExpressionWriter {
 public:
  ExpressionWriter(std::mt19937& random, const CaseTable& cases, bool nocase)
      : random_(random), cases_(cases), nocase_(nocase) {}

  std::string Write(std::vector<ByteSet>& operands) {
    operands_ = &operands;
    std::string text;
    Sequence(text, 0);
    return text;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  void Record(ByteSet set) {
    if (nocase_) {
      for (int b = 0; b < 256; ++b) {
        if (set[b]) set[cases_.lower[b]] = set[cases_.upper[b]] = true;
      }
    }
    operands_->push_back(set);
  }
  void RecordByte(int b) {
    ByteSet set{};
    set[b] = true;
    Record(set);
  }

  // A byte that is an operand by itself outside quotes and classes.
  int PlainByte() {
    static const std::string kPlain = "abcxyzABXYZ019'^$/,}-=:;!@#%&~_\x80\xA7\xC9\xE9\xFF";
    return static_cast<uint8_t>(kPlain[Pick(static_cast<int>(kPlain.size()))]);
  }

  void Blanks(std::string& text) {
    if (Pick(5) == 0) text += Pick(2) ? " " : "\t";
  }

  void Sequence(std::string& text, int depth) {
    const int items = Pick(5);
    for (int i = 0; i < items; ++i) {
      Blanks(text);
      Item(text, depth);
      if (Pick(4) == 0) text += "*+?"[Pick(3)];
      if (Pick(6) == 0) text += '|';
    }
  }

  void Item(std::string& text, int depth) {
    switch (Pick(depth < 6 ? 8 : 7)) {
      case 0:
      case 1: {
        const int b = PlainByte();
        text += static_cast<char>(b);
        RecordByte(b);
        break;
      }
      case 2: {
        static const std::string kEscaped = "nt\\\"{.*[( rsN]|<";
        const char c = kEscaped[Pick(static_cast<int>(kEscaped.size()))];
        text += '\\';
        text += c;
        Record(EscapeBytes(c));
        break;
      }
      case 3: {
        text += '.';
        ByteSet set;
        set.fill(true);
        Record(set);
        break;
      }
      case 4: {
        static const std::string kQuoted = "a|\\(<{.[] Z";
        text += '"';
        for (int n = Pick(4); n > 0; --n) {
          const char c = kQuoted[Pick(static_cast<int>(kQuoted.size()))];
          text += c;
          if (c != ' ') RecordByte(static_cast<uint8_t>(c));
        }
        text += '"';
        break;
      }
      case 5:
        BracketClass(text);
        break;
      case 6:
        text += std::string("<<EOF>>").substr(0, 2) + (Pick(2) ? "eOf" : "EOF") + ">>";
        break;
      case 7:
        text += '(';
        Sequence(text, depth + 1);
        text += ')';
        break;
    }
  }

  void BracketClass(std::string& text) {
    static const std::string kMember = "abz09AZ\"(.*[| \t^<\xE9";
    static const std::string kRangeEnd = "abmz09AMZ\\{";
    ByteSet set{};
    text += '[';
    const bool complement = Pick(3) == 0;
    if (complement) text += '^';
    for (int n = Pick(4); n > 0; --n) {
      switch (Pick(3)) {
        case 0: {
          const char c = kMember[Pick(static_cast<int>(kMember.size()))];
          if (c == '^' && text.back() == '[') break;  // would be the complement marker
          text += c;
          set[static_cast<uint8_t>(c)] = true;
          break;
        }
        case 1: {
          const char c = "nt]\\-"[Pick(5)];
          text += '\\';
          text += c;
          const ByteSet escaped = EscapeBytes(c);
          for (int b = 0; b < 256; ++b)
            set[b] = set[b] || escaped[b];
          break;
        }
        case 2: {
          char lo = kRangeEnd[Pick(static_cast<int>(kRangeEnd.size()))];
          char hi = kRangeEnd[Pick(static_cast<int>(kRangeEnd.size()))];
          if (lo > hi) std::swap(lo, hi);
          // As a start, a backslash would escape and a brace would end the class.
          if (lo == '\\' || lo == '{') lo = 'A';
          text += lo;
          text += '-';
          text += hi;
          for (int b = static_cast<uint8_t>(lo); b <= static_cast<uint8_t>(hi); ++b)
            set[b] = true;
          break;
        }
      }
    }
    text += ']';
    if (complement) {
      for (bool& member : set)
        member = !member;
    }
    Record(set);
  }

  std::mt19937& random_;
  const CaseTable& cases_;
  bool nocase_;
  std::vector<ByteSet>* operands_ = nullptr;
};

// Every operand OR names each class at most once, and exactly the classes
// whose bytes make up its byte set; classes are dense and non-empty.
void ExpectExactClasses(const RegexNode& root, const std::vector<ByteSet>& expected,
                        const std::string& context) {
  const CharSet& map = *root.charset;
  std::vector<int> size(static_cast<std::size_t>(map.classCount) + 1, 0);
  for (int b = 0; b < 256; ++b) {
    ASSERT_GE(map.classOf[b], 0);
    ASSERT_LE(map.classOf[b], map.classCount);
    ++size[static_cast<std::size_t>(map.classOf[b])];
  }
  for (int k = 1; k <= map.classCount; ++k)
    ASSERT_GT(size[k], 0) << "empty class " << k;

  ASSERT_EQ(root.charset->operandSets.size(), expected.size()) << context;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    std::vector<bool> named(static_cast<std::size_t>(map.classCount) + 1, false);
    for (const auto& leaf : root.charset->operandSets[i]->children) {
      ASSERT_TRUE(leaf->IsClassLeaf()) << context;
      ASSERT_LE(leaf->kind, map.classCount) << context;
      ASSERT_FALSE(named[leaf->kind]) << "class named twice, " << context;
      named[leaf->kind] = true;
    }
    for (int b = 0; b < 256; ++b) {
      ASSERT_EQ(expected[i][b], named[map.classOf[b]] && map.classOf[b] != 0)
          << "operand " << i << " byte " << b << ", " << context;
    }
  }
}

// Binary operators have two children, postfix ones one; only operand ORs hold
// class leaves.
class ShapeChecker final : public TreeWalker<const RegexNode, NoValue, NoValue> {
 public:
  explicit ShapeChecker(const RegexNode& root)
      : operands_(root.charset->operandSets.begin(), root.charset->operandSets.end()) {}

 protected:
  NoValue PreVisit(const RegexNode& node, const NoValue&, bool& stop) override {
    stop = operands_.contains(&node);
    if (stop) return {};
    switch (node.kind) {
      case NodeKind::AND:
      case NodeKind::OR:
        EXPECT_EQ(node.children.size(), 2u);
        break;
      case NodeKind::STAR:
      case NodeKind::MINONE:
      case NodeKind::OPTION:
        EXPECT_EQ(node.children.size(), 1u);
        break;
      default:
        EXPECT_TRUE(node.kind == NodeKind::Epsilon || node.kind == NodeKind::EndOfInput)
            << node.kind;
        EXPECT_TRUE(node.children.empty());
    }
    return {};
  }
  NoValue PostVisit(const RegexNode&, const NoValue&, const NoValue&, std::span<NoValue>) override {
    return {};
  }

 private:
  std::set<const RegexNode*> operands_;
};

void ExpectWellFormed(const RegexNode& tree, const RegexNode& root) {
  ShapeChecker(root).Walk(tree, {});
}

TEST(ParseRegexStressTest, RandomExpressionsKeepEveryOperandExact) {
  std::mt19937 random(20240611);
  const CaseTable cases = CaseTable::Windows1252();
  struct Broken {
    const char* suffix;
    int error;
  };
  const Broken kBroken[] = {
      {")", kCloseWithoutOpen},  {"]", kBracketCloseWithoutOpen},
      {"<x", kSyntaxError},      {"[c-a]", kRangeOutOfOrder},
      {"(", kOpenWithoutClose},  {"[ab", kBracketOpenWithoutClose},
      {"[a-", kRangeOutOfOrder},
  };
  int parsed = 0;
  for (int lexer = 0; lexer < 300; ++lexer) {
    auto root = RegexNode::MakeRoot();
    const bool nocase = lexer % 3 == 0;
    if (nocase) root->flags |= kCaseInsensitive;
    ExpressionWriter writer(random, cases, nocase);
    std::vector<ByteSet> expected;
    for (int rule = 0; rule < 12; ++rule) {
      std::vector<ByteSet> operands;
      std::string text = writer.Write(operands);
      const bool broken = random() % 8 == 0;
      const Broken& fault = kBroken[random() % std::size(kBroken)];
      if (broken) text += fault.suffix;
      const std::size_t stop = text.size() + 1;
      // A brace right after a cut-off range would be the range's end.
      const bool cutRange = broken && fault.error == kRangeOutOfOrder && text.back() == '-';
      if (random() % 2 && !cutRange) text += "{ action }";
      ErrorState error;
      const std::size_t rules = root->children.size();
      const int result = ParseRegex(*root, text, cases, error);
      ++parsed;
      if (broken) {
        ASSERT_EQ(result, 0) << text;
        ASSERT_EQ(error.ErrorNumber, fault.error) << text;
        ASSERT_EQ(root->children.size(), rules);
      } else {
        ASSERT_EQ(result, static_cast<int>(stop)) << text;
        ASSERT_EQ(root->children.size(), rules + 1);
        expected.insert(expected.end(), operands.begin(), operands.end());
        ExpectWellFormed(*root->children.back(), *root);
      }
      ExpectExactClasses(*root, expected, text);
      if (HasFatalFailure()) return;
    }
  }
  EXPECT_EQ(parsed, 3600);
}

constexpr int kDeep = 100'000;

TEST(ParseRegexStressTest, HundredThousandNestedGroups) {
  auto root = RegexNode::MakeRoot();
  ErrorState error;
  const std::string text = std::string(kDeep, '(') + "a" + std::string(kDeep, ')');
  ASSERT_EQ(ParseRegex(*root, text, CaseTable::Windows1252(), error),
            static_cast<int>(text.size()) + 1);
  // Each group is AND[Epsilon, group]; follow the right spine to the operand.
  const RegexNode* node = root->children.back().get();
  int depth = 0;
  while (node->kind == NodeKind::AND) {
    ASSERT_EQ(node->children.size(), 2u);
    node = node->children[1].get();
    ++depth;
  }
  EXPECT_EQ(depth, kDeep + 1);
  EXPECT_EQ(node, root->charset->operandSets[0]);
  auto copy = root->Clone();
  EXPECT_EQ(copy->ToString().size(), root->ToString().size());
}

TEST(ParseRegexStressTest, HundredThousandUnclosedGroupsFailCleanly) {
  auto root = RegexNode::MakeRoot();
  ErrorState error;
  const std::string text = std::string(kDeep, '(') + "a";
  EXPECT_EQ(ParseRegex(*root, text, CaseTable::Windows1252(), error), 0);
  EXPECT_EQ(error.ErrorNumber, kOpenWithoutClose);
  EXPECT_TRUE(root->children.empty());
  EXPECT_TRUE(root->charset->operandSets.empty());
}

}  // namespace
}  // namespace tarnwick
