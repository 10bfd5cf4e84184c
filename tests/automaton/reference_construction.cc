// The textbook construction, step by step as written, recursion included.
#include "reference_construction.h"

#include <algorithm>
#include <vector>

namespace tarnwick::reference {

int CompareBySymbol(const Object& a, const Object& b) {
  return static_cast<const Transition&>(a).symbol - static_cast<const Transition&>(b).symbol;
}

std::unique_ptr<RegexNode> SimplifyNode(std::unique_ptr<RegexNode> node) {
  auto& children = node->children;
  for (std::size_t i = 0; i < children.size(); ++i) {
    if (children[i]->kind != node->kind) continue;
    std::unique_ptr<RegexNode> taken = std::move(children[i]);
    children.erase(children.begin() + static_cast<std::ptrdiff_t>(i));
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(i),
                    std::make_move_iterator(taken->children.begin()),
                    std::make_move_iterator(taken->children.end()));
    taken->children.clear();
    return SimplifyNode(std::move(node));
  }
  if (node->kind == NodeKind::AND) {
    for (std::size_t i = 0; i < children.size();) {
      if (children[i]->kind == NodeKind::Epsilon && children.size() > 1) {
        children.erase(children.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
  }
  if ((node->kind == NodeKind::AND || node->kind == NodeKind::OR) && children.size() == 1) {
    std::unique_ptr<RegexNode> only = std::move(children[0]);
    children.clear();
    return SimplifyNode(std::move(only));
  }
  for (auto& child : children)
    child = SimplifyNode(std::move(child));
  return node;
}

void SimplifyRules(RegexNode& root) {
  if (root.charset) root.charset->operandSets.clear();
  if (root.kind != NodeKind::OR) return;
  for (auto& child : root.children)
    child = SimplifyNode(std::move(child));
}

namespace {

State* NewState(Automaton& nfa, int32_t rule, int32_t& counter) {
  std::unique_ptr<Object> label = std::make_unique<StateId>(rule, counter);
  ++counter;
  return AddState(nfa, label);
}

State* BuildFragment(const RegexNode& node, Automaton& nfa, State* from, int32_t rule,
                     int32_t& counter) {
  switch (node.kind) {
    case NodeKind::EndOfInput: {
      State* e = NewState(nfa, rule, counter);
      AddTransition(*from, *e, kEofSymbol);
      return e;
    }
    case NodeKind::AND: {
      State* at = from;
      for (const auto& child : node.children)
        at = BuildFragment(*child, nfa, at, rule, counter);
      return at;
    }
    case NodeKind::OR: {
      State* e = NewState(nfa, rule, counter);
      for (const auto& child : node.children) {
        if (child->kind > 0) {
          AddTransition(*from, *e, child->kind);
        } else {
          State* x = BuildFragment(*child, nfa, from, rule, counter);
          AddTransition(*x, *e, kEpsilonSymbol);
        }
      }
      return e;
    }
    case NodeKind::STAR:
    case NodeKind::MINONE:
    case NodeKind::OPTION: {
      State* l = NewState(nfa, rule, counter);
      AddTransition(*from, *l, kEpsilonSymbol);
      State* e = BuildFragment(*node.children[0], nfa, l, rule, counter);
      State* end = e;
      if (node.kind != NodeKind::MINONE && !e->transitions.empty()) {
        end = NewState(nfa, rule, counter);
        AddTransition(*e, *end, kEpsilonSymbol);
      }
      if (node.kind != NodeKind::MINONE) AddTransition(*l, *end, kEpsilonSymbol);
      if (node.kind != NodeKind::OPTION) AddTransition(*e, *l, kEpsilonSymbol);
      return end;
    }
    case NodeKind::Epsilon: {
      State* e = NewState(nfa, rule, counter);
      AddTransition(*from, *e, kEpsilonSymbol);
      return e;
    }
    default: {
      State* e = NewState(nfa, rule, counter);
      AddTransition(*from, *e, node.kind);
      return e;
    }
  }
}

void EpsilonWalk(State* source, State* current, int32_t symbol, std::vector<State*>& path) {
  if (std::find(path.begin(), path.end(), current) != path.end()) return;
  path.push_back(current);
  if (symbol != kEpsilonSymbol) AddTransition(*source, *current, symbol);
  for (int i = 0; i < current->transitions.count(); ++i) {
    Transition* t = current->transitions[i];
    if (t->symbol == kEpsilonSymbol) {
      State* target = t->target;
      if (target->final > -1 && symbol == kEpsilonSymbol &&
          (target->final < source->final || source->final == -1)) {
        source->final = target->final;
      }
      EpsilonWalk(source, target, symbol, path);
    } else if (symbol == kEpsilonSymbol) {
      std::vector<State*> second;
      EpsilonWalk(source, t->target, t->symbol, second);
    }
  }
  path.pop_back();
}

void ExpandDfaState(Automaton& nfa, Automaton& dfa, State* d) {
  ObjectSet<Transition> groups;
  std::vector<State*> work;
  auto& label = static_cast<ObjectSet<State>&>(*d->label);
  for (int i = 0; i < label.count(); ++i) {
    State* c = label[i];
    State* s = AddState(nfa, c->label);
    if (s->final > -1 && (s->final < d->final || d->final == -1)) d->final = s->final;
    for (int k = 0; k < s->transitions.count(); ++k) {
      Transition* t = s->transitions[k];
      auto g = std::make_unique<Transition>(nullptr, t->symbol);
      g->ownedTarget = std::make_unique<State>(std::make_unique<ObjectSet<State>>());
      g->target = g->ownedTarget.get();
      g->ReplaceCompare(&CompareBySymbol);
      Transition* group = groups.Insert(g);
      auto clone = t->target->Clone();
      static_cast<ObjectSet<State>&>(*group->target->label).Insert(clone);
    }
  }
  for (int i = 0; i < groups.count(); ++i) {
    Transition* g = groups[i];
    bool inserted = false;
    State* t = AddState(dfa, g->target->label, &inserted);
    AddTransition(*d, *t, g->symbol);
    if (inserted) work.push_back(t);
  }
  groups.Clear();
  for (State* w : work)
    ExpandDfaState(nfa, dfa, w);
}

}  // namespace

std::unique_ptr<Automaton> BuildNfa(const RegexNode& root) {
  auto nfa = std::make_unique<Automaton>(root.charset ? root.charset->Clone() : nullptr);
  std::unique_ptr<Object> startLabel = std::make_unique<StateId>(-1, 0);
  State* start = AddState(*nfa, startLabel);
  if (root.kind != NodeKind::OR) return nfa;
  for (std::size_t r = 0; r < root.children.size(); ++r) {
    int32_t counter = 0;
    State* e = BuildFragment(*root.children[r], *nfa, start, static_cast<int32_t>(r), counter);
    e->final = static_cast<int32_t>(r);
  }
  return nfa;
}

void EliminateEpsilon(Automaton& nfa) {
  for (int i = 0; i < nfa.states.count(); ++i) {
    std::vector<State*> path;
    EpsilonWalk(nfa.states[i], nfa.states[i], kEpsilonSymbol, path);
  }
  for (int i = 0; i < nfa.states.count(); ++i) {
    auto& moves = nfa.states[i]->transitions;
    for (int k = 0; k < moves.count();) {
      if (moves[k]->symbol == kEpsilonSymbol) {
        moves.RemoveAt(k);
      } else {
        ++k;
      }
    }
  }
}

std::unique_ptr<Automaton> BuildDfa(Automaton& nfa) {
  if (nfa.states.empty()) return nullptr;
  auto dfa = std::make_unique<Automaton>(nfa.charset ? nfa.charset->Clone() : nullptr);
  auto set = std::make_unique<ObjectSet<State>>();
  auto startClone = nfa.start->Clone();
  set->Insert(startClone);
  std::unique_ptr<Object> label = std::move(set);
  State* d0 = AddState(*dfa, label);
  ExpandDfaState(nfa, *dfa, d0);
  return dfa;
}

std::string DfaToString(const Dfa& dfa, const Automaton& nfa) {
  std::vector<std::string> labels;
  labels.reserve(dfa.states.size());
  for (const DfaState& state : dfa.states) {
    std::string text = "{";
    for (std::size_t k = 0; k < state.label.size(); ++k) {
      if (k > 0) text += ", ";
      text += nfa.states[state.label[k]]->ToString();
    }
    labels.push_back(text + "}");
  }
  std::string out;
  for (std::size_t p = 0; p < dfa.states.size(); ++p) {
    const DfaState& state = dfa.states[p];
    if (p > 0) out += "\n";
    out += labels[p] + "(final=" + std::to_string(state.final);
    if (static_cast<int32_t>(p) == dfa.start) out += ":start";
    // A transition set orders by target label, then symbol.
    std::vector<DfaMove> moves = state.moves;
    std::sort(moves.begin(), moves.end(), [](const DfaMove& a, const DfaMove& b) {
      return a.target != b.target ? a.target < b.target : a.symbol < b.symbol;
    });
    out += ":trans={";
    for (std::size_t k = 0; k < moves.size(); ++k) {
      if (k > 0) out += ", ";
      out += "\n->" + labels[static_cast<std::size_t>(moves[k].target)] + "(" +
             std::to_string(moves[k].symbol) + ")";
    }
    out += "})";
  }
  return out;
}

}  // namespace tarnwick::reference
