// Copies are made with Clone, which copies class leaves as they stand; the
// copies' operand ORs (ORs whose children are all class leaves, the empty
// class included: no other OR has class leaves as children) are then listed
// in the class map's operandSets. Trees may be deep, so every walk keeps its own stack.
#include "regex/repeat.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "regex/non_empty.h"

namespace tarnwick {

namespace {

bool IsOperandOr(const RegexNode& node) {
  if (node.kind != NodeKind::OR) return false;
  return std::all_of(node.children.begin(), node.children.end(),
                     [](const auto& child) { return child->IsClassLeaf(); });
}

// Calls `visit` on every node of the tree.
template <typename Visit>
void VisitNodes(RegexNode& tree, Visit visit) {
  std::vector<RegexNode*> stack{&tree};
  while (!stack.empty()) {
    RegexNode* node = stack.back();
    stack.pop_back();
    visit(*node);
    for (auto& child : node->children)
      stack.push_back(child.get());
  }
}

std::unique_ptr<RegexNode> Copy(RegexNode& root, const RegexNode& operand) {
  std::unique_ptr<RegexNode> copy = operand.Clone();
  VisitNodes(*copy, [&root](RegexNode& node) {
    if (IsOperandOr(node)) root.charset->operandSets.push_back(&node);
  });
  return copy;
}

std::unique_ptr<RegexNode> Node(int32_t kind, std::unique_ptr<RegexNode> child) {
  auto node = std::make_unique<RegexNode>(kind);
  node->children.push_back(std::move(child));
  return node;
}

}  // namespace

std::size_t CountNodes(const RegexNode& tree) {
  std::size_t count = 0;
  std::vector<const RegexNode*> stack{&tree};
  while (!stack.empty()) {
    const RegexNode* node = stack.back();
    stack.pop_back();
    ++count;
    for (const auto& child : node->children)
      stack.push_back(child.get());
  }
  return count;
}

std::unique_ptr<RegexNode> Repeat(RegexNode& root, std::unique_ptr<RegexNode> operand,
                                  uint64_t least, std::optional<uint64_t> most) {
  if (least == 0 && most == 0) {
    Unregister(*operand, root);
    return std::make_unique<RegexNode>(NodeKind::Epsilon);
  }
  // The parts in sequence; `operand` itself is the last one to be placed.
  std::vector<std::unique_ptr<RegexNode>> parts;
  const uint64_t copies = least == 0 ? 0 : least - 1;
  for (uint64_t i = 0; i < copies; ++i)
    parts.push_back(Copy(root, *operand));
  if (!most) {
    parts.push_back(Node(least == 0 ? NodeKind::STAR : NodeKind::MINONE, std::move(operand)));
  } else {
    std::unique_ptr<RegexNode> tail;
    for (uint64_t i = least; i < *most; ++i) {
      std::unique_ptr<RegexNode> copy =
          i + 1 == *most && least == 0 ? std::move(operand) : Copy(root, *operand);
      if (tail) {
        auto pair = std::make_unique<RegexNode>(NodeKind::AND);
        pair->children.push_back(std::move(copy));
        pair->children.push_back(std::move(tail));
        copy = std::move(pair);
      }
      tail = Node(NodeKind::OPTION, std::move(copy));
    }
    if (least > 0) parts.push_back(std::move(operand));
    if (tail) parts.push_back(std::move(tail));
  }
  if (parts.size() == 1) return std::move(parts.front());
  auto sequence = std::make_unique<RegexNode>(NodeKind::AND);
  sequence->children = std::move(parts);
  return sequence;
}

}  // namespace tarnwick
