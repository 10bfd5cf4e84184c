// NFA construction, one fragment per tree node, on the tree walker.
//
// Each node is handed the state its fragment starts from and gives back the
// state it ends in. A sequence hands each part the end of the part before it;
// an alternative makes its end state on the way down, so that class leaves
// move straight into it and the other branches join it by epsilon moves; a
// repetition makes its loop state L on the way down and builds its body from
// L. States are made in exactly the order a recursive builder would make them,
// so their numbers (and hence every later numbering) agree.
//
// The fragment logic runs over a sink: the object automaton, which the tests
// and the reference paths drive, or the compact builder, which a run uses so
// that no heap object per state and per move is ever made.
//
// A repetition that can be skipped (STAR, OPTION) must not land its skip move
// on a body end state that already has moves of its own (an inner loop): that
// would let the skip reach into the body. Such a body gets a fresh end state F
// behind an epsilon move, and the skip goes to F.
#include "automaton/nfa.h"

#include <utility>
#include <vector>

#include "regex/tree_walk.h"

namespace tarnwick {

namespace {

// What a node is handed, or keeps for its children: the state its fragment
// starts from and, for the children of an alternative and for the node
// itself, the state its fragment ends in (alternative) or loops on
// (repetition). States are numbered in the order they are made; -1 is none.
struct Ends {
  int32_t from = -1;
  int32_t to = -1;
};

// The fragment logic over a sink that makes states and moves: the object
// automaton for the tests and reference paths, the compact builder for a run.
// A sink gives NewState(rule, number), AddMove(from, to, symbol) and
// HasMoves(state).
template <class Sink>
class FragmentBuilder final : public TreeWalker<const RegexNode, Ends, int32_t> {
 public:
  FragmentBuilder(Sink& sink, int32_t rule) : sink_(sink), rule_(rule) {}

  // The rule's own first state, made before its fragment.
  int32_t Entry() { return NewState(); }

 protected:
  Ends PreVisit(const RegexNode& node, const Ends& handed, bool&) override {
    if (node.kind == NodeKind::OR) return {handed.from, NewState()};
    if (IsRepetition(node.kind)) {
      const int32_t loop = NewState();
      sink_.AddMove(handed.from, loop, kEpsilonSymbol);
      return {handed.from, loop};
    }
    return {handed.from, -1};
  }

  Ends ChildArg(const RegexNode& node, const Ends& own, std::span<int32_t> done) override {
    if (node.kind == NodeKind::AND) return {done.empty() ? own.from : done.back(), -1};
    if (node.kind == NodeKind::OR) return own;
    return {own.to, -1};  // a repetition's body starts at L
  }

  int32_t PostVisit(const RegexNode& node, const Ends& handed, const Ends& own,
                    std::span<int32_t> ends) override {
    if (node.IsClassLeaf() && handed.to != -1) {
      // A class leaf of an alternative moves straight into its end state.
      sink_.AddMove(handed.from, handed.to, node.kind);
      return handed.to;
    }
    if (node.kind == NodeKind::EndOfInput || node.kind == NodeKind::Epsilon || node.kind > 0) {
      const int32_t end = NewState();
      const int32_t symbol = node.kind == NodeKind::EndOfInput ? kEofSymbol
                             : node.kind == NodeKind::Epsilon  ? kEpsilonSymbol
                                                               : node.kind;
      sink_.AddMove(handed.from, end, symbol);
      return end;
    }
    if (node.kind == NodeKind::AND) return ends.empty() ? own.from : ends.back();
    if (node.kind == NodeKind::OR) {
      for (int32_t end : ends) {
        if (end != own.to) sink_.AddMove(end, own.to, kEpsilonSymbol);
      }
      return own.to;
    }
    if (!IsRepetition(node.kind)) return own.from;
    // Repetitions always have their body; a malformed one ends at L.
    const int32_t loop = own.to;
    if (ends.empty()) return loop;
    const int32_t end = ends.front();
    int32_t fragmentEnd = end;
    const bool skippable = node.kind == NodeKind::STAR || node.kind == NodeKind::OPTION;
    if (skippable && sink_.HasMoves(end)) {
      fragmentEnd = NewState();
      sink_.AddMove(end, fragmentEnd, kEpsilonSymbol);
    }
    if (skippable) sink_.AddMove(loop, fragmentEnd, kEpsilonSymbol);
    if (node.kind != NodeKind::OPTION) sink_.AddMove(end, loop, kEpsilonSymbol);
    return fragmentEnd;
  }

 private:
  int32_t NewState() { return sink_.NewState(rule_, counter_++); }

  static bool IsRepetition(int32_t kind) {
    return kind == NodeKind::STAR || kind == NodeKind::MINONE || kind == NodeKind::OPTION;
  }

  Sink& sink_;
  int32_t rule_;
  int32_t counter_ = 0;
};

// Object states by creation number; AddTransition keeps each state's moves
// sorted and free of repeats.
class ObjectSink {
 public:
  explicit ObjectSink(Automaton& nfa) : nfa_(nfa) {}

  int32_t NewState(int32_t rule, int32_t number) {
    std::unique_ptr<Object> label = std::make_unique<StateId>(rule, number);
    made_.push_back(AddState(nfa_, label));
    return static_cast<int32_t>(made_.size() - 1);
  }
  void AddMove(int32_t from, int32_t to, int32_t symbol) {
    AddTransition(*StateAt(from), *StateAt(to), symbol);
  }
  bool HasMoves(int32_t q) const { return !StateAt(q)->transitions.empty(); }
  State* StateAt(int32_t q) const { return made_[static_cast<std::size_t>(q)]; }

 private:
  Automaton& nfa_;
  std::vector<State*> made_;
};

// Creation numbers are positions: the start states come first and every
// rule's states follow those of the rules before it, which is label order.
class CompactSink {
 public:
  explicit CompactSink(CompactNfaBuilder& builder) : builder_(builder) {}

  int32_t NewState(int32_t, int32_t) { return builder_.AddState(); }
  void AddMove(int32_t from, int32_t to, int32_t symbol) { builder_.AddMove(from, to, symbol); }
  bool HasMoves(int32_t q) const { return builder_.HasMoves(q); }

 private:
  CompactNfaBuilder& builder_;
};

// The shared shape of both constructions: the start states, then each rule's
// fragment from its entry, ending in a state that accepts the rule;
// `done(r, end)` is called once rule r's fragment stands.
template <class Sink, class Done>
void BuildFragments(Sink& sink, const RegexNode& root, const LexerStates& states,
                    std::vector<int32_t>& starts, Done done) {
  if (!states.enabled) {
    starts.push_back(sink.NewState(-1, 0));
  } else {
    for (int32_t k = 0; k < states.StartCount(); ++k)
      starts.push_back(sink.NewState(-1, k));
  }
  const std::size_t ruleCount = root.kind == NodeKind::OR ? root.children.size() : 0;
  for (std::size_t r = 0; r < ruleCount; ++r) {
    FragmentBuilder<Sink> builder(sink, static_cast<int32_t>(r));
    int32_t entry = states.enabled ? builder.Entry() : starts.front();
    if (states.enabled) {
      for (int32_t k = 0; k < states.StartCount(); ++k) {
        if (r < states.rules.size() && states.RuleStartsAt(r, k)) {
          sink.AddMove(starts[static_cast<std::size_t>(k)], entry, kEpsilonSymbol);
        }
      }
    }
    const int32_t end = builder.Walk(*root.children[r], {entry, -1});
    done(r, end);
  }
}

}  // namespace

std::unique_ptr<Automaton> BuildNfa(const RegexNode& root) {
  return BuildNfa(root, {});
}

std::unique_ptr<Automaton> BuildNfa(const RegexNode& root, const LexerStates& states) {
  auto nfa = std::make_unique<Automaton>(root.charset ? root.charset->Clone() : nullptr);
  ObjectSink sink(*nfa);
  std::vector<int32_t> starts;
  BuildFragments(sink, root, states, starts, [&](std::size_t r, int32_t end) {
    sink.StateAt(end)->final = static_cast<int32_t>(r);
  });
  if (states.enabled) {
    for (int32_t start : starts)
      nfa->starts.push_back(sink.StateAt(start));
  }
  return nfa;
}

CompactNfa BuildCompactNfa(RegexNode& root, const LexerStates& states) {
  CompactNfaBuilder builder;
  CompactSink sink(builder);
  std::vector<int32_t> starts;
  // The operand lists point into the trees about to go.
  if (root.charset) {
    root.charset->operandSets.clear();
    root.charset->operandSets.shrink_to_fit();
  }
  BuildFragments(sink, root, states, starts, [&](std::size_t r, int32_t end) {
    builder.SetFinal(end, static_cast<int32_t>(r));
    root.children[r].reset();
  });
  root.children.clear();
  root.children.shrink_to_fit();
  if (states.enabled) {
    for (int32_t start : starts)
      builder.AddStart(start);
  }
  return builder.Finish();
}

}  // namespace tarnwick
