// Layer regex: the syntax tree over character classes that the parser
// writes and the automaton construction reads, with the object protocol and
// containers, the class map, class refinement, the tree walker and
// simplification. Uses base only.
//
// RegexNode: the one node type of the rules' syntax trees.
//
// Operators, operands, the empty string and the end of input are all nodes,
// told apart by `kind`. Operand nodes are ORs over class leaves (kind = class
// number), so trees never hold bytes; in UTF-8 mode an operand is a subtree
// of such ORs, one per byte of its encodings. One root node (kind OR) stands
// for the whole lexer: its children are the rule trees in file order, its
// flags hold the case switch and the UTF-8 mode, and it owns the class map,
// which lists every operand OR made so far (CharSet::operandSets) so that
// later class splits can reach them: kept there rather than here, where
// every node of every tree would carry it.
//
// Trees can be very deep; destruction, Clone and ToString walk without
// recursion.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "regex/charset.h"
#include "regex/object.h"

namespace tarnwick {

// Node kinds; positive kinds are class leaves.
struct NodeKind {
  static constexpr int32_t EndOfInput = -1;
  static constexpr int32_t STAR = -2;
  static constexpr int32_t MINONE = -3;
  static constexpr int32_t OPTION = -4;
  static constexpr int32_t OR = -5;
  static constexpr int32_t AND = -6;
  static constexpr int32_t Epsilon = -7;
  // Lives only on the parser's operator stack.
  static constexpr int32_t GroupMarker = -8;
};

// Bit 0 of the root's flags: letters match in both cases.
inline constexpr uint32_t kCaseInsensitive = 1;
// Bit 1: the definition is UTF-8 and operands are sets of characters.
inline constexpr uint32_t kUtf8Mode = 2;
// Bit 2: "%context": `^` at the start, `$` at the end and `/` outside groups
// are a line anchor, a line-end anchor and trailing context.
inline constexpr uint32_t kContextMode = 4;

class RegexNode final : public Object {
 public:
  explicit RegexNode(int32_t kind, std::unique_ptr<CharSet> charset = nullptr);
  ~RegexNode() override;

  // The root of a lexer: an OR with a fresh, empty class map.
  static std::unique_ptr<RegexNode> MakeRoot();

  int32_t kind;
  uint32_t flags = 0;
  // Root only.
  std::unique_ptr<CharSet> charset;
  std::vector<std::unique_ptr<RegexNode>> children;

  bool IsClassLeaf() const { return kind > 0; }

  // Deep copy of the tree and the class map; the copy lists no operands.
  std::unique_ptr<RegexNode> Clone() const;
  std::unique_ptr<Object> CloneObject() const override { return Clone(); }
  std::string ToString() const override;

  // The printed name of a kind: "AND", "OR", ..., or the number.
  static std::string KindName(int32_t kind);
};

}  // namespace tarnwick
