// Tree simplification without recursion per level.
//
// A node is rewritten in three steps: children of its own kind are spliced in
// (transitively, which is what restarting after each splice amounts to), the
// Epsilon parts of a sequence are dropped while more than one part remains,
// and a sequence or alternative with one child gives way to that child, which
// is then simplified in the same slot. Only then are the children visited,
// by the tree walker, which rewrites a node's children in their slots before
// it descends into them. Splicing builds each child list once,
// so a left-deep chain of n concatenations costs O(n), not O(n^2).
#include "regex/simplify.h"

#include <utility>
#include <vector>

#include "regex/tree_walk.h"

namespace tarnwick {

namespace {

using NodeList = std::vector<std::unique_ptr<RegexNode>>;

bool HasChildOfKind(const RegexNode& node) {
  for (const auto& child : node.children) {
    if (child->kind == node.kind) return true;
  }
  return false;
}

// Replaces each child of the node's own kind by that child's children, again
// and again, keeping the left-to-right order.
void SpliceSameKind(RegexNode& node) {
  if (!HasChildOfKind(node)) return;
  NodeList flat;
  // Pending lists, each walked from its front; reversed so that back() is next.
  std::vector<NodeList> pending;
  NodeList top = std::move(node.children);
  pending.emplace_back();
  pending.back().reserve(top.size());
  for (auto it = top.rbegin(); it != top.rend(); ++it)
    pending.back().push_back(std::move(*it));
  while (!pending.empty()) {
    NodeList& list = pending.back();
    if (list.empty()) {
      pending.pop_back();
      continue;
    }
    std::unique_ptr<RegexNode> child = std::move(list.back());
    list.pop_back();
    if (child->kind != node.kind) {
      flat.push_back(std::move(child));
      continue;
    }
    NodeList inner;
    inner.reserve(child->children.size());
    for (auto it = child->children.rbegin(); it != child->children.rend(); ++it) {
      inner.push_back(std::move(*it));
    }
    child->children.clear();
    pending.push_back(std::move(inner));
    // `child`'s record goes here, its children now belong to the node.
  }
  node.children = std::move(flat);
}

// Drops Epsilon parts of a sequence while it has more than one part.
void DropEmptyParts(RegexNode& node) {
  std::size_t kept = 0;
  for (const auto& child : node.children) {
    if (child->kind != NodeKind::Epsilon) ++kept;
  }
  if (kept == node.children.size()) return;
  if (kept == 0) {
    // All parts empty: the walk removes all but the last.
    std::unique_ptr<RegexNode> last = std::move(node.children.back());
    node.children.clear();
    node.children.push_back(std::move(last));
    return;
  }
  NodeList parts;
  parts.reserve(kept);
  for (auto& child : node.children) {
    if (child->kind != NodeKind::Epsilon) parts.push_back(std::move(child));
  }
  node.children = std::move(parts);
}

// Rewrites the node in `slot` until no step applies to it; its children are
// left for the caller.
void SimplifyInPlace(std::unique_ptr<RegexNode>& slot) {
  for (;;) {
    RegexNode& node = *slot;
    SpliceSameKind(node);
    if (node.kind == NodeKind::AND) DropEmptyParts(node);
    const bool joins = node.kind == NodeKind::AND || node.kind == NodeKind::OR;
    if (!joins || node.children.size() != 1) return;
    std::unique_ptr<RegexNode> only = std::move(node.children.front());
    node.children.clear();
    slot = std::move(only);
  }
}

// Rewrites the children of each node before the walk descends into them, so
// every node is rewritten before its own children are looked at.
class ChildSimplifier final : public TreeWalker<RegexNode, NoValue, NoValue> {
 protected:
  NoValue PreVisit(RegexNode& node, const NoValue&, bool&) override {
    for (auto& child : node.children)
      SimplifyInPlace(child);
    return {};
  }
  NoValue PostVisit(RegexNode&, const NoValue&, const NoValue&, std::span<NoValue>) override {
    return {};
  }
};

}  // namespace

std::unique_ptr<RegexNode> SimplifyNode(std::unique_ptr<RegexNode> node) {
  SimplifyInPlace(node);
  ChildSimplifier().Walk(*node, {});
  return node;
}

void SimplifyRules(RegexNode& root) {
  if (root.charset) {
    root.charset->operandSets.clear();
    root.charset->operandSets.shrink_to_fit();
  }
  if (root.kind != NodeKind::OR) return;
  for (auto& rule : root.children)
    rule = SimplifyNode(std::move(rule));
}

}  // namespace tarnwick
