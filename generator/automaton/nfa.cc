// NFA construction, one fragment per tree node, with an explicit stack.
//
// A frame stands for a node whose fragment is half built: a sequence waits for
// its next part, an alternative for its next non-leaf branch, a repetition for
// its body. When a frame's fragment is complete its end state is handed to the
// frame below. States are made in exactly the order a recursive builder would
// make them, so their numbers (and hence every later numbering) agree.
//
// A repetition that can be skipped (STAR, OPTION) must not land its skip move
// on a body end state that already has moves of its own (an inner loop): that
// would let the skip reach into the body. Such a body gets a fresh end state F
// behind an epsilon move, and the skip goes to F.
#include "automaton/nfa.h"

#include <utility>
#include <vector>

namespace tarnwick {

namespace {

class FragmentBuilder {
 public:
  FragmentBuilder(Automaton& nfa, int32_t rule) : nfa_(nfa), rule_(rule) {}

  // Builds `node` from `from`; gives the end state.
  State* Build(const RegexNode& node, State* from) {
    State* returned = Enter(node, from);
    while (!frames_.empty()) {
      if (returned == nullptr) {
        returned = Continue(frames_.back());
      } else {
        returned = Resume(frames_.back(), returned);
      }
    }
    return returned;
  }

 private:
  struct Frame {
    const RegexNode* node;
    State* from;
    std::size_t next = 0;      // next child to build
    State* current = nullptr;  // AND: end of the parts so far; OR: the end state
    State* loop = nullptr;     // repetitions: the loop state L
  };

  State* NewState() {
    std::unique_ptr<Object> label = std::make_unique<StateId>(rule_, counter_++);
    return AddState(nfa_, label);
  }

  static bool IsRepetition(int32_t kind) {
    return kind == NodeKind::STAR || kind == NodeKind::MINONE || kind == NodeKind::OPTION;
  }

  // Starts the fragment of `node`. Gives its end state when it is complete at
  // once, else pushes a frame and gives null (or descends and gives the end
  // state of a completed descendant).
  State* Enter(const RegexNode& node, State* from) {
    if (node.kind == NodeKind::EndOfInput || node.kind == NodeKind::Epsilon || node.kind > 0) {
      State* end = NewState();
      const int32_t symbol = node.kind == NodeKind::EndOfInput ? kEofSymbol
                             : node.kind == NodeKind::Epsilon  ? kEpsilonSymbol
                                                               : node.kind;
      AddTransition(*from, *end, symbol);
      return end;
    }
    frames_.push_back(Frame{&node, from});
    Frame& frame = frames_.back();
    if (node.kind == NodeKind::AND) {
      frame.current = from;
    } else if (node.kind == NodeKind::OR) {
      frame.current = NewState();
    } else if (IsRepetition(node.kind)) {
      frame.loop = NewState();
      AddTransition(*from, *frame.loop, kEpsilonSymbol);
    }
    return nullptr;
  }

  // Builds the frame's next child, or completes the frame.
  State* Continue(Frame& frame) {
    const RegexNode& node = *frame.node;
    if (node.kind == NodeKind::OR) {
      // Class leaves move straight into the end state.
      while (frame.next < node.children.size() && node.children[frame.next]->IsClassLeaf()) {
        AddTransition(*frame.from, *frame.current, node.children[frame.next]->kind);
        ++frame.next;
      }
    }
    if (frame.next >= node.children.size()) {
      // AND, OR: done. Repetitions always have their body, so never here
      // unless malformed; then the loop state ends the fragment.
      State* end = IsRepetition(node.kind) ? frame.loop : frame.current;
      if (end == nullptr) end = frame.from;
      frames_.pop_back();
      return end;
    }
    const RegexNode& child = *node.children[frame.next++];
    State* childFrom = node.kind == NodeKind::AND ? frame.current
                       : IsRepetition(node.kind)  ? frame.loop
                                                  : frame.from;
    return Enter(child, childFrom);
  }

  // A child of the frame's node has ended in `end`.
  State* Resume(Frame& frame, State* end) {
    const RegexNode& node = *frame.node;
    if (node.kind == NodeKind::AND) {
      frame.current = end;
      return nullptr;
    }
    if (node.kind == NodeKind::OR) {
      AddTransition(*end, *frame.current, kEpsilonSymbol);
      return nullptr;
    }
    // Repetition: the body from L has ended in `end`.
    State* loop = frame.loop;
    State* fragmentEnd = end;
    const bool skippable = node.kind == NodeKind::STAR || node.kind == NodeKind::OPTION;
    if (skippable && !end->transitions.empty()) {
      fragmentEnd = NewState();
      AddTransition(*end, *fragmentEnd, kEpsilonSymbol);
    }
    if (skippable) AddTransition(*loop, *fragmentEnd, kEpsilonSymbol);
    if (node.kind != NodeKind::OPTION) AddTransition(*end, *loop, kEpsilonSymbol);
    frames_.pop_back();
    return fragmentEnd;
  }

  Automaton& nfa_;
  int32_t rule_;
  int32_t counter_ = 0;
  std::vector<Frame> frames_;
};

}  // namespace

std::unique_ptr<Automaton> BuildNfa(const RegexNode& root) {
  auto nfa = std::make_unique<Automaton>(root.charset ? root.charset->Clone() : nullptr);
  std::unique_ptr<Object> startLabel = std::make_unique<StateId>(-1, 0);
  State* start = AddState(*nfa, startLabel);
  if (root.kind != NodeKind::OR) return nfa;
  for (std::size_t r = 0; r < root.children.size(); ++r) {
    FragmentBuilder builder(*nfa, static_cast<int32_t>(r));
    State* end = builder.Build(*root.children[r], start);
    end->final = static_cast<int32_t>(r);
  }
  return nfa;
}

}  // namespace tarnwick
