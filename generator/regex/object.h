// The object protocol shared by syntax trees and automata.
//
// Every object carries four operations: release (the destructor), Clone,
// Compare and ToString. Release, Clone and ToString are plain virtual
// functions, but Compare is a per-object function pointer, set by each class
// and replaceable on one object alone (ReplaceCompare): the tests' literal
// subset construction groups moves by symbol that way. The sets of the
// syntax tree (operands by identity) and of the automaton (states by label,
// moves by target and symbol) order by it.
// Ownership is std::unique_ptr throughout: an object has exactly one owner.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarnwick {

class Object {
 public:
  using CompareFn = int (*)(const Object& a, const Object& b);

  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  // A new, independent copy; how deep it goes is each class's own business.
  virtual std::unique_ptr<Object> CloneObject() const = 0;
  virtual std::string ToString() const = 0;

  // Negative: this sorts before `other`; zero: the same element for set purposes.
  // Always this object's own comparison, as sets call it.
  int Compare(const Object& other) const { return compare_(*this, other); }

  void ReplaceCompare(CompareFn compare) { compare_ = compare; }

 protected:
  explicit Object(CompareFn compare) : compare_(compare) {}

 private:
  CompareFn compare_;
};

// Orders objects by address: -1, 0 for the same object, 1.
int CompareIdentity(const Object& a, const Object& b);
// The object's address as a signed decimal number.
std::string IdentityText(const Object& object);

// The shared shapes of the two containers: element texts joined with ", "
// between `open` and `close`, and comparison by size, then element by element.
template <class Items>
std::string JoinedText(const Items& items, const char* open, const char* close) {
  std::string text = open;
  bool first = true;
  for (const auto& item : items) {
    if (!first) text += ", ";
    first = false;
    text += item->ToString();
  }
  return text + close;
}

template <class Items>
int CompareElementwise(const Items& a, const Items& b) {
  if (a.size() != b.size()) return static_cast<int>(a.size()) - static_cast<int>(b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    const int r = a[i]->Compare(*b[i]);
    if (r != 0) return r;
  }
  return 0;
}

// Clone with the static type kept.
template <class T>
std::unique_ptr<T> CloneAs(const T& object) {
  return std::unique_ptr<T>(static_cast<T*>(object.CloneObject().release()));
}

}  // namespace tarnwick
