// Parses the state limit by hand rather than with strtoul, which would take
// signs, blanks and a wrapped-around negative number as a valid limit.
#include "driver/state_limit.h"

#include <algorithm>
#include <limits>

#include "pipeline/generate.h"

namespace tarnwick {

std::size_t MaxDfaStatesFrom(const std::optional<std::string>& value) {
  if (!value || value->empty()) return kDefaultMaxDfaStates;
  std::size_t limit = 0;
  for (char c : *value) {
    if (c < '0' || c > '9') return kDefaultMaxDfaStates;
    const auto digit = static_cast<std::size_t>(c - '0');
    if (limit > (std::numeric_limits<std::size_t>::max() - digit) / 10) {
      return kDefaultMaxDfaStates;
    }
    limit = limit * 10 + digit;
  }
  if (limit == 0) return kDefaultMaxDfaStates;
  return std::min(limit, kDfaStateCapacity);
}

}  // namespace tarnwick
