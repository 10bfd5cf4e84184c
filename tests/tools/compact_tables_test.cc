// Compact tables scan exactly like plain ones: every example over every
// sample input, and random definitions over random input, generated once
// with and once without "%compact" and scanned by tarnwick-scan.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "generated_scan.h"

namespace tarnwick_scan {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The definition with a "%compact" line before its first "%%" line.
std::string WithCompact(const std::string& definition) {
  std::size_t at = 0;
  while (at < definition.size() && definition.compare(at, 2, "%%") != 0) {
    at = definition.find('\n', at);
    at = at == std::string::npos ? definition.size() : at + 1;
  }
  return definition.substr(0, at) + "%compact\n" + definition.substr(at);
}

// Both outputs' tokens over `input`; the plain one first.
std::pair<std::string, std::string> ScanBoth(const std::string& definition,
                                             const std::string& input) {
  tarnwick::ErrorState plainError, compactError;
  const std::string plain = Generate(definition, plainError);
  const std::string compact = Generate(WithCompact(definition), compactError);
  EXPECT_EQ(plain.empty(), compact.empty());
  if (plain.empty()) return {};
  EXPECT_NE(compact.find("_check:"), std::string::npos);  // NAME_check: with %prefix NAME
  return {Scan(plain, input), Scan(compact, input)};
}

TEST(CompactTables, ExamplesScanLikeTheirPlainTables) {
  std::vector<fs::path> definitions, inputs;
  for (const auto& entry : fs::directory_iterator(TARNWICK_EXAMPLES_DIR)) {
    const fs::path& path = entry.path();
    if (path.extension() == ".lex") {
      definitions.push_back(path);
    } else if (path.filename().string().find("_main") == std::string::npos) {
      inputs.push_back(path);
    }
  }
  ASSERT_GE(definitions.size(), 4u);
  for (const fs::path& definition : definitions) {
    const std::string text = ReadFile(definition);
    for (const fs::path& input : inputs) {
      auto [plain, compact] = ScanBoth(text, ReadFile(input));
      EXPECT_EQ(plain, compact) << definition << " on " << input;
      EXPECT_GT(plain.size(), 1u);
    }
  }
}

// A random expression over a few letters, digits, blanks and line feeds.
std::string RandomExpression(std::mt19937& random, int depth) {
  static const char* const kAtoms[] = {"a",    "b",     "\"ab\"", "[a-c]",  "[0-9]",
                                       "[^a]", "\" \"", "\\n",    "\"if\"", "."};
  const int pick = static_cast<int>(random() % (depth > 2 ? 3 : 8));
  if (pick < 3) return kAtoms[random() % std::size(kAtoms)];
  const std::string left = RandomExpression(random, depth + 1);
  switch (pick) {
    case 3:
      return left + RandomExpression(random, depth + 1);
    case 4:
      return "(" + left + "|" + RandomExpression(random, depth + 1) + ")";
    case 5:
      return "(" + left + ")*";
    case 6:
      return "(" + left + ")+";
    default:
      return "(" + left + ")?";
  }
}

TEST(CompactTables, RandomDefinitionsScanLikeTheirPlainTables) {
  std::mt19937 random(24);
  const std::string letters = "abc019 \nif";
  for (int round = 0; round < 300; ++round) {
    std::string definition;
    if (round % 3 == 1) definition += "%nocase\n";
    if (round % 4 == 2) definition += "%minimize\n";
    const bool states = round % 5 == 3;
    if (states) definition += "%xstate S\n";
    definition += "%%\n";
    const int rules = 1 + static_cast<int>(random() % 12);
    for (int rule = 0; rule < rules; ++rule) {
      if (states && rule % 3 == 1) definition += "<S>";
      definition += RandomExpression(random, 0);
      if (states && rule % 4 == 0)
        definition +=
            rule % 8 == 0 ? " { yyBegin(#yyStateS) }\n" : " { yyBegin(#yyStateINITIAL) }\n";
      else
        definition += " { }\n";
    }
    std::string input;
    for (int i = 0; i < 120; ++i)
      input += letters[random() % letters.size()];
    auto [plain, compact] = ScanBoth(definition, input);
    EXPECT_EQ(plain, compact) << definition;
  }
}

}  // namespace
}  // namespace tarnwick_scan
