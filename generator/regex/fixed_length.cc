// Lengths are gathered bottom-up as ranges on the tree walker, so deep trees
// cost no recursion. A range's upper end saturates at a bound far above any
// real rule rather than overflowing.
#include "regex/fixed_length.h"

#include <algorithm>

#include "regex/tree_walk.h"

namespace tarnwick {

namespace {

constexpr int64_t kUnbounded = INT64_MAX / 4;

struct LengthRange {
  bool matches = true;  // false: no text matches
  int64_t low = 0;
  int64_t high = 0;
};

LengthRange Sequence(std::span<LengthRange> parts) {
  LengthRange all;
  for (const LengthRange& part : parts) {
    if (!part.matches) return {false, 0, 0};
    all.low = std::min(all.low + part.low, kUnbounded);
    all.high = std::min(all.high + part.high, kUnbounded);
  }
  return all;
}

LengthRange Alternative(std::span<LengthRange> parts) {
  LengthRange all{false, 0, 0};
  for (const LengthRange& part : parts) {
    if (!part.matches) continue;
    if (!all.matches) {
      all = part;
      continue;
    }
    all.low = std::min(all.low, part.low);
    all.high = std::max(all.high, part.high);
  }
  return all;
}

class LengthWalker final : public TreeWalker<const RegexNode, NoValue, LengthRange> {
 protected:
  LengthRange PostVisit(const RegexNode& node, const NoValue&, const NoValue&,
                        std::span<LengthRange> parts) override {
    if (node.IsClassLeaf()) return {true, 1, 1};
    switch (node.kind) {
      case NodeKind::AND:
        return Sequence(parts);
      case NodeKind::OR:
        return Alternative(parts);
      case NodeKind::STAR:
      case NodeKind::MINONE:
      case NodeKind::OPTION: {
        const LengthRange body = parts.empty() ? LengthRange{} : parts.front();
        if (!body.matches) return node.kind == NodeKind::MINONE ? body : LengthRange{};
        const int64_t low = node.kind == NodeKind::MINONE ? body.low : 0;
        const int64_t high =
            node.kind == NodeKind::OPTION || body.high == 0 ? body.high : kUnbounded;
        return {true, low, high};
      }
      default:  // Epsilon and the end of input take no byte
        return {};
    }
  }
};

}  // namespace

std::optional<int64_t> FixedLength(const RegexNode& tree) {
  LengthWalker walker;
  const LengthRange range = walker.Walk(tree, NoValue{});
  if (!range.matches || range.low != range.high) return std::nullopt;
  return range.low;
}

}  // namespace tarnwick
