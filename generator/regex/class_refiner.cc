// Class refinement. New bytes first go into one tentative class; then every
// touched class that the operand covers only partly is split, its bytes outside
// the operand moving to one new class, and every earlier operand OR naming the
// old class gets the new class right behind it. Class numbers come out in
// exactly this order, which the generated tables show. An operand costs two
// passes over the 256 bytes when it splits a class, one otherwise.
#include "regex/class_refiner.h"

#include <array>

#include "regex/symbols.h"

namespace tarnwick {

namespace {

void NameSplitInEarlierOperands(RegexNode& root, int32_t old_class, int32_t new_class) {
  for (RegexNode* operand : root.charset->operandSets) {
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

  // One pass counts every class's bytes and those of them in the operand:
  // the operand touches a class with some bytes inside, and splits it when
  // some are outside too. Splits are rare, so the bytes are walked again only
  // when there is one.
  const int32_t opened = ++map.classCount;
  bool used = false;
  std::array<int16_t, kMaxClass + 1> size{};
  std::array<int16_t, kMaxClass + 1> inside{};
  for (int b = 0; b < 256; ++b) {
    int32_t k = map.classOf[b];
    if (operand[b] && k == 0) {
      map.classOf[b] = k = opened;
      used = true;
    }
    ++size[k];
    inside[k] = static_cast<int16_t>(inside[k] + (operand[b] ? 1 : 0));
  }
  if (!used) --map.classCount;

  // The split classes are numbered in the order of the classes they come
  // from.
  const int32_t existing = map.classCount;
  std::array<int32_t, kMaxClass + 1> split{};
  for (int32_t k = 1; k <= existing; ++k) {
    if (inside[k] > 0 && inside[k] < size[k]) split[k] = ++map.classCount;
  }
  if (map.classCount != existing) {
    for (int b = 0; b < 256; ++b) {
      if (!operand[b] && split[map.classOf[b]] != 0) map.classOf[b] = split[map.classOf[b]];
    }
    for (int32_t k = 1; k <= existing; ++k) {
      if (split[k] != 0) NameSplitInEarlierOperands(root, k, split[k]);
    }
  }

  auto result = std::make_unique<RegexNode>(NodeKind::OR);
  // Every operand stays until the last rule is read: no spare capacity.
  std::size_t touched = 0;
  for (int32_t k = 1; k <= existing; ++k)
    touched += inside[k] > 0 ? 1 : 0;
  result->children.reserve(touched);
  for (int32_t k = 1; k <= existing; ++k) {
    if (inside[k] > 0) result->children.push_back(std::make_unique<RegexNode>(k));
  }
  root.charset->operandSets.push_back(result.get());
  return result;
}

}  // namespace tarnwick
