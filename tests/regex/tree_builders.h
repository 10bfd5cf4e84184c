// Small constructors for syntax trees in tests: trees are written as nested
// calls, e.g. Star(Or(Leaf(1), Leaf(2))), without a parser.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "regex/regex_node.h"

namespace tarnwick::testing {

using NodePtr = std::unique_ptr<RegexNode>;

inline NodePtr Leaf(int32_t kind) {
  return std::make_unique<RegexNode>(kind);
}
inline NodePtr Eps() {
  return Leaf(NodeKind::Epsilon);
}
inline NodePtr Eof() {
  return Leaf(NodeKind::EndOfInput);
}

template <class... Children>
NodePtr Node(int32_t kind, Children... children) {
  auto node = std::make_unique<RegexNode>(kind);
  (node->children.push_back(std::move(children)), ...);
  return node;
}

template <class... C>
NodePtr And(C... c) {
  return Node(NodeKind::AND, std::move(c)...);
}
template <class... C>
NodePtr Or(C... c) {
  return Node(NodeKind::OR, std::move(c)...);
}
inline NodePtr Star(NodePtr c) {
  return Node(NodeKind::STAR, std::move(c));
}
inline NodePtr Plus(NodePtr c) {
  return Node(NodeKind::MINONE, std::move(c));
}
inline NodePtr Opt(NodePtr c) {
  return Node(NodeKind::OPTION, std::move(c));
}

// A root over `classCount` classes (each class one byte, 'a' upwards) holding
// the given rules in order.
inline NodePtr Root(int32_t classCount, std::vector<NodePtr> rules) {
  auto root = RegexNode::MakeRoot();
  for (int32_t k = 1; k <= classCount; ++k)
    root->charset->classOf['a' + k - 1] = k;
  root->charset->classCount = classCount;
  for (auto& rule : rules)
    root->children.push_back(std::move(rule));
  return root;
}

template <class... R>
NodePtr Rules(int32_t classCount, R... rules) {
  std::vector<NodePtr> list;
  (list.push_back(std::move(rules)), ...);
  return Root(classCount, std::move(list));
}

}  // namespace tarnwick::testing
