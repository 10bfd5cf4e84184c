// Putting finished files at their final names without ever exposing a
// half-written one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "driver/scratch_files.h"

namespace tarnwick {

// Copies `source` to a new file beside `destination` and renames it over
// `destination`, which keeps its permission bits. On failure `destination`
// is as it was and the text says what went wrong; the in-between file is
// removed either way. A symbolic link is followed and its target placed; a
// device, a pipe or a socket (/dev/stdout on a pipe too) is written into.
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

// True when `name` can only mean a directory: it ends in a separator, or a
// directory (or a link to one) has that name. Such an output is refused.
bool NamesADirectory(const std::string& name);

// The start of the in-between file's name for a destination called
// `fileName`: "." + the name + ".part-", the name cut (at a UTF-8 character
// boundary) so that the start and the unique tail fit `nameLimit` bytes.
std::string StagingPrefix(std::string_view fileName, std::size_t nameLimit);

}  // namespace tarnwick
