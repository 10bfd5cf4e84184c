// Syntax tree nodes: creation, iterative release, and deep copy and printing
// through the tree walker, so that none of them recurses per level.
#include "regex/regex_node.h"

#include <utility>

#include "regex/tree_walk.h"

namespace tarnwick {

namespace {

// Copies bottom up: a node's copy takes its children's copies.
class TreeCopier final : public TreeWalker<const RegexNode, NoValue, std::unique_ptr<RegexNode>> {
 protected:
  std::unique_ptr<RegexNode> PostVisit(const RegexNode& node, const NoValue&, const NoValue&,
                                       std::span<std::unique_ptr<RegexNode>> copies) override {
    auto made =
        std::make_unique<RegexNode>(node.kind, node.charset ? node.charset->Clone() : nullptr);
    made->flags = node.flags;
    made->children.reserve(copies.size());
    for (auto& copy : copies)
      made->children.push_back(std::move(copy));
    return made;
  }
};

// Prints into one text: "AND[1, OR[2, 3]]".
class TreePrinter final : public TreeWalker<const RegexNode, NoValue, NoValue> {
 public:
  std::string text;

 protected:
  NoValue PreVisit(const RegexNode& node, const NoValue&, bool&) override {
    text += RegexNode::KindName(node.kind);
    if (!node.children.empty()) text += "[";
    return {};
  }
  NoValue ChildArg(const RegexNode&, const NoValue&, std::span<NoValue> done) override {
    if (!done.empty()) text += ", ";
    return {};
  }
  NoValue PostVisit(const RegexNode& node, const NoValue&, const NoValue&,
                    std::span<NoValue>) override {
    if (!node.children.empty()) text += "]";
    return {};
  }
};

}  // namespace

RegexNode::RegexNode(int32_t kind, std::unique_ptr<CharSet> charset)
    : Object(&CompareIdentity), kind(kind), charset(std::move(charset)) {}

// Not a tree walk: freeing runs while a failed allocation unwinds, so it must
// not need memory in proportion to the depth, as a walker's stack does. The
// subtree is unlinked node by node instead; a chain, however deep, needs a
// list of two.
RegexNode::~RegexNode() {
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
  return TreeCopier().Walk(*this, {});
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
  TreePrinter printer;
  printer.Walk(*this, {});
  return std::move(printer.text);
}

}  // namespace tarnwick
