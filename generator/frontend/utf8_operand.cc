// The sequences go into a trie keyed by their byte ranges from the last byte
// backwards; a trie node stands for a common ending, and its subtree is
// "(what may come before) then (the ending)". Ranges that lead straight to
// the start of a sequence are joined into one byte set, so one node's lead
// bytes become one operand OR. The trie is at most four levels deep.
#include "frontend/utf8_operand.h"

#include <map>
#include <utility>
#include <vector>

#include "regex/class_refiner.h"
#include "unicode/utf8_ranges.h"

namespace tarnwick {

namespace {

using unicode::ByteRange;

struct EndingNode {
  bool starts = false;  // a whole sequence ends here: nothing comes before
  std::map<ByteRange, std::unique_ptr<EndingNode>> before;
};

void AddRange(ByteSet& set, ByteRange range) {
  for (int b = range.first; b <= range.last; ++b)
    set[static_cast<std::size_t>(b)] = true;
}

std::unique_ptr<RegexNode> Join(int32_t kind, std::vector<std::unique_ptr<RegexNode>> parts) {
  if (parts.size() == 1) return std::move(parts.front());
  auto node = std::make_unique<RegexNode>(kind);
  node->children = std::move(parts);
  return node;
}

// The alternatives of everything that may stand before `node`'s ending.
std::unique_ptr<RegexNode> BuildBefore(RegexNode& root, const EndingNode& node) {
  std::vector<std::unique_ptr<RegexNode>> alternatives;
  if (node.starts) alternatives.push_back(std::make_unique<RegexNode>(NodeKind::Epsilon));
  ByteSet leads{};
  bool anyLead = false;
  for (const auto& [range, inner] : node.before) {
    if (inner->starts && inner->before.empty()) {
      AddRange(leads, range);
      anyLead = true;
    }
  }
  if (anyLead) alternatives.push_back(RefineClasses(root, leads));
  for (const auto& [range, inner] : node.before) {
    if (inner->starts && inner->before.empty()) continue;
    ByteSet bytes{};
    AddRange(bytes, range);
    std::vector<std::unique_ptr<RegexNode>> parts;
    parts.push_back(BuildBefore(root, *inner));
    parts.push_back(RefineClasses(root, bytes));
    alternatives.push_back(Join(NodeKind::AND, std::move(parts)));
  }
  return Join(NodeKind::OR, std::move(alternatives));
}

}  // namespace

std::unique_ptr<RegexNode> RefineCharacters(RegexNode& root, const unicode::CodePointSet& set) {
  const std::vector<unicode::Utf8Sequence> sequences = unicode::Utf8Sequences(set);
  if (sequences.empty()) return RefineClasses(root, ByteSet{});
  EndingNode endings;
  for (const unicode::Utf8Sequence& sequence : sequences) {
    EndingNode* node = &endings;
    for (int i = sequence.length - 1; i >= 0; --i) {
      auto& slot = node->before[sequence.bytes[static_cast<std::size_t>(i)]];
      if (!slot) slot = std::make_unique<EndingNode>();
      node = slot.get();
    }
    node->starts = true;
  }
  return BuildBefore(root, endings);
}

}  // namespace tarnwick
