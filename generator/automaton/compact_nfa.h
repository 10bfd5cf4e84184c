// CompactNfa: an NFA reduced to positions in flat arrays, for the subset
// construction.
//
// The object automaton keeps every move as its own heap object; the subset
// construction only needs, per NFA position, the accepting rule, the
// consuming moves and the epsilon moves. These are laid out
// as offset tables into two shared arrays, so reading a state's moves touches
// one contiguous block and the whole thing is a handful of allocations. A run
// builds it straight from the rule trees (BuildCompactNfa in nfa.h); the
// tests and reference paths lay out an object automaton.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "automaton/automaton.h"

namespace tarnwick {

struct CompactMove {
  int32_t symbol;  // a class number or kEofSymbol
  int32_t target;  // NFA position
};

struct CompactNfa {
  std::vector<int32_t> finals;            // per position
  std::vector<std::size_t> moveBegin;     // per position, plus one end
  std::vector<CompactMove> moves;         // consuming moves, state by state
  std::vector<std::size_t> epsilonBegin;  // per position, plus one end
  std::vector<int32_t> epsilonTargets;    // epsilon moves, state by state
  int32_t start = 0;
  std::vector<int32_t> starts;  // the positions of Automaton::starts, if any
  int32_t minSymbol = 0;        // bounds of the consuming symbols (0, 0 without any)
  int32_t maxSymbol = 0;
  bool hasEpsilon = false;

  std::size_t size() const { return finals.size(); }
  std::span<const CompactMove> MovesOf(int32_t q) const {
    const auto p = static_cast<std::size_t>(q);
    return {moves.data() + moveBegin[p], moves.data() + moveBegin[p + 1]};
  }
  std::span<const int32_t> EpsilonOf(int32_t q) const {
    const auto p = static_cast<std::size_t>(q);
    return {epsilonTargets.data() + epsilonBegin[p], epsilonTargets.data() + epsilonBegin[p + 1]};
  }
};

// Epsilon moves go to the epsilon table, all others to the consuming moves.
CompactNfa MakeCompactNfa(const Automaton& nfa);

// Builds a CompactNfa from states and moves given in any order, keeping each
// state's moves as the object automaton keeps its transitions: ascending by
// target, then symbol, without repeats. States are numbered in the order they
// are added, which must be label order; the first is the start.
class CompactNfaBuilder {
 public:
  int32_t AddState();
  void SetFinal(int32_t q, int32_t rule) { finals_[static_cast<std::size_t>(q)] = rule; }
  void AddMove(int32_t from, int32_t target, int32_t symbol);
  // Whether any move leaves q yet.
  bool HasMoves(int32_t q) const { return hasMoves_[static_cast<std::size_t>(q)] != 0; }
  // Several start states, in start order (CompactNfa::starts).
  void AddStart(int32_t q) { starts_.push_back(q); }
  // Lays the moves out; the builder is empty afterwards.
  CompactNfa Finish();

 private:
  struct RawMove {
    int32_t from;
    int32_t target;
    int32_t symbol;
  };
  std::vector<int32_t> finals_;
  std::vector<uint8_t> hasMoves_;
  std::vector<RawMove> moves_;
  std::vector<int32_t> starts_;
};

}  // namespace tarnwick
