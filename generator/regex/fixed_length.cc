// Post-order without recursion: a node's length is known once its children's
// are. Besides lengths 0 and up, a node may vary in length or match nothing;
// an alternative that matches nothing does not count against the others.
#include "regex/fixed_length.h"

#include <utility>
#include <vector>

namespace tarnwick {

namespace {

constexpr int64_t kVaries = -1;
constexpr int64_t kNothing = -2;

// The length of a node whose children's lengths are [first, last).
int64_t NodeLength(const RegexNode& node, const int64_t* first, const int64_t* last) {
  switch (node.kind) {
    case NodeKind::AND: {
      int64_t sum = 0;
      for (const int64_t* it = first; it != last; ++it) {
        if (*it == kNothing) return kNothing;
        if (*it == kVaries || sum == kVaries) {
          sum = kVaries;
        } else {
          sum += *it;
        }
      }
      return sum;
    }
    case NodeKind::OR: {
      // An operand OR: one byte of its classes, none when it has no class.
      if (first == last) return kNothing;
      if (node.children.front()->IsClassLeaf()) return 1;
      int64_t length = kNothing;
      for (const int64_t* it = first; it != last; ++it) {
        if (*it == kNothing) continue;
        if (length == kNothing) {
          length = *it;
        } else if (length != *it) {
          return kVaries;
        }
      }
      return length;
    }
    case NodeKind::STAR:
    case NodeKind::OPTION:
      return *first == kNothing || *first == 0 ? 0 : kVaries;
    case NodeKind::MINONE:
      return *first == kNothing || *first == 0 ? *first : kVaries;
    default:  // Epsilon, the end of input, a class leaf (read by its OR)
      return 0;
  }
}

}  // namespace

std::optional<int64_t> FixedLength(const RegexNode& tree) {
  std::vector<std::pair<const RegexNode*, std::size_t>> stack{{&tree, 0}};
  std::vector<int64_t> lengths;
  while (!stack.empty()) {
    auto& [node, next] = stack.back();
    if (next < node->children.size()) {
      stack.emplace_back(node->children[next++].get(), 0);
      continue;
    }
    const std::size_t first = lengths.size() - node->children.size();
    const int64_t length =
        NodeLength(*node, lengths.data() + first, lengths.data() + lengths.size());
    lengths.resize(first);
    lengths.push_back(length);
    stack.pop_back();
  }
  if (lengths.back() < 0) return std::nullopt;
  return lengths.back();
}

}  // namespace tarnwick
