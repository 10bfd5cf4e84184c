// The message table and the one place an ErrorState becomes text.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/errors.h"

namespace tarnwick {

// Indexed by ErrorNumber (ErrorNumbers); 1 to 27 hold texts, 0 is empty; 23
// to 25 belong to UTF-8 definitions, 26 and 27 to the driver's files. The
// texts are 8-bit Windows-1252 (number 20 holds the section sign 0xA7).
extern const std::array<std::string_view, kErrorNumberSlots> ErrorMessages;

// The message of `error` with "%s1", "%s2", "%s3" replaced by its arguments,
// in that order. A failure without a message number shows its `detail`; a
// number outside the table gives the empty text.
std::string FormatErrorMessage(const ErrorState& error);

}  // namespace tarnwick
