// Reading and writing a file in one piece: the definition, the settings,
// the drawing. Nothing is translated on the way, which keeps CR LF line ends
// and a byte-order mark exact everywhere. (The scanner source is streamed
// through a FileSink, and placement copies files in blocks: file_blocks.h.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// All bytes of `path`; nothing when it cannot be opened or read (a directory
// included).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Creates or replaces `path` with exactly `bytes`; false when that failed.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace tarnwick
