// The automaton model, simplification, NFA construction, epsilon elimination
// and the subset construction on hand-made definitions with known results.
#include <gtest/gtest.h>

#include "automaton/nfa.h"
#include "automaton/subset.h"
#include "eliminate_epsilon.h"
#include "language_support.h"
#include "reference_construction.h"
#include "regex/simplify.h"
#include "regex/symbols.h"
#include "same_dfa.h"

namespace tarnwick {
namespace {

using namespace testing;  // NOLINT: the tree builders

std::unique_ptr<Automaton> Nfa(NodePtr root) {
  SimplifyRules(*root);
  return BuildNfa(*root);
}

struct Built {
  NodePtr root;
  std::unique_ptr<Automaton> nfa;
  std::unique_ptr<Dfa> dfa;
};

// Also checks that the construction by elimination first agrees.
Built Construct(NodePtr root) {
  Built built{root->Clone(), nullptr, nullptr};
  SimplifyRules(*root);
  built.nfa = BuildNfa(*root);
  built.dfa = BuildDfaFromEpsilonNfa(*built.nfa, 1000);
  auto eliminated = BuildDfaByElimination(*built.nfa, 1000);
  if (eliminated && built.dfa) {
    EXPECT_TRUE(SameDfa(*eliminated, *built.dfa));
  } else {
    ADD_FAILURE() << "one construction gave no automaton";
  }
  return built;
}

TEST(AutomatonModel, LabelsStatesAndTransitionsPrintAndOrder) {
  EXPECT_EQ(StateId(-1, 0).ToString(), "start");
  EXPECT_EQ(StateId(12, 3).ToString(), "q12_3");
  EXPECT_LT(StateId(0, 9).Compare(StateId(1, 0)), 0);
  EXPECT_GT(StateId(1, 2).Compare(StateId(1, 1)), 0);
  EXPECT_EQ(StateId(1, 2).Compare(StateId(1, 2)), 0);

  Automaton automaton;
  std::unique_ptr<Object> label = std::make_unique<StateId>(0, 1);
  bool inserted = false;
  State* later = AddState(automaton, label, &inserted);
  EXPECT_TRUE(inserted);
  EXPECT_EQ(label, nullptr);
  label = std::make_unique<StateId>(-1, 0);
  State* first = AddState(automaton, label, &inserted);
  EXPECT_EQ(automaton.start, later) << "the first state added is the start";
  EXPECT_EQ(automaton.states[0], first) << "states sort by label";
  EXPECT_EQ(first->index, 1);

  label = std::make_unique<StateId>(0, 1);
  EXPECT_EQ(AddState(automaton, label, &inserted), later);
  EXPECT_FALSE(inserted);
  ASSERT_NE(label, nullptr) << "a found state leaves the label with the caller";
  EXPECT_EQ(automaton.states.count(), 2);

  AddTransition(*first, *later, 2);
  AddTransition(*first, *first, 5);
  AddTransition(*first, *later, 1);
  AddTransition(*first, *later, 2, &inserted);
  EXPECT_FALSE(inserted) << "one (target, symbol) pair is stored once";
  first->final = 3;
  EXPECT_EQ(automaton.ToString(),
            "start(final=3:trans={\n->start(5), \n->q0_1(1), \n->q0_1(2)})\n"
            "q0_1(final=-1:start:trans={})");

  // A clone of a transition carries its own clone of the target.
  auto copy = first->transitions[1]->Clone();
  EXPECT_NE(copy->target, later);
  EXPECT_EQ(copy->ToString(), "\n->q0_1(1)");
  EXPECT_TRUE(copy->target->transitions.empty());

  Transition a(later, 4), b(first, 4);
  EXPECT_NE(a.Compare(b), 0);
  a.ReplaceCompare(&reference::CompareBySymbol);
  EXPECT_EQ(a.Compare(b), 0);
  EXPECT_THROW(automaton.CloneObject(), std::logic_error);
}

TEST(DfaMove, OneWordHoldsEverySymbolAndTarget) {
  // The move is packed; its fields must still reach the end of input, the
  // highest class and the last state a Dfa may have.
  DfaMove last{256, static_cast<int32_t>(kDfaStateCapacity)};
  EXPECT_EQ(last.symbol, 256);
  EXPECT_EQ(last.target, static_cast<int32_t>(kDfaStateCapacity));
  last.symbol = kEofSymbol;
  EXPECT_EQ(last.symbol, kEofSymbol);
  EXPECT_EQ(last.target, static_cast<int32_t>(kDfaStateCapacity));
}

TEST(Simplify, FlattensDropsEmptyPartsAndUnwrapsSingleChildren) {
  // The tree of "ab" as the parser leaves it.
  EXPECT_EQ(SimplifyNode(And(And(Eps(), Or(Leaf(1))), Or(Leaf(2))))->ToString(), "AND[1, 2]");
  EXPECT_EQ(SimplifyNode(Star(Star(Leaf(1))))->ToString(), "STAR[1]");
  EXPECT_EQ(SimplifyNode(Or(Or(Leaf(1), Or(Leaf(2))), Leaf(3)))->ToString(), "OR[1, 2, 3]");
  // Only Epsilons: the last one stays and replaces the sequence.
  EXPECT_EQ(SimplifyNode(And(Eps(), And(Eps(), Eps())))->ToString(), "Epsilon");
  // Epsilon survives outside sequences.
  EXPECT_EQ(SimplifyNode(Or(Eps(), Leaf(1)))->ToString(), "OR[Epsilon, 1]");
  // Different repetition kinds do not merge; an unwrapped child is simplified.
  EXPECT_EQ(SimplifyNode(Opt(Star(And(Eps(), Leaf(1)))))->ToString(), "OPTION[STAR[1]]");
  // A child that becomes an AND only later is not spliced into its AND parent.
  EXPECT_EQ(SimplifyNode(And(Leaf(1), Or(And(Leaf(2), Leaf(3)))))->ToString(), "AND[1, AND[2, 3]]");
  EXPECT_EQ(SimplifyNode(Or())->ToString(), "OR");
}

TEST(Simplify, RulesKeepTheirRootAndForgetOperandNodes) {
  auto root = Rules(2, Or(Leaf(1), Or(Leaf(2))), And(Eps(), Leaf(1)));
  root->charset->operandSets.push_back(root->children[0]->children[1].get());
  SimplifyRules(*root);
  EXPECT_TRUE(root->charset->operandSets.empty());
  EXPECT_EQ(root->ToString(), "OR[OR[1, 2], 1]");
}

TEST(Simplify, HundredThousandLevelsDeep) {
  constexpr int kDepth = 100000;
  // Left-deep sequence as the parser builds it, under nested groups.
  NodePtr tree = Leaf(1);
  for (int i = 0; i < kDepth; ++i)
    tree = And(std::move(tree), Leaf(2));
  for (int i = 0; i < kDepth; ++i)
    tree = Star(And(Eps(), std::move(tree)));
  for (int i = 0; i < kDepth; ++i)
    tree = Opt(Or(std::move(tree), Leaf(1)));
  auto root = Root(2, {});
  root->children.push_back(std::move(tree));
  SimplifyRules(*root);
  // Each STAR's sequence gives way to the inner STAR only after the outer one
  // was looked at, so the STARs stay nested; the long sequence is flat.
  const RegexNode* node = root->children[0].get();
  for (int i = 0; i < kDepth; ++i) {
    ASSERT_EQ(node->kind, NodeKind::OPTION);
    node = node->children[0].get();
    ASSERT_EQ(node->kind, NodeKind::OR);
    node = node->children[0].get();
  }
  for (int i = 0; i < kDepth; ++i) {
    ASSERT_EQ(node->kind, NodeKind::STAR);
    node = node->children[0].get();
  }
  ASSERT_EQ(node->kind, NodeKind::AND);
  EXPECT_EQ(node->children.size(), static_cast<std::size_t>(kDepth + 1));

  auto nfa = BuildNfa(*root);
  EXPECT_GT(nfa->states.count(), 3 * kDepth);
}

TEST(BuildNfa, StarOverOneClass) {
  EXPECT_EQ(Nfa(Rules(1, Star(Leaf(1))))->ToString(),
            "start(final=-1:start:trans={\n->q0_0(257)})\n"
            "q0_0(final=-1:trans={\n->q0_1(1), \n->q0_1(257)})\n"
            "q0_1(final=0:trans={\n->q0_0(257)})");
}

TEST(BuildNfa, ShapesOfSmallRules) {
  // A single class; and end of input.
  EXPECT_EQ(Nfa(Rules(1, Leaf(1), Eof()))->ToString(),
            "start(final=-1:start:trans={\n->q0_0(1), \n->q1_0(-1)})\n"
            "q0_0(final=0:trans={})\n"
            "q1_0(final=1:trans={})");
  // Classes of an alternative move straight into its end state; a sequence
  // branch ends with an epsilon move into it. The end state is made first.
  EXPECT_EQ(Nfa(Rules(3, Or(Leaf(1), And(Leaf(2), Leaf(3)), Leaf(2))))->ToString(),
            "start(final=-1:start:trans={\n->q0_0(1), \n->q0_0(2), \n->q0_1(2)})\n"
            "q0_0(final=0:trans={})\n"
            "q0_1(final=-1:trans={\n->q0_2(3)})\n"
            "q0_2(final=-1:trans={\n->q0_0(257)})");
  // An empty alternative gets its end state but nothing leads there.
  EXPECT_EQ(Nfa(Rules(1, Or()))->ToString(),
            "start(final=-1:start:trans={})\nq0_0(final=0:trans={})");
  // STAR over STAR builds the states of one STAR.
  EXPECT_EQ(Nfa(Rules(1, Star(Star(Leaf(1)))))->ToString(),
            Nfa(Rules(1, Star(Leaf(1))))->ToString());
  // No rules: just the start state.
  EXPECT_EQ(Nfa(Rules(0))->ToString(), "start(final=-1:start:trans={})");
}

TEST(BuildNfa, SkippedBodyEndingInALoopGetsItsOwnEndState) {
  // (ab*)*: the body's end state q0_3 loops back into the inner STAR, so the
  // outer skip and the fragment's end go to a new state q0_4.
  EXPECT_EQ(Nfa(Rules(2, Star(And(Leaf(1), Star(Leaf(2))))))->ToString(),
            "start(final=-1:start:trans={\n->q0_0(257)})\n"
            "q0_0(final=-1:trans={\n->q0_1(1), \n->q0_4(257)})\n"
            "q0_1(final=-1:trans={\n->q0_2(257)})\n"
            "q0_2(final=-1:trans={\n->q0_3(2), \n->q0_3(257)})\n"
            "q0_3(final=-1:trans={\n->q0_0(257), \n->q0_2(257), \n->q0_4(257)})\n"
            "q0_4(final=0:trans={})");
  // A body without moves of its own keeps the plain construction.
  EXPECT_EQ(Nfa(Rules(1, Opt(Leaf(1))))->states.count(), 3);
}

TEST(Language, RepetitionsOverBodiesThatEndInLoops) {
  struct Case {
    const char* name;
    NodePtr rule;
    std::vector<Input> accepted, rejected;
  };
  // Classes of the number rule: 1 '0', 2 [1-9], 3 '.', 4 [eE], 5 '+', 6 '-'.
  auto digit = [] { return Or(Leaf(1), Leaf(2)); };
  auto number =
      And(Opt(Leaf(6)), Or(Leaf(1), And(Leaf(2), Star(digit()))), Opt(And(Leaf(3), Plus(digit()))),
          Opt(And(Leaf(4), Opt(Or(Leaf(5), Leaf(6))), Plus(digit()))));
  std::vector<Case> cases;
  cases.push_back({"(ab*)*",
                   Star(And(Leaf(1), Star(Leaf(2)))),
                   {{}, {1}, {1, 2, 2}, {1, 1, 2}},
                   {{2}, {2, 1}, {2, 2}}});
  cases.push_back({"a(bc*)?",
                   And(Leaf(1), Opt(And(Leaf(2), Star(Leaf(3))))),
                   {{1}, {1, 2}, {1, 2, 3, 3}},
                   {{1, 3}, {1, 3, 3}}});
  cases.push_back(
      {"(ab+)?", Opt(And(Leaf(1), Plus(Leaf(2)))), {{}, {1, 2}, {1, 2, 2}}, {{2, 2}, {2}, {1}}});
  cases.push_back({"number",
                   std::move(number),
                   {{1}, {2, 1, 2}, {6, 1, 3, 1}, {2, 4, 5, 2}, {1, 3, 2, 4, 6, 1}},
                   {{1, 1, 2}, {1, 1}, {1, 2}, {3, 1}, {2, 3}, {1, 4}}});
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto built = Construct(Root(6, [&] {
      std::vector<NodePtr> rules;
      rules.push_back(std::move(c.rule));
      return rules;
    }()));
    for (const auto& in : c.accepted)
      EXPECT_EQ(RunDfa(*built.dfa, in), 0);
    for (const auto& in : c.rejected)
      EXPECT_EQ(RunDfa(*built.dfa, in), -1);
    for (const auto& in : AllInputs(6, 4)) {
      ASSERT_EQ(RunDfa(*built.dfa, in), ExpectedRule(*built.root, in));
    }
  }
}

TEST(EliminateEpsilon, WorkedExample) {
  auto nfa = Nfa(Rules(2, Leaf(1), Star(Or(Leaf(1), Leaf(2)))));
  EliminateEpsilon(*nfa);
  EXPECT_EQ(nfa->ToString(),
            "start(final=1:start:trans={\n->q0_0(1), \n->q1_0(1), \n->q1_0(2), \n->q1_1(1), "
            "\n->q1_1(2)})\n"
            "q0_0(final=0:trans={})\n"
            "q1_0(final=1:trans={\n->q1_0(1), \n->q1_0(2), \n->q1_1(1), \n->q1_1(2)})\n"
            "q1_1(final=1:trans={\n->q1_0(1), \n->q1_0(2), \n->q1_1(1), \n->q1_1(2)})");
}

TEST(EliminateEpsilon, ManyEpsilonPathsStayCheap) {
  // (a?|b?) forty times in a row: 2^80 epsilon paths through the NFA.
  auto sequence = std::make_unique<RegexNode>(NodeKind::AND);
  for (int i = 0; i < 40; ++i)
    sequence->children.push_back(Or(Opt(Leaf(1)), Opt(Leaf(2))));
  auto built = Construct(Rules(2, std::move(sequence)));
  ASSERT_NE(built.dfa, nullptr);
  EXPECT_EQ(RunDfa(*built.dfa, Input(40, 1)), 0);
  EXPECT_EQ(RunDfa(*built.dfa, Input(41, 2)), -1);
  EXPECT_EQ(RunDfa(*built.dfa, {}), 0);
}

TEST(BuildDfaFromEpsilonNfa, WorkedExampleWithBothNumberings) {
  auto built = Construct(Rules(2, Leaf(1), Star(Or(Leaf(1), Leaf(2)))));
  const Dfa& dfa = *built.dfa;
  EXPECT_EQ(reference::DfaToString(dfa, *built.nfa),
            "{start}(final=1:start:trans={\n->{q1_0, q1_1}(2), \n->{q0_0, q1_0, q1_1}(1)})\n"
            "{q1_0, q1_1}(final=1:trans={\n->{q1_0, q1_1}(1), \n->{q1_0, q1_1}(2)})\n"
            "{q0_0, q1_0, q1_1}(final=0:trans={\n->{q1_0, q1_1}(1), \n->{q1_0, q1_1}(2)})");
  ASSERT_EQ(dfa.states.size(), 3u);
  EXPECT_EQ(dfa.start, 0);
  // D1 = {q0_0, q1_0, q1_1} is found first but sorts last.
  EXPECT_EQ(dfa.states[0].index, 0);
  EXPECT_EQ(dfa.states[1].index, 2);
  EXPECT_EQ(dfa.states[2].index, 1);
  EXPECT_EQ(dfa.states[2].label, (std::vector<int32_t>{1, 2, 3}));
  ASSERT_EQ(dfa.states[0].moves.size(), 2u);
  EXPECT_EQ(dfa.states[0].moves[0].symbol, 1);
  EXPECT_EQ(dfa.states[0].moves[0].target, 2);
  EXPECT_EQ(dfa.states[0].moves[1].symbol, 2);
  EXPECT_EQ(dfa.states[0].moves[1].target, 1);
  EXPECT_EQ(dfa.charset->classCount, 2);
}

TEST(BuildDfaFromEpsilonNfa, AcceptingRulesEmptyMatchesAndEndOfInput) {
  // Equal texts: the earlier rule wins; an empty match makes the start accept.
  auto built = Construct(
      Rules(2, Opt(Leaf(2)), Leaf(1), Or(Leaf(1), Leaf(2)), Star(Leaf(1)), And(Leaf(2), Eof())));
  const Dfa& dfa = *built.dfa;
  EXPECT_EQ(dfa.states[static_cast<std::size_t>(dfa.start)].final, 0);
  EXPECT_EQ(RunDfa(dfa, {1}), 1);
  EXPECT_EQ(RunDfa(dfa, {2}), 0);
  EXPECT_EQ(RunDfa(dfa, {1, 1}), 3);
  EXPECT_EQ(RunDfa(dfa, {2, kEofSymbol}), 4);
  for (const DfaState& state : dfa.states) {
    for (std::size_t k = 0; k < state.moves.size(); ++k) {
      EXPECT_NE(state.moves[k].symbol, 0);
      EXPECT_NE(state.moves[k].symbol, kEpsilonSymbol);
      if (k > 0) {
        EXPECT_LT(state.moves[k - 1].symbol, state.moves[k].symbol);
      }
    }
  }

  // End of input is grouped before the classes: its target is found first.
  auto eof = Construct(Rules(1, Leaf(1), Eof()));
  EXPECT_EQ(reference::DfaToString(*eof.dfa, *eof.nfa),
            "{start}(final=-1:start:trans={\n->{q0_0}(1), \n->{q1_0}(-1)})\n"
            "{q0_0}(final=0:trans={})\n{q1_0}(final=1:trans={})");
  EXPECT_EQ(eof.dfa->states[2].index, 1);

  auto none = Construct(Rules(0));
  ASSERT_EQ(none.dfa->states.size(), 1u);
  EXPECT_EQ(none.dfa->states[0].final, -1);
  EXPECT_TRUE(none.dfa->states[0].moves.empty());
}

TEST(BuildDfaFromEpsilonNfa, StopsAtTheStateLimit) {
  // (a|b)*a(a|b)(a|b)(a|b): 16 states of the last four symbols read, and the
  // start state, which nothing leads back to.
  auto ab = [] { return Or(Leaf(1), Leaf(2)); };
  auto root = Rules(2, And(Star(ab()), Leaf(1), ab(), ab(), ab()));
  SimplifyRules(*root);
  auto nfa = BuildNfa(*root);
  std::size_t reached = 0;
  EXPECT_NE(BuildDfaFromEpsilonNfa(*nfa, 17, &reached), nullptr);
  EXPECT_EQ(reached, 17u);
  EXPECT_EQ(BuildDfaFromEpsilonNfa(*nfa, 16, &reached), nullptr);
  EXPECT_EQ(reached, 17u);
  EXPECT_EQ(BuildDfaFromEpsilonNfa(Automaton(), 10, &reached), nullptr);
  EXPECT_EQ(reached, 0u);
}

}  // namespace
}  // namespace tarnwick
