// Composes the title from the version numbers; the minor number is written
// as the two decimals after the point.
#include "driver/banner.h"

#include <cstdio>

namespace tarnwick {

std::string Banner() {
  char text[48];
  std::snprintf(text, sizeof text, "Tarnwick V.%d.%02d", kVersionMajor, kVersionMinor);
  return text;
}

}  // namespace tarnwick
