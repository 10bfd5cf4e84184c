// The automaton objects' protocol operations, AddState and AddTransition.
//
// States compare by label and transitions by target label, then symbol, so
// that one ObjectSet insert both finds and deduplicates.
#include "automaton/automaton.h"

#include <stdexcept>
#include <utility>

namespace tarnwick {

namespace {

int CompareStateIds(const Object& a, const Object& b) {
  const auto& x = static_cast<const StateId&>(a);
  const auto& y = static_cast<const StateId&>(b);
  if (x.rule != y.rule) return x.rule - y.rule;
  return x.number - y.number;
}

int CompareStates(const Object& a, const Object& b) {
  const auto& x = static_cast<const State&>(a);
  const auto& y = static_cast<const State&>(b);
  return x.label->Compare(*y.label);
}

int CompareTransitions(const Object& a, const Object& b) {
  const auto& x = static_cast<const Transition&>(a);
  const auto& y = static_cast<const Transition&>(b);
  const int r = x.target->Compare(*y.target);
  if (r != 0) return r;
  return x.symbol - y.symbol;
}

int CompareAutomata(const Object& a, const Object& b) {
  const auto& x = static_cast<const Automaton&>(a);
  const auto& y = static_cast<const Automaton&>(b);
  return x.states.Compare(y.states);
}

}  // namespace

StateId::StateId(int32_t rule, int32_t number)
    : Object(&CompareStateIds), rule(rule), number(number) {}

std::string StateId::ToString() const {
  if (rule == -1) return "start";
  // Appended piece by piece: GCC 12 warns falsely about "q" + std::string.
  std::string text = "q";
  text += std::to_string(rule);
  text += '_';
  text += std::to_string(number);
  return text;
}

State::State(std::unique_ptr<Object> label) : Object(&CompareStates), label(std::move(label)) {}

// Out of line so that Transition is complete where the set is destroyed.
State::~State() = default;

std::unique_ptr<State> State::Clone() const {
  auto copy = std::make_unique<State>(label->CloneObject());
  copy->index = index;
  copy->final = final;
  return copy;
}

Transition::Transition(State* target, int32_t symbol)
    : Object(&CompareTransitions), target(target), symbol(symbol) {}

std::unique_ptr<Transition> Transition::Clone() const {
  auto copy = std::make_unique<Transition>(nullptr, symbol);
  copy->ownedTarget = target->Clone();
  copy->target = copy->ownedTarget.get();
  return copy;
}

std::string Transition::ToString() const {
  return "\n->" + target->ToString() + "(" + std::to_string(symbol) + ")";
}

Automaton::Automaton(std::unique_ptr<CharSet> charset)
    : Object(&CompareAutomata), charset(std::move(charset)) {}

std::unique_ptr<Object> Automaton::CloneObject() const {
  throw std::logic_error("Automaton::Clone: automata are never copied");
}

std::string Automaton::ToString() const {
  std::string text;
  for (int i = 0; i < states.count(); ++i) {
    const State& state = *states[i];
    if (i > 0) text += "\n";
    text += state.ToString();
    text += "(final=" + std::to_string(state.final);
    if (&state == start) text += ":start";
    text += ":trans=" + state.transitions.ToString() + ")";
  }
  return text;
}

State* AddState(Automaton& automaton, std::unique_ptr<Object>& label, bool* inserted) {
  auto state = std::make_unique<State>(std::move(label));
  State* made = state.get();
  const bool first = automaton.states.empty();
  bool stored = false;
  State* result = automaton.states.Insert(state, &stored);
  if (inserted) *inserted = stored;
  if (!stored) {
    label = std::move(state->label);
    return result;
  }
  if (first) automaton.start = made;
  made->index = automaton.states.count() - 1;
  return made;
}

Transition* AddTransition(State& state, State& target, int32_t symbol, bool* inserted) {
  auto transition = std::make_unique<Transition>(&target, symbol);
  return state.transitions.Insert(transition, inserted);
}

}  // namespace tarnwick
