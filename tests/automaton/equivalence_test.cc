// The fast construction against the literal one, the construction straight
// from the epsilon NFA against elimination followed by the subset
// construction, and the result against the independent matcher, on generated
// definitions.
#include <gtest/gtest.h>

#include "automaton/nfa.h"
#include "automaton/subset.h"
#include "eliminate_epsilon.h"
#include "language_support.h"
#include "reference_construction.h"
#include "regex/simplify.h"
#include "same_dfa.h"

namespace tarnwick {
namespace {

using testing::AllInputs;
using testing::ExpectedRule;
using testing::RunDfa;
using testing::SameDfa;
using testing::TreeGenerator;

TEST(Equivalence, FastConstructionBuildsTheLiteralAutomata) {
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    TreeGenerator generator(seed, 1 + static_cast<int32_t>(seed % 4));
    auto definition = generator.Definition(4, 4);
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + definition->ToString());

    auto fastRoot = definition->Clone();
    auto slowRoot = definition->Clone();
    SimplifyRules(*fastRoot);
    reference::SimplifyRules(*slowRoot);
    ASSERT_EQ(fastRoot->ToString(), slowRoot->ToString());

    auto fastNfa = BuildNfa(*fastRoot);
    auto slowNfa = reference::BuildNfa(*slowRoot);
    ASSERT_EQ(fastNfa->ToString(), slowNfa->ToString());

    auto fastDfa = BuildDfaFromEpsilonNfa(*fastNfa, 100000);
    reference::EliminateEpsilon(*slowNfa);
    auto slowDfa = reference::BuildDfa(*slowNfa);
    ASSERT_NE(fastDfa, nullptr);
    ASSERT_EQ(reference::DfaToString(*fastDfa, *fastNfa), slowDfa->ToString());
    // The index of every state, which the text does not show.
    for (int p = 0; p < slowDfa->states.count(); ++p) {
      ASSERT_EQ(fastDfa->states[static_cast<std::size_t>(p)].index, slowDfa->states[p]->index);
    }
  }
}

TEST(Equivalence, DfaStraightFromTheEpsilonNfaIsTheEliminatedNfasDfa) {
  for (uint32_t seed = 2000; seed < 2600; ++seed) {
    // Larger definitions than above: long epsilon chains, nested loops and
    // many rules sharing closures are where the two paths could part.
    TreeGenerator generator(seed, 1 + static_cast<int32_t>(seed % 4));
    auto definition = generator.Definition(6, 2 + static_cast<int>(seed % 5));
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + definition->ToString());
    SimplifyRules(*definition);
    auto nfa = BuildNfa(*definition);

    std::size_t fusedReached = 0;
    auto fused = BuildDfaFromEpsilonNfa(*nfa, 100000, &fusedReached);
    ASSERT_NE(fused, nullptr);
    std::size_t tightReached = 0;
    const std::size_t tight = fused->states.size() / 2;
    EXPECT_EQ(BuildDfaFromEpsilonNfa(*nfa, tight, &tightReached), nullptr);

    std::size_t reached = 0;
    auto dfa = BuildDfaByElimination(*nfa, 100000, &reached);
    ASSERT_NE(dfa, nullptr);
    ASSERT_TRUE(SameDfa(*fused, *dfa));
    ASSERT_EQ(reference::DfaToString(*fused, *nfa), reference::DfaToString(*dfa, *nfa));
    EXPECT_EQ(fusedReached, reached);
    std::size_t eliminatedTightReached = 0;
    BuildDfaFromEpsilonNfa(*nfa, tight, &eliminatedTightReached);
    EXPECT_EQ(tightReached, eliminatedTightReached);
  }
}

TEST(Equivalence, DfaAcceptsTheLanguageOfTheRules) {
  for (uint32_t seed = 1000; seed < 1300; ++seed) {
    const int32_t classes = 1 + static_cast<int32_t>(seed % 3);
    TreeGenerator generator(seed, classes);
    auto definition = generator.Definition(3, 5);
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + definition->ToString());

    auto root = definition->Clone();
    SimplifyRules(*root);
    auto nfa = BuildNfa(*root);
    auto dfa = BuildDfaFromEpsilonNfa(*nfa, 100000);
    ASSERT_NE(dfa, nullptr);

    auto inputs = AllInputs(classes, 5);
    for (int i = 0; i < 40; ++i)
      inputs.push_back(generator.RandomInput(8));
    for (const auto& input : inputs) {
      ASSERT_EQ(RunDfa(*dfa, input), ExpectedRule(*definition, input))
          << "input of length " << input.size();
    }
  }
}

}  // namespace
}  // namespace tarnwick
