// The generator's title, shown on the log and on the parameter-error box.
#pragma once

#include <string>

namespace tarnwick {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;

// "Tarnwick V." and the version with exactly two decimals: Tarnwick V.1.00.
std::string Banner();

}  // namespace tarnwick
