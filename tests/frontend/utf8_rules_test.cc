// Rules of UTF-8 definitions, run through the whole pass: which byte strings
// the first rule's automaton matches as a whole. Covers characters bare and
// quoted, classes with ranges, categories and complements, escapes, the dot,
// %nocase folding, malformed input bytes, and the errors of the new forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "compiled.h"
#include "pipeline/generate.h"

namespace tarnwick {
namespace {

Compiled Compile(std::string_view rule, std::string_view declarations = "%utf8\n") {
  return CompileDefinition(declarations, std::string(rule) + " { }\n");
}

// Each of `yes` matches the rule and none of `no` does.
using Strings = std::vector<std::string_view>;

void ExpectLanguage(std::string_view rule, const Strings& yes, const Strings& no,
                    std::string_view declarations = "%utf8\n") {
  const Compiled compiled = Compile(rule, declarations);
  ASSERT_EQ(compiled.ok, 1) << rule << ": error " << compiled.error.ErrorNumber;
  for (std::string_view s : yes)
    EXPECT_TRUE(compiled.Matches(s)) << rule << " should match " << testing::PrintToString(s);
  for (std::string_view s : no)
    EXPECT_FALSE(compiled.Matches(s)) << rule << " should not match " << testing::PrintToString(s);
}

// Byte strings no UTF-8 rule may match: a lone continuation byte, an
// overlong form, a surrogate, a value above U+10FFFF, a cut sequence, 0xFF.
const Strings kMalformed = {"\x80",         "\xC0\x80",     "\xC1\xBF",
                            "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xC3",         "\xE4\xB8",     "\xFF"};

TEST(Utf8Rules, CharactersClassesAndRanges) {
  ExpectLanguage("[äöü]", {"ä", "ö", "ü"}, {"a", "\xC3", "\xC3\xA4\xC3\xB6", "Ä"});
  ExpectLanguage("\"äb\"|ß", {"äb", "ß"}, {"ä", "b", "\xC3"});
  ExpectLanguage("[α-ω]+", {"α", "βγω"}, {"Α", "αa"});
  ExpectLanguage("[\\u0400-\\u04FF]", {"Ж", "ѐ", "ӿ"}, {"Ԁ", "Z"});
  ExpectLanguage("\\u00e4\\U0001F600", {"ä😀"}, {"ä", "😀"});
  ExpectLanguage("[\\t\\u00e4-]", {"\t", "ä", "-"}, {"\\", "u"});
  ExpectLanguage("[[:]", {"[", ":"}, {"]"});
  ExpectLanguage("[]", {}, {"", "a", "ä"});
}

TEST(Utf8Rules, DotAndComplementAreEveryValidCharacter) {
  for (std::string_view rule : {".", "[^a]", "[^[:Zs:]\\n]"}) {
    ExpectLanguage(rule, {"b", "ä", "中", "😀", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF"}, kMalformed);
  }
  ExpectLanguage("[^a]", {"\n", "A"}, {"a"});
  ExpectLanguage("[^[:Zs:]\\n]", {"x"}, {" ", "\xE3\x80\x80", "\n", "\r"});
}

TEST(Utf8Rules, TheAutomatonIsMinimal) {
  // The dot: the start, the accepting state, one state per number of
  // continuation bytes still due (1, 2, 3), and the four lead bytes whose
  // second byte is narrower (E0, ED, F0, F4). The identifier's automaton is
  // far smaller than the sequences' one state per ending would make it.
  EXPECT_EQ(Compile(".").scanner.dfa->states.size(), 9u);
  EXPECT_LT(Compile("[[:L:]_][[:L:][:N:]_]*").scanner.dfa->states.size(), 450u);
}

TEST(Utf8Rules, CategoriesMakeIdentifiersInAnyScript) {
  ExpectLanguage("[[:L:]_][[:L:][:N:]_]*", {"x", "_1", "größe", "变量2", "имя_٣", "ǅ"},
                 {"1x", "a-b", "a b", "\xC3", "a\xFF"});
  ExpectLanguage("[[:Lu:]]", {"A", "Ä", "Σ"}, {"a", "ä", "σ"});
  ExpectLanguage("[[:Nd:]]+", {"0", "٣٤", "१"}, {"Ⅳ", "x"});
}

TEST(Utf8Rules, NocaseFoldsWithSimpleCaseFolding) {
  constexpr std::string_view kNocase = "%utf8\n%nocase\n";
  ExpectLanguage("σ", {"Σ", "σ", "ς"}, {"s"}, kNocase);
  ExpectLanguage("ǆ", {"Ǆ", "ǅ", "ǆ"}, {"d"}, kNocase);
  ExpectLanguage("s", {"s", "S", "ſ"}, {"ß"}, kNocase);
  ExpectLanguage("ß", {"ß", "ẞ"}, {"ss", "SS"}, kNocase);
  ExpectLanguage("[a-c]ä", {"Bä", "cÄ"}, {"dä"}, kNocase);
  ExpectLanguage("[^a]", {"a", "A", "ä"}, kMalformed, kNocase);
}

TEST(Utf8Rules, ByteOrderMarkSelectsTheModeToo) {
  ExpectLanguage("ä", {"ä"}, {"\xC3", "\xA4"}, "\xEF\xBB\xBF");
  // Without the mark or the directive the same rule is two bytes.
  ExpectLanguage("[ä]", {"\xC3", "\xA4"}, {"ä"}, "");
}

TEST(Utf8Rules, ErrorsOfTheNewForms) {
  auto expectError = [](std::string_view rule, int number, std::string_view arg = {}) {
    const Compiled compiled = Compile(rule);
    EXPECT_EQ(compiled.ok, 0) << rule;
    EXPECT_EQ(compiled.error.ErrorNumber, number) << rule;
    EXPECT_EQ(compiled.error.ErrorArg1, arg) << rule;
    EXPECT_EQ(compiled.error.ErrorLine, 3) << rule;
  };
  expectError("[[:Foo:]]", kUnknownCategory, "Foo");
  expectError("[[:Cs:]x]", kUnknownCategory, "Cs");
  expectError("\\u12G4", kInvalidEscape, "\\u12G4");
  expectError("\\u12", kInvalidEscape, "\\u12");
  expectError("[\\uD800]", kInvalidEscape, "\\uD800");
  expectError("\\U00110000", kInvalidEscape, "\\U00110000");
  expectError("[a-\\u0041]", kRangeOutOfOrder);
  expectError("[ω-α]", kRangeOutOfOrder);
  expectError("a\xC3(", kInvalidUtf8);
  expectError("[[:L:]", kBracketOpenWithoutClose);
}

}  // namespace
}  // namespace tarnwick
