// Writing a prepared text to disk in one piece.
//
// The output texts are built in memory first, so a file is either created
// with all of its bytes or reported as failed; nothing is translated on the
// way, which keeps CR LF line ends and a byte-order mark exact everywhere.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Creates or replaces `path` with exactly `bytes`; false when that failed.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace tarnwick
