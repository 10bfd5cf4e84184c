// The class map's protocol operations; comparison is entry by entry.
#include "regex/charset.h"

namespace tarnwick {

namespace {
int CompareMaps(const Object& a, const Object& b) {
  const auto& x = static_cast<const CharSet&>(a);
  const auto& y = static_cast<const CharSet&>(b);
  for (std::size_t i = 0; i < x.classOf.size(); ++i) {
    if (x.classOf[i] != y.classOf[i]) return x.classOf[i] - y.classOf[i];
  }
  return 0;
}
}  // namespace

CharSet::CharSet() : Object(&CompareMaps) {
  classOf[256] = 256;
}

std::unique_ptr<CharSet> CharSet::Clone() const {
  auto copy = std::make_unique<CharSet>();
  copy->classOf = classOf;
  copy->classCount = classCount;
  return copy;
}

}  // namespace tarnwick
