// ObjectList: an ordered sequence of owned objects, used as a stack.
//
// Equal elements may repeat; order is the order of Push. Pop and Top on an
// empty list, which no correct caller does, throw instead of reading garbage.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "regex/object.h"

namespace tarnwick {

template <class T>
class ObjectList final : public Object {
 public:
  ObjectList() : Object(&CompareLists) {}

  int size() const { return static_cast<int>(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  T* at(int position) const { return items_[static_cast<std::size_t>(position)].get(); }

  void Push(std::unique_ptr<T> element) { items_.push_back(std::move(element)); }

  // Takes the last element off. With `release` it is destroyed here and null is
  // returned; otherwise the caller receives it.
  std::unique_ptr<T> Pop(bool release = false) {
    RequireElements("Pop");
    std::unique_ptr<T> element = std::move(items_.back());
    items_.pop_back();
    if (release) element.reset();
    return element;
  }

  T* Top() const {
    RequireElements("Top");
    return items_.back().get();
  }

  // Releases the elements from first to last.
  void Clear() {
    for (auto& item : items_)
      item.reset();
    items_.clear();
  }

  std::unique_ptr<ObjectList> Clone() const {
    auto copy = std::make_unique<ObjectList>();
    copy->items_.reserve(items_.size());
    for (const auto& item : items_)
      copy->items_.push_back(CloneAs(*item));
    return copy;
  }
  std::unique_ptr<Object> CloneObject() const override { return Clone(); }

  std::string ToString() const override { return JoinedText(items_, "[", "]"); }

 private:
  static int CompareLists(const Object& a, const Object& b) {
    const auto& x = static_cast<const ObjectList&>(a);
    const auto& y = static_cast<const ObjectList&>(b);
    return CompareElementwise(x.items_, y.items_);
  }

  void RequireElements(const char* operation) const {
    if (items_.empty())
      throw std::logic_error(std::string("ObjectList::") + operation + " on an empty list");
  }

  std::vector<std::unique_ptr<T>> items_;
};

}  // namespace tarnwick
