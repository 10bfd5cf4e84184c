// MakeUnderUniqueName: the name loop both platforms share for new files and
// folders. The caller makes one candidate name exclusively; the loop draws
// another tail while the name is taken.
#pragma once

#include <functional>
#include <string>

#include "platform/files.h"

namespace tarnwick::platform {

// Tries `make` on `stem` + a random tail of kUniqueTailLength letters and
// digits until it gives anything but kExists (or 100 names were taken).
MadeName MakeUnderUniqueName(const std::string& stem,
                             const std::function<NewFile(const std::string&)>& make);

}  // namespace tarnwick::platform
