// Scanners generated with "%prefix NAME": they scan as their twins without
// the prefix once tarnwick-scan has read them back, they declare no engine
// name of their own, they offer NAME's form of every call the engine has, and
// the renaming back touches whole names only.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "generated_scan.h"
#include "prefixed_source.h"

namespace tarnwick_scan {
namespace {

// Definitions whose actions change conditions with the prefixed calls, in
// every kind of tables; "@" stands for the prefix, or "yy" in the twin.
const char* const kDefinitions[] = {
    "%%\n[a-z]+ { ProcedureReturn \xA7W }\n[ ]+ { }\n",
    "%xstate Q\n%%\n\"'\" { @Begin(#@StateQ) }\n<Q>\"'\" { @Begin(#@StateINITIAL) }\n"
    "<Q>[^']+ { }\n[a-z]+ { }\n[ ]+ { }\n",
    "%compact\n%state Q\n%context\n%%\n^[a-z]+ { @PushState(#@StateQ) }\n"
    "<Q>[a-z]+/[0-9] { @PopState() }\n[a-z0-9]+$ { @Less(1) }\n[ \\n0-9]+ { }\n",
};

std::string Named(std::string definition, const std::string& prefix) {
  for (std::size_t at = definition.find('@'); at != std::string::npos;
       at = definition.find('@', at + prefix.size())) {
    definition.replace(at, 1, prefix);
  }
  return definition;
}

std::string Prefixed(const std::string& definition) {
  tarnwick::ErrorState error;
  const std::string source = Generate("%prefix Zz\n" + Named(definition, "Zz"), error);
  EXPECT_FALSE(source.empty()) << error.ErrorNumber << " line " << error.ErrorLine;
  return source;
}

TEST(PrefixedScanner, ScansAsItsTwinWithoutPrefix) {
  const char* const inputs[] = {"ab 'cd' ef", "abc de9 x\nyz1 q\n", "'a b' c"};
  for (const char* definition : kDefinitions) {
    tarnwick::ErrorState error;
    const std::string twin = Generate("\n" + Named(definition, "yy"), error);
    ASSERT_FALSE(twin.empty()) << definition;
    const std::string prefixed = UnprefixedSource(Prefixed(definition));
    for (const char* input : inputs) {
      const std::string tokens = Scan(twin, input);
      EXPECT_TRUE(tokens.ends_with(" $")) << tokens;
      EXPECT_EQ(Scan(prefixed, input), tokens) << definition << " on " << input;
    }
  }
}

// Where a name of letters, digits and "_" that goes on at `at` ends.
std::size_t NameEnd(const std::string& text, std::size_t at) {
  while (at < text.size() &&
         (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_'))
    ++at;
  return at;
}

TEST(PrefixedScanner, DeclaresNoEngineNameOfItsOwn) {
  // What a prefixed source may name with "__yylexer": the engine's calls and
  // types, and the mark that keeps the calls without a prefix out.
  const std::set<std::string> engineNames = {
      "__yylexerTables",   "__yylexerScanner",    "__yylexerBindTables",
      "__yylexerBindComb", "__yylexerBindSizes",  "__yylexerInitScanner",
      "__yylexerPick",     "__yylexerNewScanner", "__yylexerPrefixed"};
  for (const char* definition : kDefinitions) {
    const std::string source = Prefixed(definition);
    for (std::size_t at = source.find("__yylexer"); at != std::string::npos;
         at = source.find("__yylexer", at + 1)) {
      const std::string name = source.substr(at, NameEnd(source, at + 9) - at);
      EXPECT_TRUE(engineNames.contains(name)) << name << " in\n" << definition;
    }
    EXPECT_EQ(source.find("#yy"), source.find("#yyEOF")) << definition;
  }
}

TEST(PrefixedScanner, KeepsEachDefinitionLineOnItsLine) {
  const std::string source = Prefixed(kDefinitions[1]);
  std::istringstream lines(source);
  std::string line;
  for (int number = 1; std::getline(lines, line) && number <= 6; ++number) {
    if (number >= 4) {
      EXPECT_TRUE(line.starts_with("Procedure Zzrun" + std::to_string(number - 4))) << line;
    }
  }
}

TEST(PrefixedScanner, OffersEveryCallOfTheEngine) {
  std::ifstream file(TARNWICK_RUNTIME_INCLUDE);
  ASSERT_TRUE(file) << TARNWICK_RUNTIME_INCLUDE;
  const std::string engine{std::istreambuf_iterator<char>(file), {}};
  const std::string source = Prefixed(kDefinitions[0]);
  int calls = 0;
  // Every "Procedure yyScannerX(" with or without a ".i"/".s" type.
  for (std::size_t at = engine.find(" yyScanner"); at != std::string::npos;
       at = engine.find(" yyScanner", at + 1)) {
    std::size_t start = at;
    if (start >= 2 && engine[start - 2] == '.') start -= 2;
    if (start < 9 || engine.compare(start - 9, 9, "Procedure") != 0) continue;
    const std::size_t end = NameEnd(engine, at + 10);
    if (end == at + 10 || end >= engine.size() || engine[end] != '(') continue;
    ++calls;
    const std::string type = engine.substr(start, at - start);
    const std::string name = engine.substr(at + 10, end - at - 10);
    EXPECT_NE(source.find("Declare" + type + " Zz" + name + "("), std::string::npos) << name;
    EXPECT_NE(source.find("Procedure" + type + " Zz" + name + "("), std::string::npos) << name;
    EXPECT_NE(engine.find("Procedure" + type + " yy" + name + "("), std::string::npos) << name;
  }
  EXPECT_EQ(calls, 20);
  EXPECT_NE(source.find("Procedure.i ZzNewScanner()"), std::string::npos);
}

TEST(PrefixedScanner, ReadingBackRenamesWholeNamesOnly) {
  const struct {
    const char* source;
    const char* read;
  } cases[] = {
      {"  Ab_charclass:\nProcedure Abrun0(*u) : AbBegin(#AbStateX) : ProcedureReturn #AbTokenT",
       "  __yylexer_charclass:\nProcedure __yylexerrun0(*u) : yyBegin(#yyStateX) : "
       "ProcedureReturn #yyTokenT"},
      {"  Ab_charclass:\nXAbrun0 AbLess(1) AbPopState() AbPushState(#AbStateY) AbText()",
       "  __yylexer_charclass:\nXAbrun0 yyLess(1) yyPopState() yyPushState(#yyStateY) AbText()"},
      {"  __yylexer_charclass:\nAbrun0", "  __yylexer_charclass:\nAbrun0"},
      {"#AbCompact = 1 : #AbSpan = 3\n  Ab_charclass:\n",
       "#__yylexerCompact = 1 : #__yylexerSpan = 3\n  __yylexer_charclass:\n"},
      {"x = 1 ; Ab_charclass: in a comment\n", "x = 1 ; Ab_charclass: in a comment\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnprefixedSource(c.source), c.read) << c.source;
  }
}

}  // namespace
}  // namespace tarnwick_scan
