// Syntax tree nodes: creation, iterative release, deep copy and printing.
#include "regex/regex_node.h"

#include <utility>

#include "regex/tree_walk.h"

namespace tarnwick {

RegexNode::RegexNode(int32_t kind, std::unique_ptr<CharSet> charset)
    : Object(&CompareIdentity), kind(kind), charset(std::move(charset)) {}

RegexNode::~RegexNode() {
  // Unlink the subtree node by node so that no destructor recurses.
  std::vector<std::unique_ptr<RegexNode>> pending = std::move(children);
  while (!pending.empty()) {
    std::unique_ptr<RegexNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children)
      pending.push_back(std::move(child));
    node->children.clear();
  }
}

std::unique_ptr<RegexNode> RegexNode::MakeRoot() {
  return std::make_unique<RegexNode>(NodeKind::OR, std::make_unique<CharSet>());
}

std::unique_ptr<RegexNode> RegexNode::Clone() const {
  std::unique_ptr<RegexNode> copy;
  std::vector<RegexNode*> parents;
  WalkTree(
      *this,
      [&](const RegexNode& node) {
        auto made =
            std::make_unique<RegexNode>(node.kind, node.charset ? node.charset->Clone() : nullptr);
        made->flags = node.flags;
        made->children.reserve(node.children.size());
        RegexNode* raw = made.get();
        if (parents.empty()) {
          copy = std::move(made);
        } else {
          parents.back()->children.push_back(std::move(made));
        }
        parents.push_back(raw);
        return true;
      },
      [&](const RegexNode&) { parents.pop_back(); });
  return copy;
}

std::string RegexNode::KindName(int32_t kind) {
  switch (kind) {
    case NodeKind::AND:
      return "AND";
    case NodeKind::OR:
      return "OR";
    case NodeKind::STAR:
      return "STAR";
    case NodeKind::MINONE:
      return "MINONE";
    case NodeKind::OPTION:
      return "OPTION";
    case NodeKind::Epsilon:
      return "Epsilon";
    default:
      return std::to_string(kind);
  }
}

std::string RegexNode::ToString() const {
  std::string text;
  // Per open node with children: how many of them have been printed.
  std::vector<std::size_t> printed;
  WalkTree(
      *this,
      [&](const RegexNode& node) {
        if (!printed.empty() && printed.back()++ > 0) text += ", ";
        text += KindName(node.kind);
        if (node.children.empty()) return false;
        text += "[";
        printed.push_back(0);
        return true;
      },
      [&](const RegexNode& node) {
        if (node.children.empty()) return;
        text += "]";
        printed.pop_back();
      });
  return text;
}

}  // namespace tarnwick
