// Class refinement. New bytes first go into one tentative class; then every
// touched class that the operand covers only partly is split, its bytes outside
// the operand moving to one new class, and every earlier operand OR naming the
// old class gets the new class right behind it. Class numbers come out in
// exactly this order, which the generated tables show.
#include "regex/class_refiner.h"

#include <array>

#include "regex/symbols.h"

namespace tarnwick {

namespace {

void NameSplitInEarlierOperands(RegexNode& root, int32_t old_class, int32_t new_class) {
  for (RegexNode* operand : root.operandSets) {
    if (operand->kind != NodeKind::OR) continue;
    auto& leaves = operand->children;
    for (std::size_t i = 0; i < leaves.size(); ++i) {
      if (leaves[i]->kind == old_class) {
        leaves.insert(leaves.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                      std::make_unique<RegexNode>(new_class));
        ++i;
      }
    }
  }
}

}  // namespace

std::unique_ptr<RegexNode> RefineClasses(RegexNode& root, const ByteSet& operand) {
  CharSet& map = *root.charset;
  std::array<bool, kMaxClass + 1> touched{};

  const int32_t opened = ++map.classCount;
  bool used = false;
  for (int b = 0; b < 256; ++b) {
    if (!operand[b]) continue;
    if (map.classOf[b] == 0) {
      map.classOf[b] = opened;
      used = true;
    }
    touched[map.classOf[b]] = true;
  }
  if (!used) --map.classCount;

  const int32_t existing = map.classCount;
  for (int32_t k = 1; k <= existing; ++k) {
    if (!touched[k]) continue;
    int32_t split = 0;
    for (int b = 0; b < 256; ++b) {
      if (operand[b] || map.classOf[b] != k) continue;
      if (split == 0) split = ++map.classCount;
      map.classOf[b] = split;
    }
    if (split != 0) NameSplitInEarlierOperands(root, k, split);
  }

  auto result = std::make_unique<RegexNode>(NodeKind::OR);
  for (int32_t k = 1; k <= map.classCount; ++k) {
    if (touched[k]) result->children.push_back(std::make_unique<RegexNode>(k));
  }
  root.operandSets.push_back(result.get());
  return result;
}

}  // namespace tarnwick
