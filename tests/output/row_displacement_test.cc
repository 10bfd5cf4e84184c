// The comb's invariants on random automata: every probe stays inside the
// arrays, a slot's check lets exactly its owner's move through (no other
// state's entry is ever taken for a move), equal stored rows are one row,
// and the compact writer picks the narrowest Data type for each table.
#include "output/row_displacement.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "dfa_builders.h"
#include "output/compact_tables.h"
#include "regex/symbols.h"

namespace tarnwick {
namespace {

// The move as the engine finds it: own row, then the template row.
int32_t Move(const CompactRows& rows, std::size_t state, int32_t column) {
  const int32_t own = rows.row[state];
  auto at = static_cast<std::size_t>(rows.base[static_cast<std::size_t>(own)] + column);
  int32_t value = 0;
  if (at < rows.check.size() && rows.check[at] == own + 1) {
    value = rows.next[at];
  } else if (const int32_t t = rows.fallback[state]; t != 0) {
    at = static_cast<std::size_t>(rows.base[static_cast<std::size_t>(t - 1)] + column);
    if (at < rows.check.size() && rows.check[at] == t) value = rows.next[at];
  }
  return (value == rows.fillValue ? rows.fill[state] : value) - 1;
}

// States that share targets the way lexers do: most fall back to a few
// common rows with a handful of changes, some are sparse, some empty.
Dfa RandomDfa(std::mt19937& random, int states, int classes) {
  Dfa dfa;
  dfa.charset = testing::ClassesOf({});
  dfa.charset->classCount = classes;
  std::vector<std::vector<int32_t>> shapes(3, std::vector<int32_t>(classes + 1, -1));
  for (auto& shape : shapes) {
    for (auto& target : shape)
      target = random() % 3 == 0 ? -1 : static_cast<int32_t>(random() % states);
  }
  for (int s = 0; s < states; ++s) {
    std::vector<int32_t> row(classes + 1, -1);
    const auto kind = random() % 4;
    if (kind < 2) row = shapes[random() % shapes.size()];
    const int changes = kind == 3 ? 0 : static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i)
      row[random() % row.size()] = random() % 4 == 0 ? -1 : static_cast<int32_t>(random() % states);
    DfaState state = testing::StateOf(s, static_cast<int32_t>(random() % 3) - 1, {});
    for (int c = 0; c <= classes; ++c) {
      if (row[c] >= 0) state.moves.push_back({c == 0 ? kEofSymbol : c, row[c]});
    }
    dfa.states.push_back(std::move(state));
  }
  return dfa;
}

TEST(RowDisplacementTest, EveryMoveComesBackAndNoOtherSlotPassesTheCheck) {
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    const Dfa dfa = RandomDfa(random, 1 + round * 7, 1 + round % 20);
    const CompactRows rows = CompressRows(dfa);
    ASSERT_EQ(rows.columns, dfa.charset->classCount + 1);
    ASSERT_EQ(rows.next.size(), rows.check.size());
    for (std::size_t s = 0; s < dfa.states.size(); ++s) {
      std::vector<int32_t> expected(static_cast<std::size_t>(rows.columns), -1);
      for (const DfaMove& move : dfa.states[s].moves)
        expected[static_cast<std::size_t>(move.symbol == kEofSymbol ? 0 : move.symbol)] =
            move.target;
      for (int32_t c = 0; c < rows.columns; ++c)
        ASSERT_EQ(Move(rows, s, c), expected[static_cast<std::size_t>(c)])
            << "round " << round << " state " << s << " column " << c;
    }
  }
}

TEST(RowDisplacementTest, EqualRowsCostOneRow) {
  Dfa dfa;
  dfa.charset = testing::ClassesOf({{'a', 'a'}, {'b', 'b'}, {'c', 'c'}});
  for (int s = 0; s < 50; ++s)
    dfa.states.push_back(testing::StateOf(s, s % 2, {{1, 7}, {2, 30}, {3, 41}}));
  const CompactRows rows = CompressRows(dfa);
  EXPECT_EQ(rows.next.size(), 4u);  // one row: columns 1 to 3 at base 0
  EXPECT_EQ(rows.base.size(), 2u);  // and the empty row
}

struct TypeCase {
  int states;
  const char* constant;
  const char* table;
};

TEST(CompactTablesTest, EachTableTakesTheNarrowestTypeOfItsValues) {
  // Targets + 1 up to 255 fit Data.a, up to 65,535 Data.u, beyond Data.l.
  const TypeCase cases[] = {
      {255, "#__yylexerNextSize = 1", "  __yylexer_next:\r\n    Data.a "},
      {256, "#__yylexerNextSize = 2", "  __yylexer_next:\r\n    Data.u "},
      {70000, "#__yylexerNextSize = 4", "  __yylexer_next:\r\n    Data.l "},
  };
  for (const TypeCase& c : cases) {
    Dfa dfa;
    dfa.charset = testing::ClassesOf({{'a', 'a'}});
    for (int s = 0; s < c.states; ++s)
      dfa.states.push_back(testing::StateOf(s, 0, {{1, c.states - 1 - s}}));
    std::string out;
    StringSink sink(out);
    const CompactTables tables(dfa, {}, 1);
    tables.Write(sink);
    const std::string& constants = tables.Constants();
    EXPECT_NE(constants.find(c.constant), std::string::npos) << c.states << ": " << constants;
    EXPECT_NE(constants.find("#__yylexerClassSize = 1"), std::string::npos);
    EXPECT_NE(out.find(c.table), std::string::npos) << c.states;
  }
}

}  // namespace
}  // namespace tarnwick
