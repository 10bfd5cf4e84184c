// CharSet: the class map, the class number of every byte value.
//
// The automata move over character classes, not bytes: sets of bytes that no
// rule tells apart. Class 0 holds the bytes that no rule names. The map is
// refined operand by operand while rules are parsed (see class_refiner.h),
// and while they are it lists the operands whose classes a split must follow.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "regex/object.h"

namespace tarnwick {

class RegexNode;

class CharSet final : public Object {
 public:
  CharSet();

  // Entries 0..255: the class of each byte. Entry 256 is fixed at 256 and only
  // takes part in comparisons.
  std::array<int32_t, 257> classOf{};
  int32_t classCount = 0;
  // Every operand OR of the rule trees handed out by class refinement, in
  // parse order, so that a later split reaches it. References into the trees,
  // owning nothing: simplification and the NFA construction empty it before
  // they free nodes. Neither copied nor compared.
  std::vector<RegexNode*> operandSets;

  std::unique_ptr<CharSet> Clone() const;
  std::unique_ptr<Object> CloneObject() const override { return Clone(); }
  std::string ToString() const override { return IdentityText(*this); }
};

}  // namespace tarnwick
