// Putting finished files at their final names without ever exposing a
// half-written one.
#pragma once

#include <optional>
#include <string>

#include "driver/scratch_files.h"

namespace tarnwick {

// Copies `source` to a new file beside `destination` and renames it over
// `destination`. On failure `destination` is as it was and the text says what
// went wrong; the in-between file is removed either way. A symbolic link is
// followed and its target placed; a device or a pipe is written into.
std::optional<std::string> PlaceFile(const std::string& source, const std::string& destination,
                                     ScratchFiles& scratch);

// PlaceFile, except that a `destination` already holding exactly the bytes of
// `source` (the same file included) is left as it is: no write, no rename.
std::optional<std::string> PlaceFileUnlessIdentical(const std::string& source,
                                                    const std::string& destination,
                                                    ScratchFiles& scratch);

// The directory the runtime include goes to beside `output`: the one that
// holds the output's content, at the end of its links. None beside a device
// or a pipe, which holds no files, or at the end of a link loop.
std::optional<std::string> IncludeDirectoryBeside(const std::string& output);

}  // namespace tarnwick
