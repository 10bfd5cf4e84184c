// Test support: an independent matcher over syntax trees, a DFA runner and a
// generator of random lexer definitions.
//
// The matcher computes, for a node and a start position, the set of positions
// where a match of the node can end; repetitions iterate to a fixed point. It
// shares nothing with the automaton code, so agreement between the two is
// evidence that the automata accept the right language.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "../regex/tree_builders.h"
#include "automaton/dfa.h"
#include "regex/symbols.h"

namespace tarnwick::testing {

using Input = std::vector<int32_t>;  // class numbers and kEofSymbol

inline std::set<std::size_t> Ends(const RegexNode& node, const Input& in, std::size_t at) {
  std::set<std::size_t> out;
  auto step = [&](const RegexNode& n, const std::set<std::size_t>& from) {
    std::set<std::size_t> next;
    for (std::size_t p : from) {
      for (std::size_t e : Ends(n, in, p))
        next.insert(e);
    }
    return next;
  };
  auto closure = [&](std::set<std::size_t> reached) {
    std::set<std::size_t> frontier = reached;
    while (!frontier.empty()) {
      std::set<std::size_t> fresh;
      for (std::size_t e : step(*node.children[0], frontier)) {
        if (reached.insert(e).second) fresh.insert(e);
      }
      frontier = std::move(fresh);
    }
    return reached;
  };
  switch (node.kind) {
    case NodeKind::Epsilon:
      out.insert(at);
      break;
    case NodeKind::AND: {
      std::set<std::size_t> reached{at};
      for (const auto& child : node.children)
        reached = step(*child, reached);
      out = std::move(reached);
      break;
    }
    case NodeKind::OR:
      for (const auto& child : node.children) {
        for (std::size_t e : Ends(*child, in, at))
          out.insert(e);
      }
      break;
    case NodeKind::STAR:
      out = closure({at});
      break;
    case NodeKind::MINONE:
      out = closure(Ends(*node.children[0], in, at));
      break;
    case NodeKind::OPTION:
      out = Ends(*node.children[0], in, at);
      out.insert(at);
      break;
    default:  // class leaf or end of input: one symbol
      if (at < in.size() && in[at] == node.kind) out.insert(at + 1);
      break;
  }
  return out;
}

inline bool Matches(const RegexNode& rule, const Input& in) {
  return Ends(rule, in, 0).count(in.size()) > 0;
}

// The lowest rule matching all of `in`, or -1.
inline int32_t ExpectedRule(const RegexNode& root, const Input& in) {
  for (std::size_t r = 0; r < root.children.size(); ++r) {
    if (Matches(*root.children[r], in)) return static_cast<int32_t>(r);
  }
  return -1;
}

// The rule the DFA accepts after reading all of `in`, or -1.
inline int32_t RunDfa(const Dfa& dfa, const Input& in) {
  int32_t at = dfa.start;
  for (int32_t symbol : in) {
    const auto& moves = dfa.states[static_cast<std::size_t>(at)].moves;
    auto it = std::find_if(moves.begin(), moves.end(),
                           [&](const DfaMove& m) { return m.symbol == symbol; });
    if (it == moves.end()) return -1;
    at = it->target;
  }
  return dfa.states[static_cast<std::size_t>(at)].final;
}

// Random trees over classes 1..classes, in every shape the tree model allows
// (nested operators of one kind, Epsilon parts, empty alternatives, end of
// input), so that simplification has work to do.
class TreeGenerator {
 public:
  TreeGenerator(uint32_t seed, int32_t classes) : random_(seed), classes_(classes) {}

  NodePtr Tree(int depth) {
    const int pick = Pick(depth <= 0 ? 3 : 10);
    switch (pick) {
      case 0:
        return Leaf(1 + Pick(classes_));
      case 1:
        return Pick(8) == 0 ? Eof() : OperandOr();
      case 2:
        return Pick(3) == 0 ? Eps() : Leaf(1 + Pick(classes_));
      case 3:
      case 4: {
        auto node = std::make_unique<RegexNode>(NodeKind::AND);
        const int n = 1 + Pick(3);
        for (int i = 0; i < n; ++i)
          node->children.push_back(Tree(depth - 1));
        return node;
      }
      case 5: {
        auto node = std::make_unique<RegexNode>(NodeKind::OR);
        const int n = 1 + Pick(3);
        for (int i = 0; i < n; ++i)
          node->children.push_back(Tree(depth - 1));
        return node;
      }
      case 6:
        return Star(Tree(depth - 1));
      case 7:
        return Plus(Tree(depth - 1));
      case 8:
        return Opt(Tree(depth - 1));
      default:
        return Pick(10) == 0 ? Or() : OperandOr();
    }
  }

  NodePtr Definition(int maxRules, int depth) {
    std::vector<NodePtr> rules;
    const int n = Pick(maxRules + 1);
    for (int i = 0; i < n; ++i)
      rules.push_back(Tree(depth));
    return Root(classes_, std::move(rules));
  }

  Input RandomInput(std::size_t maxLength) {
    Input in(static_cast<std::size_t>(Pick(static_cast<int>(maxLength) + 1)));
    for (auto& symbol : in)
      symbol = Pick(12) == 0 ? kEofSymbol : 1 + Pick(classes_);
    return in;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

 private:
  // An operand as class refinement makes it: an OR of distinct class leaves.
  NodePtr OperandOr() {
    auto node = std::make_unique<RegexNode>(NodeKind::OR);
    for (int32_t k = 1; k <= classes_; ++k) {
      if (Pick(3) == 0) node->children.push_back(Leaf(k));
    }
    if (node->children.empty()) node->children.push_back(Leaf(1 + Pick(classes_)));
    return node;
  }

  std::mt19937 random_;
  int32_t classes_;
};

// Every input over classes 1..classes of length up to maxLength.
inline std::vector<Input> AllInputs(int32_t classes, std::size_t maxLength) {
  std::vector<Input> all{{}};
  for (std::size_t begin = 0; begin < all.size(); ++begin) {
    if (all[begin].size() >= maxLength) continue;
    for (int32_t k = 1; k <= classes; ++k) {
      Input longer = all[begin];
      longer.push_back(k);
      all.push_back(std::move(longer));
    }
  }
  return all;
}

}  // namespace tarnwick::testing
