// ObjectSet: a sorted array of owned objects without duplicates.
//
// Elements are kept in ascending order of their own Compare; Insert finds the
// place by bisection and hands back the element already present when an equal
// one is offered, leaving the offered one with the caller. Positions are
// visible to clients (the generated tables number states by them), so the
// order is part of the output. The slot count follows a fixed growth rule
// (8 slots, then 2 x (count + 1)) that tests can observe through slots().
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "regex/object.h"

namespace tarnwick {

template <class T>
class ObjectSet final : public Object {
 public:
  static constexpr std::size_t kInitialSlots = 8;

  ObjectSet() : Object(&CompareSets) { Reserve(kInitialSlots); }

  int count() const { return static_cast<int>(items_.size()); }
  bool empty() const { return items_.empty(); }
  std::size_t slots() const { return slots_; }
  T* at(int position) const { return items_[static_cast<std::size_t>(position)].get(); }
  T* operator[](int position) const { return at(position); }
  const std::vector<std::unique_ptr<T>>& items() const { return items_; }

  // Stores `element` at its sorted place and returns it (inserted = true), or
  // returns the equal element already present (inserted = false) and leaves
  // `element` untouched, still owned by the caller.
  T* Insert(std::unique_ptr<T>& element, bool* inserted = nullptr) {
    int lo = -1;
    int hi = count();
    // Elements often come in order (states by label, moves by target): one
    // comparison with the last element settles those, with the same result
    // as the bisection.
    if (hi > 0 && element->Compare(*items_.back()) > 0) lo = hi - 1;
    while (lo + 1 < hi) {
      const int mid = (lo + hi) / 2;
      const int r = element->Compare(*items_[static_cast<std::size_t>(mid)]);
      if (r == 0) {
        if (inserted) *inserted = false;
        return at(mid);
      }
      if (r < 0) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    if (items_.size() + 1 > slots_ - 1) Reserve(2 * (items_.size() + 1));
    T* stored = element.get();
    items_.insert(items_.begin() + hi, std::move(element));
    if (inserted) *inserted = true;
    return stored;
  }

  // Position of the element equal to `probe`, or -1.
  int Find(const T& probe) const {
    int lo = -1;
    int hi = count();
    while (lo + 1 < hi) {
      const int mid = (lo + hi) / 2;
      const int r = probe.Compare(*items_[static_cast<std::size_t>(mid)]);
      if (r == 0) return mid;
      if (r < 0) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    return -1;
  }

  // Takes the element out of the set and hands it to the caller; the slot
  // count does not shrink.
  std::unique_ptr<T> RemoveAt(int position) {
    if (position < 0 || position >= count()) {
      throw std::out_of_range("ObjectSet::RemoveAt: position " + std::to_string(position) +
                              " outside 0.." + std::to_string(count() - 1));
    }
    std::unique_ptr<T> element = std::move(items_[static_cast<std::size_t>(position)]);
    items_.erase(items_.begin() + position);
    return element;
  }

  // Releases every element; the slot count stays.
  void Clear() { items_.clear(); }

  // Element-wise clones at the same positions, never re-sorted, same slot count.
  std::unique_ptr<ObjectSet> Clone() const {
    auto copy = std::make_unique<ObjectSet>();
    copy->Reserve(slots_);
    for (const auto& item : items_)
      copy->items_.push_back(CloneAs(*item));
    return copy;
  }
  std::unique_ptr<Object> CloneObject() const override { return Clone(); }

  std::string ToString() const override { return JoinedText(items_, "{", "}"); }

 private:
  static int CompareSets(const Object& a, const Object& b) {
    const auto& x = static_cast<const ObjectSet&>(a);
    const auto& y = static_cast<const ObjectSet&>(b);
    return CompareElementwise(x.items_, y.items_);
  }

  void Reserve(std::size_t slots) {
    slots_ = slots;
    items_.reserve(slots);
  }

  std::vector<std::unique_ptr<T>> items_;
  std::size_t slots_ = 0;
};

}  // namespace tarnwick
