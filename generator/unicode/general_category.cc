// Lookup by name over the generated tables. The group C has no surrogates:
// the tables leave Cs out, as no definition can name a surrogate.
#include "unicode/general_category.h"

namespace tarnwick::unicode {

bool AddGeneralCategory(std::string_view name, CodePointSet& set) {
  if (name.empty() || name.size() > 2) return false;
  bool found = false;
  for (const CategoryTable& table : GeneralCategoryTables()) {
    if (table.name.substr(0, name.size()) != name) continue;
    found = true;
    for (const CodePointRange& range : table.ranges)
      set.Add(range.first, range.last);
  }
  return found;
}

}  // namespace tarnwick::unicode
