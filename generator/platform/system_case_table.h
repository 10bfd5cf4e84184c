// The letter-case pairs of the system's 8-bit code page, for "%nocase".
#pragma once

#include "base/case_table.h"

namespace tarnwick::platform {

// On Windows every byte is mapped by the system; elsewhere the fixed
// Windows-1252 pairs, the code page the definition files are written in.
CaseTable SystemCaseTable();

}  // namespace tarnwick::platform
