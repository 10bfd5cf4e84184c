// Minimization checked against a plain Moore refinement written here: the
// state count must be the number of Moore classes, every original state must
// map onto the merged state of its class move for move, and the numbering
// must follow the members' smallest positions and indices.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <numeric>
#include <random>
#include <vector>

#include "automaton/minimize.h"
#include "automaton/nfa.h"
#include "automaton/subset.h"
#include "base/whole_file.h"
#include "frontend/definition_reader.h"
#include "language_support.h"
#include "regex/simplify.h"

namespace tarnwick {
namespace {

using testing::TreeGenerator;

// The move of `state` on `symbol`, or -1.
int32_t Target(const DfaState& state, int32_t symbol) {
  for (const DfaMove& move : state.moves) {
    if (move.symbol == symbol) return move.target;
  }
  return -1;
}

std::vector<int32_t> SymbolsOf(const Dfa& dfa) {
  std::vector<int32_t> symbols{kEofSymbol};
  for (int32_t k = 1; k <= dfa.charset->classCount; ++k)
    symbols.push_back(k);
  return symbols;
}

// The minimal form of a copy of `dfa`.
std::unique_ptr<Dfa> Minimized(const Dfa& dfa) {
  auto copy = std::make_unique<Dfa>();
  copy->charset = dfa.charset->Clone();
  copy->states = dfa.states;
  copy->start = dfa.start;
  MinimizeDfa(*copy);
  return copy;
}

// Moore's refinement: class of every state, by final first, then by the
// classes of the targets on every symbol, until nothing splits.
std::vector<int32_t> MooreClasses(const Dfa& dfa) {
  const std::vector<int32_t> symbols = SymbolsOf(dfa);
  std::vector<int32_t> cls(dfa.states.size());
  for (std::size_t s = 0; s < cls.size(); ++s)
    cls[s] = dfa.states[s].final;
  std::size_t count = 0;
  while (true) {
    std::map<std::vector<int32_t>, int32_t> ids;
    std::vector<int32_t> next(cls.size());
    for (std::size_t s = 0; s < cls.size(); ++s) {
      std::vector<int32_t> signature{cls[s]};
      for (int32_t symbol : symbols) {
        const int32_t t = Target(dfa.states[s], symbol);
        signature.push_back(t < 0 ? -1 : cls[static_cast<std::size_t>(t)]);
      }
      next[s] = ids.emplace(signature, static_cast<int32_t>(ids.size())).first->second;
    }
    cls = std::move(next);
    if (ids.size() == count) return cls;
    count = ids.size();
  }
}

// Labels identify the states of both automata: a merged state carries the
// label of its member with the smallest position.
::testing::AssertionResult IsMinimalQuotient(const Dfa& dfa, const Dfa& small) {
  const std::vector<int32_t> cls = MooreClasses(dfa);
  std::map<int32_t, std::vector<int32_t>> members;
  for (std::size_t s = 0; s < cls.size(); ++s)
    members[cls[s]].push_back(static_cast<int32_t>(s));
  if (small.states.size() != members.size()) {
    return ::testing::AssertionFailure()
           << small.states.size() << " states, the Moore count is " << members.size();
  }
  std::map<std::vector<int32_t>, int32_t> positionOfLabel;
  for (std::size_t s = 0; s < dfa.states.size(); ++s)
    positionOfLabel[dfa.states[s].label] = static_cast<int32_t>(s);
  // image[class] = the merged state standing for that class.
  std::map<int32_t, int32_t> image;
  int32_t lastFirst = -1;
  int32_t lastIndexFirst = -1;
  std::vector<int32_t> classByIndex(small.states.size());
  for (std::size_t p = 0; p < small.states.size(); ++p) {
    const int32_t rep = positionOfLabel.at(small.states[p].label);
    const auto& group = members[cls[static_cast<std::size_t>(rep)]];
    if (rep != group.front()) return ::testing::AssertionFailure() << p << ": not the first member";
    if (rep <= lastFirst) return ::testing::AssertionFailure() << p << ": out of position order";
    lastFirst = rep;
    image[cls[static_cast<std::size_t>(rep)]] = static_cast<int32_t>(p);
    classByIndex[static_cast<std::size_t>(small.states[p].index)] =
        cls[static_cast<std::size_t>(rep)];
  }
  for (int32_t c : classByIndex) {
    int32_t smallest = INT32_MAX;
    for (int32_t s : members[c])
      smallest = std::min(smallest, dfa.states[static_cast<std::size_t>(s)].index);
    if (smallest <= lastIndexFirst) return ::testing::AssertionFailure() << "index order";
    lastIndexFirst = smallest;
  }
  if (small.start != image[cls[static_cast<std::size_t>(dfa.start)]]) {
    return ::testing::AssertionFailure() << "start " << small.start;
  }
  const std::vector<int32_t> symbols = SymbolsOf(dfa);
  for (std::size_t s = 0; s < dfa.states.size(); ++s) {
    const DfaState& merged = small.states[static_cast<std::size_t>(image[cls[s]])];
    if (merged.final != dfa.states[s].final) return ::testing::AssertionFailure() << "final";
    for (int32_t symbol : symbols) {
      const int32_t t = Target(dfa.states[s], symbol);
      const int32_t expected = t < 0 ? -1 : image[cls[static_cast<std::size_t>(t)]];
      if (Target(merged, symbol) != expected) {
        return ::testing::AssertionFailure() << "state " << s << " on " << symbol;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// A random DFA with many equivalent states: a small automaton of `kinds`
// states whose every state is copied a few times, each copy moving to random
// copies of its original's targets. Positions are shuffled against indices.
Dfa BlownUpDfa(uint32_t seed) {
  std::mt19937 random(seed);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const int classes = 1 + pick(4);
  const int kinds = 1 + pick(8);
  std::vector<int32_t> kindFinal(static_cast<std::size_t>(kinds));
  std::vector<std::vector<int32_t>> kindMove(static_cast<std::size_t>(kinds));
  for (int k = 0; k < kinds; ++k) {
    kindFinal[static_cast<std::size_t>(k)] = pick(3) - 1;
    for (int c = 0; c <= classes; ++c)
      kindMove[static_cast<std::size_t>(k)].push_back(pick(3) == 0 ? -1 : pick(kinds));
  }
  std::vector<int32_t> kindOf;
  for (int k = 0; k < kinds; ++k) {
    for (int copies = 1 + pick(4); copies > 0; --copies)
      kindOf.push_back(k);
  }
  std::shuffle(kindOf.begin(), kindOf.end(), random);
  std::vector<std::vector<int32_t>> copiesOf(static_cast<std::size_t>(kinds));
  for (std::size_t s = 0; s < kindOf.size(); ++s)
    copiesOf[static_cast<std::size_t>(kindOf[s])].push_back(static_cast<int32_t>(s));
  std::vector<int32_t> indices(kindOf.size());
  std::iota(indices.begin(), indices.end(), 0);
  std::shuffle(indices.begin(), indices.end(), random);

  Dfa dfa;
  dfa.charset = std::make_unique<CharSet>();
  dfa.charset->classCount = classes;
  dfa.start = pick(static_cast<int>(kindOf.size()));
  for (std::size_t s = 0; s < kindOf.size(); ++s) {
    DfaState state;
    state.index = indices[s];
    state.final = kindFinal[static_cast<std::size_t>(kindOf[s])];
    state.label = {static_cast<int32_t>(s)};
    for (int c = 0; c <= classes; ++c) {
      const int32_t kind =
          kindMove[static_cast<std::size_t>(kindOf[s])][static_cast<std::size_t>(c)];
      if (kind < 0) continue;
      const auto& copies = copiesOf[static_cast<std::size_t>(kind)];
      state.moves.push_back(
          {c == 0 ? kEofSymbol : c,
           copies[static_cast<std::size_t>(pick(static_cast<int>(copies.size())))]});
    }
    dfa.states.push_back(std::move(state));
  }
  return dfa;
}

TEST(Minimize, RandomAutomataShrinkToTheirMooreClasses) {
  for (uint32_t seed = 1; seed <= 1500; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const Dfa dfa = BlownUpDfa(seed);
    auto small = Minimized(dfa);
    ASSERT_TRUE(IsMinimalQuotient(dfa, *small));
    // Minimizing again changes nothing.
    auto again = Minimized(*small);
    ASSERT_EQ(again->states.size(), small->states.size());
  }
}

TEST(Minimize, AutomataOfRandomDefinitionsShrinkToTheirMooreClasses) {
  for (uint32_t seed = 3000; seed < 3400; ++seed) {
    TreeGenerator generator(seed, 1 + static_cast<int32_t>(seed % 4));
    auto root = generator.Definition(6, 3);
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + root->ToString());
    SimplifyRules(*root);
    auto nfa = BuildNfa(*root);
    auto dfa = BuildDfaFromEpsilonNfa(*nfa, 100000);
    ASSERT_NE(dfa, nullptr);
    auto small = Minimized(*dfa);
    ASSERT_TRUE(IsMinimalQuotient(*dfa, *small));
    EXPECT_EQ(small->states[static_cast<std::size_t>(small->start)].index, 0);
  }
}

TEST(Minimize, ExamplesShrinkToTheirMooreClasses) {
  for (const char* name : {"calc", "json", "purebasic"}) {
    SCOPED_TRACE(name);
    const auto definition = ReadWholeFile(std::string(TARNWICK_EXAMPLES_DIR) + "/" + name + ".lex");
    ASSERT_TRUE(definition);
    auto root = RegexNode::MakeRoot();
    std::string source;
    ErrorState error;
    DefinitionFacts facts;
    ASSERT_EQ(ReadDefinition(*definition, *root, CaseTable::Windows1252(), source, error, facts),
              1);
    SimplifyRules(*root);
    auto nfa = BuildNfa(*root);
    auto dfa = BuildDfaFromEpsilonNfa(*nfa, 100000);
    auto small = Minimized(*dfa);
    ASSERT_TRUE(IsMinimalQuotient(*dfa, *small));
    if (std::string(name) == "purebasic") {
      EXPECT_EQ(dfa->states.size(), 299u);
      EXPECT_EQ(small->states.size(), 203u);
    }
  }
}

TEST(Minimize, MergesEqualFuturesButNotAMissingMove) {
  // "ab" and "cb" for rule 0: the states after a and after c merge, and so
  // do the two accepting states. "d" for rule 1 with no move on: its state
  // has the same (empty) moves as the accepting states but another rule.
  Dfa dfa;
  dfa.charset = std::make_unique<CharSet>();
  dfa.charset->classCount = 4;  // a b c d
  dfa.states.resize(6);
  dfa.states[0].moves = {{1, 1}, {3, 2}, {4, 5}};
  dfa.states[1].moves = {{2, 3}};
  dfa.states[2].moves = {{2, 4}};
  dfa.states[3].final = 0;
  dfa.states[4].final = 0;
  dfa.states[5].final = 1;
  for (std::size_t s = 0; s < 6; ++s) {
    dfa.states[s].index = static_cast<int32_t>(5 - s);
    dfa.states[s].label = {static_cast<int32_t>(s)};
  }
  dfa.states[0].index = 0;
  dfa.states[5].index = 5;
  auto small = Minimized(dfa);
  ASSERT_EQ(small->states.size(), 4u);
  EXPECT_EQ(small->start, 0);
  EXPECT_EQ(small->states[0].moves, (std::vector<DfaMove>{{1, 1}, {3, 1}, {4, 3}}));
  EXPECT_EQ(small->states[1].moves, (std::vector<DfaMove>{{2, 2}}));
  EXPECT_EQ(small->states[2].final, 0);
  EXPECT_EQ(small->states[3].final, 1);
  // Indices by the smallest member index: {0}, {3, 4}: 1, {1, 2}: 2, {5}: 5.
  EXPECT_EQ(small->states[0].index, 0);
  EXPECT_EQ(small->states[2].index, 1);
  EXPECT_EQ(small->states[1].index, 2);
  EXPECT_EQ(small->states[3].index, 3);

  // A state that differs from another only by lacking a move stays apart.
  dfa.states[4].moves = {{1, 5}};
  EXPECT_EQ(Minimized(dfa)->states.size(), 6u);
}

}  // namespace
}  // namespace tarnwick
