// MinimizeDfa on small hand-made automata: states that go on alike merge
// (also through loops), states that accept different rules or differ on a
// symbol do not, and positions, indices and the start follow the kept states.
#include "automaton/minimize.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../output/dfa_builders.h"
#include "regex/symbols.h"

namespace tarnwick {
namespace {

using testing::StateOf;
using Moves = std::vector<std::pair<int32_t, int32_t>>;  // symbol, target

Moves MovesOf(const DfaState& state) {
  Moves moves;
  for (const DfaMove& move : state.moves)
    moves.emplace_back(move.symbol, move.target);
  return moves;
}

TEST(MinimizeDfa, MergesWhatGoesOnAlike) {
  // Positions: 0 start; 1 and 2 both accept rule 0 and loop to 1 or 2 on
  // symbol 1; 3 accepts rule 0 but has no move; 4 accepts rule 1.
  Dfa dfa;
  dfa.states.push_back(StateOf(0, -1, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
  dfa.states.push_back(StateOf(3, 0, {{1, 2}}));
  dfa.states.push_back(StateOf(1, 0, {{1, 1}}));
  dfa.states.push_back(StateOf(2, 0, {}));
  dfa.states.push_back(StateOf(4, 1, {}));
  dfa.start = 0;
  MinimizeDfa(dfa);
  ASSERT_EQ(dfa.states.size(), 4u);
  EXPECT_EQ(dfa.start, 0);
  // 2 merged into 1, which keeps its place; the later ones move up.
  EXPECT_EQ(MovesOf(dfa.states[0]), (Moves{{1, 1}, {2, 1}, {3, 2}, {4, 3}}));
  EXPECT_EQ(MovesOf(dfa.states[1]), (Moves{{1, 1}}));
  EXPECT_EQ(dfa.states[1].final, 0);
  EXPECT_EQ(dfa.states[2].final, 0);
  EXPECT_TRUE(dfa.states[2].moves.empty());
  EXPECT_EQ(dfa.states[3].final, 1);
  // Indices stay dense, in their old order: 0, 3, 2, 4 become 0, 2, 1, 3.
  EXPECT_EQ(dfa.states[1].index, 2);
  EXPECT_EQ(dfa.states[2].index, 1);
  EXPECT_EQ(dfa.states[3].index, 3);
}

TEST(MinimizeDfa, KeepsAMinimalAutomatonAsItIs) {
  Dfa dfa;
  dfa.states.push_back(StateOf(1, 0, {{2, 1}}));
  dfa.states.push_back(StateOf(0, -1, {{kEofSymbol, 0}, {1, 0}}));
  dfa.start = 1;
  MinimizeDfa(dfa);
  ASSERT_EQ(dfa.states.size(), 2u);
  EXPECT_EQ(dfa.start, 1);
  EXPECT_EQ(dfa.states[0].index, 1);
  EXPECT_EQ(MovesOf(dfa.states[1]), (Moves{{kEofSymbol, 0}, {1, 0}}));
}

}  // namespace
}  // namespace tarnwick
