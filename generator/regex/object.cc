// Shared implementations of the object protocol's identity operations.
#include "regex/object.h"

namespace tarnwick {

namespace {
intptr_t Address(const Object& object) {
  return reinterpret_cast<intptr_t>(&object);
}
}  // namespace

int CompareIdentity(const Object& a, const Object& b) {
  const intptr_t x = Address(a);
  const intptr_t y = Address(b);
  if (x == y) return 0;
  return x < y ? -1 : 1;
}

std::string IdentityText(const Object& object) {
  return std::to_string(Address(object));
}

}  // namespace tarnwick
