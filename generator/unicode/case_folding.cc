// The folding runs are expanded once into a sorted list of pairs (character,
// folding). Characters with the same folding form an orbit: the folding
// itself and everything that folds to it. Widening walks the orbits and adds
// a whole orbit when the set holds any member of it.
#include "unicode/case_folding.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "unicode/unicode_data.h"

namespace tarnwick::unicode {

namespace {

using FoldPair = std::pair<char32_t, char32_t>;  // character, its folding

// Sorted by character.
const std::vector<FoldPair>& FoldPairs() {
  static const std::vector<FoldPair> pairs = [] {
    std::vector<FoldPair> list;
    for (const FoldRun& run : SimpleFoldingRuns()) {
      for (char32_t c = run.first; c <= run.last; c += static_cast<char32_t>(run.step))
        list.emplace_back(c, static_cast<char32_t>(static_cast<int32_t>(c) + run.delta));
    }
    std::sort(list.begin(), list.end());
    return list;
  }();
  return pairs;
}

// Each orbit as its members, the folding first; only orbits of two or more.
const std::vector<std::vector<char32_t>>& Orbits() {
  static const std::vector<std::vector<char32_t>> orbits = [] {
    std::vector<FoldPair> byFolding;
    for (const auto& [c, folded] : FoldPairs())
      byFolding.emplace_back(folded, c);
    std::sort(byFolding.begin(), byFolding.end());
    std::vector<std::vector<char32_t>> list;
    for (std::size_t i = 0; i < byFolding.size(); ++i) {
      if (i == 0 || byFolding[i].first != byFolding[i - 1].first) {
        list.push_back({byFolding[i].first});
      }
      list.back().push_back(byFolding[i].second);
    }
    return list;
  }();
  return orbits;
}

}  // namespace

char32_t SimpleFold(char32_t c) {
  const auto& pairs = FoldPairs();
  auto it = std::lower_bound(pairs.begin(), pairs.end(), FoldPair{c, 0});
  return it != pairs.end() && it->first == c ? it->second : c;
}

void WidenSimpleCase(CodePointSet& set) {
  CodePointSet added;
  for (const std::vector<char32_t>& orbit : Orbits()) {
    const bool touched =
        std::any_of(orbit.begin(), orbit.end(), [&](char32_t c) { return set.Contains(c); });
    if (!touched) continue;
    for (char32_t c : orbit)
      added.Add(c);
  }
  set.Add(added);
}

}  // namespace tarnwick::unicode
