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
// (repetition).
struct Ends {
  State* from = nullptr;
  State* to = nullptr;
};

class FragmentBuilder final : public TreeWalker<const RegexNode, Ends, State*> {
 public:
  FragmentBuilder(Automaton& nfa, int32_t rule) : nfa_(nfa), rule_(rule) {}

  // The rule's own first state, made before its fragment.
  State* Entry() { return NewState(); }

 protected:
  Ends PreVisit(const RegexNode& node, const Ends& handed, bool&) override {
    if (node.kind == NodeKind::OR) return {handed.from, NewState()};
    if (IsRepetition(node.kind)) {
      State* loop = NewState();
      AddTransition(*handed.from, *loop, kEpsilonSymbol);
      return {handed.from, loop};
    }
    return {handed.from, nullptr};
  }

  Ends ChildArg(const RegexNode& node, const Ends& own, std::span<State*> done) override {
    if (node.kind == NodeKind::AND) return {done.empty() ? own.from : done.back(), nullptr};
    if (node.kind == NodeKind::OR) return own;
    return {own.to, nullptr};  // a repetition's body starts at L
  }

  State* PostVisit(const RegexNode& node, const Ends& handed, const Ends& own,
                   std::span<State*> ends) override {
    if (node.IsClassLeaf() && handed.to != nullptr) {
      // A class leaf of an alternative moves straight into its end state.
      AddTransition(*handed.from, *handed.to, node.kind);
      return handed.to;
    }
    if (node.kind == NodeKind::EndOfInput || node.kind == NodeKind::Epsilon || node.kind > 0) {
      State* end = NewState();
      const int32_t symbol = node.kind == NodeKind::EndOfInput ? kEofSymbol
                             : node.kind == NodeKind::Epsilon  ? kEpsilonSymbol
                                                               : node.kind;
      AddTransition(*handed.from, *end, symbol);
      return end;
    }
    if (node.kind == NodeKind::AND) return ends.empty() ? own.from : ends.back();
    if (node.kind == NodeKind::OR) {
      for (State* end : ends) {
        if (end != own.to) AddTransition(*end, *own.to, kEpsilonSymbol);
      }
      return own.to;
    }
    if (!IsRepetition(node.kind)) return own.from;
    // Repetitions always have their body; a malformed one ends at L.
    State* loop = own.to;
    if (ends.empty()) return loop;
    State* end = ends.front();
    State* fragmentEnd = end;
    const bool skippable = node.kind == NodeKind::STAR || node.kind == NodeKind::OPTION;
    if (skippable && !end->transitions.empty()) {
      fragmentEnd = NewState();
      AddTransition(*end, *fragmentEnd, kEpsilonSymbol);
    }
    if (skippable) AddTransition(*loop, *fragmentEnd, kEpsilonSymbol);
    if (node.kind != NodeKind::OPTION) AddTransition(*end, *loop, kEpsilonSymbol);
    return fragmentEnd;
  }

 private:
  State* NewState() {
    std::unique_ptr<Object> label = std::make_unique<StateId>(rule_, counter_++);
    return AddState(nfa_, label);
  }

  static bool IsRepetition(int32_t kind) {
    return kind == NodeKind::STAR || kind == NodeKind::MINONE || kind == NodeKind::OPTION;
  }

  Automaton& nfa_;
  int32_t rule_;
  int32_t counter_ = 0;
};

}  // namespace

std::unique_ptr<Automaton> BuildNfa(const RegexNode& root) {
  auto nfa = std::make_unique<Automaton>(root.charset ? root.charset->Clone() : nullptr);
  std::unique_ptr<Object> startLabel = std::make_unique<StateId>(-1, 0);
  State* start = AddState(*nfa, startLabel);
  if (root.kind != NodeKind::OR) return nfa;
  for (std::size_t r = 0; r < root.children.size(); ++r) {
    FragmentBuilder builder(*nfa, static_cast<int32_t>(r));
    State* end = builder.Walk(*root.children[r], {start, nullptr});
    end->final = static_cast<int32_t>(r);
  }
  return nfa;
}

std::unique_ptr<Automaton> BuildNfa(const RegexNode& root, const LexerStates& states) {
  if (!states.enabled) return BuildNfa(root);
  auto nfa = std::make_unique<Automaton>(root.charset ? root.charset->Clone() : nullptr);
  for (int32_t k = 0; k < states.StartCount(); ++k) {
    std::unique_ptr<Object> label = std::make_unique<StateId>(-1, k);
    nfa->starts.push_back(AddState(*nfa, label));
  }
  if (root.kind != NodeKind::OR) return nfa;
  for (std::size_t r = 0; r < root.children.size(); ++r) {
    FragmentBuilder builder(*nfa, static_cast<int32_t>(r));
    State* entry = builder.Entry();
    for (int32_t k = 0; k < states.StartCount(); ++k) {
      if (r < states.rules.size() && states.RuleStartsAt(r, k)) {
        AddTransition(*nfa->starts[static_cast<std::size_t>(k)], *entry, kEpsilonSymbol);
      }
    }
    State* end = builder.Walk(*root.children[r], {entry, nullptr});
    end->final = static_cast<int32_t>(r);
  }
  return nfa;
}

}  // namespace tarnwick
