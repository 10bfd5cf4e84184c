// Bottom-up on the tree walker. Each node gives whether it matches the empty
// text and, when it does, the tree of its non-empty texts (null: none). A
// node that does not match the empty text stands for itself and is copied
// only where a parent needs it:
//   a b (both nullable)  ->  ne(a) b | ne(b)
//   a* , a+ (a nullable) ->  ne(a) a*        a? -> ne(a)
//   a | b                ->  ne(a) | ne(b)
// Copies are counted; past a budget the rewrite gives up rather than let
// nested repetitions grow the tree without bound.
#include "regex/non_empty.h"

#include <cstddef>
#include <unordered_set>
#include <utility>

#include "regex/tree_walk.h"

namespace tarnwick {

namespace {

constexpr std::size_t kCopyBudget = 100000;

struct Part {
  bool nullable = false;
  std::unique_ptr<RegexNode> nonEmpty;  // when nullable; null: no text but the empty one
};

std::unique_ptr<RegexNode> Join(int32_t kind, std::unique_ptr<RegexNode> a,
                                std::unique_ptr<RegexNode> b) {
  if (!a) return b;
  if (!b) return a;
  auto node = std::make_unique<RegexNode>(kind);
  node->children.push_back(std::move(a));
  node->children.push_back(std::move(b));
  return node;
}

class RegisteredCopier final
    : public TreeWalker<const RegexNode, NoValue, std::unique_ptr<RegexNode>> {
 public:
  RegisteredCopier(RegexNode& root, const std::unordered_set<const RegexNode*>& registered,
                   std::size_t& copied)
      : root_(root), registered_(registered), copied_(copied) {}

 protected:
  std::unique_ptr<RegexNode> PostVisit(const RegexNode& node, const NoValue&, const NoValue&,
                                       std::span<std::unique_ptr<RegexNode>> copies) override {
    auto made = std::make_unique<RegexNode>(node.kind);
    for (auto& copy : copies)
      made->children.push_back(std::move(copy));
    if (registered_.contains(&node)) root_.charset->operandSets.push_back(made.get());
    ++copied_;
    return made;
  }

 private:
  RegexNode& root_;
  const std::unordered_set<const RegexNode*>& registered_;
  std::size_t& copied_;
};

class NonEmptyWalker final : public TreeWalker<const RegexNode, NoValue, Part> {
 public:
  explicit NonEmptyWalker(RegexNode& root)
      : root_(root),
        registered_(root.charset->operandSets.begin(), root.charset->operandSets.end()) {}

  bool overBudget() const { return copied_ > kCopyBudget; }

 protected:
  Part PostVisit(const RegexNode& node, const NoValue&, const NoValue&,
                 std::span<Part> parts) override {
    if (overBudget()) return {};
    if (node.IsClassLeaf()) return {};
    switch (node.kind) {
      case NodeKind::Epsilon:
      case NodeKind::EndOfInput:
        return {true, nullptr};
      case NodeKind::OR: {
        Part all;
        for (std::size_t i = 0; i < parts.size(); ++i)
          all.nullable = all.nullable || parts[i].nullable;
        if (!all.nullable) return all;
        for (std::size_t i = 0; i < parts.size(); ++i)
          all.nonEmpty = Join(NodeKind::OR, std::move(all.nonEmpty), Take(parts[i], node, i));
        return all;
      }
      case NodeKind::AND: {
        if (parts.size() != 2 || !parts[0].nullable || !parts[1].nullable) {
          // Not nullable: a part's tree is not needed, and its copies leave
          // the registry before they are released. (An AND has two parts;
          // any other shape is kept as it is.)
          copied_ += parts.size() != 2 ? kCopyBudget + 1 : 0;
          for (Part& unused : parts) {
            if (unused.nonEmpty) Unregister(*unused.nonEmpty, root_);
          }
          return {};
        }
        std::unique_ptr<RegexNode> first =
            parts[0].nonEmpty
                ? Join(NodeKind::AND, std::move(parts[0].nonEmpty), Copy(*node.children[1]))
                : nullptr;
        return {true, Join(NodeKind::OR, std::move(first), std::move(parts[1].nonEmpty))};
      }
      case NodeKind::STAR:
      case NodeKind::MINONE:
      case NodeKind::OPTION: {
        if (parts.size() != 1) return {};
        const bool nullable = node.kind != NodeKind::MINONE || parts[0].nullable;
        if (!nullable) return {};
        std::unique_ptr<RegexNode> body = Take(parts[0], node, 0);
        if (!body || node.kind == NodeKind::OPTION) return {true, std::move(body)};
        auto loop = std::make_unique<RegexNode>(NodeKind::STAR);
        loop->children.push_back(Copy(*node.children[0]));
        return {true, Join(NodeKind::AND, std::move(body), std::move(loop))};
      }
      default:
        return {};
    }
  }

 private:
  // The non-empty texts of child i of `node`.
  std::unique_ptr<RegexNode> Take(Part& part, const RegexNode& node, std::size_t i) {
    if (part.nullable) return std::move(part.nonEmpty);
    return Copy(*node.children[i]);
  }

  std::unique_ptr<RegexNode> Copy(const RegexNode& tree) {
    RegisteredCopier copier(root_, registered_, copied_);
    return copier.Walk(tree, NoValue{});
  }

  RegexNode& root_;
  std::unordered_set<const RegexNode*> registered_;
  std::size_t copied_ = 0;
};

}  // namespace

std::unique_ptr<RegexNode> WithoutEmptyText(const RegexNode& tree, RegexNode& root) {
  const std::size_t registered = root.charset->operandSets.size();
  NonEmptyWalker walker(root);
  Part part = walker.Walk(tree, NoValue{});
  if (!part.nullable || walker.overBudget()) {
    root.charset->operandSets.resize(registered);  // the copies made so far go away
    return nullptr;
  }
  if (!part.nonEmpty) return std::make_unique<RegexNode>(NodeKind::OR);
  return std::move(part.nonEmpty);
}

void Unregister(const RegexNode& tree, RegexNode& root) {
  std::unordered_set<const RegexNode*> nodes;
  std::vector<const RegexNode*> stack{&tree};
  while (!stack.empty()) {
    const RegexNode* node = stack.back();
    stack.pop_back();
    nodes.insert(node);
    for (const auto& child : node->children)
      stack.push_back(child.get());
  }
  std::erase_if(root.charset->operandSets, [&](RegexNode* node) { return nodes.contains(node); });
}

}  // namespace tarnwick
