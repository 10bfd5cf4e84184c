// Layer automaton: the automaton model (this header), the NFA built from the
// syntax trees and the DFA built from the NFA (minimised for UTF-8
// definitions or when "%minimize" asks). Uses base and regex.
//
// The automaton model the NFA is built in; the DFA construction reads it.
//
// A State is identified by its label: a StateId (rule, number) in the NFA, a
// set of NFA state clones in the tests' textbook form of a DFA. An Automaton keeps its
// states in an ObjectSet ordered by label, so AddState is both "add" and "find
// by label", and a state's position is its number in label order; `index`
// remembers the order of creation. A Transition refers to its target without
// owning it, except for the clones that Transition::Clone makes, which carry
// their own target along so that nothing dangles or leaks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "regex/charset.h"
#include "regex/object.h"
#include "regex/object_set.h"
#include "regex/symbols.h"

namespace tarnwick {

// The label of an NFA state: rule -1 is the start state.
class StateId final : public Object {
 public:
  StateId(int32_t rule, int32_t number);

  int32_t rule;
  int32_t number;

  std::unique_ptr<StateId> Clone() const { return std::make_unique<StateId>(rule, number); }
  std::unique_ptr<Object> CloneObject() const override { return Clone(); }
  // "start", or "q<rule>_<number>".
  std::string ToString() const override;
};

class Transition;

class State final : public Object {
 public:
  explicit State(std::unique_ptr<Object> label);
  ~State() override;

  std::unique_ptr<Object> label;
  int32_t index = 0;   // creation order in its automaton
  int32_t final = -1;  // accepted rule, or -1
  ObjectSet<Transition> transitions;

  // Label, index and final; never the transitions.
  std::unique_ptr<State> Clone() const;
  std::unique_ptr<Object> CloneObject() const override { return Clone(); }
  std::string ToString() const override { return label->ToString(); }
};

class Transition final : public Object {
 public:
  Transition(State* target, int32_t symbol);

  State* target;
  int32_t symbol;  // a class number, kEofSymbol or kEpsilonSymbol

  // The copy owns a clone of the target.
  std::unique_ptr<Transition> Clone() const;
  std::unique_ptr<Object> CloneObject() const override { return Clone(); }
  // "\n->" target "(" symbol ")".
  std::string ToString() const override;

  // Set only on clones, which own a clone of their target.
  std::unique_ptr<State> ownedTarget;
};

class Automaton final : public Object {
 public:
  explicit Automaton(std::unique_ptr<CharSet> charset = nullptr);

  State* start = nullptr;
  // Several start states (one per start condition and line-start flag), the
  // first being `start`; empty when there is only `start`.
  std::vector<State*> starts;
  ObjectSet<State> states;  // label order
  std::unique_ptr<CharSet> charset;

  // Nothing copies an automaton.
  std::unique_ptr<Object> CloneObject() const override;
  // One line per state in position order:
  // label "(final=" final [":start"] ":trans=" transitions ")".
  std::string ToString() const override;
};

// Adds a state with `label`, or finds the one that has an equal label. A new
// state takes the label (and gets the next index; the first becomes `start`);
// when one is present the label stays with the caller.
State* AddState(Automaton& automaton, std::unique_ptr<Object>& label, bool* inserted = nullptr);

// Adds the move (target, symbol) to `state` unless it is there already.
Transition* AddTransition(State& state, State& target, int32_t symbol, bool* inserted = nullptr);

}  // namespace tarnwick
