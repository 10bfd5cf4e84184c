// Putting finished files at their final names without ever exposing a
// half-written one.
#pragma once

#include <optional>
#include <string>

#include "driver/scratch_files.h"

namespace tarnwick {

// Copies `source` to a new file beside `destination` and renames it over
// `destination`. On failure `destination` is as it was and the text says what
// went wrong; the in-between file is removed either way.
std::optional<std::string> PlaceFile(const std::string& source, const std::string& destination,
                                     ScratchFiles& scratch);

// PlaceFile, except that a `destination` already holding exactly the bytes of
// `source` (the same file included) is left as it is: no write, no rename.
std::optional<std::string> PlaceFileUnlessIdentical(const std::string& source,
                                                    const std::string& destination,
                                                    ScratchFiles& scratch);

}  // namespace tarnwick
