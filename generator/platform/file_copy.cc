// Byte copy through the whole-file reader and WriteInto. The source is read
// whole before the destination is opened, so a missing or unreadable source
// never truncates the destination.
#include <optional>
#include <string>

#include "base/whole_file.h"
#include "platform/files.h"

namespace tarnwick::platform {

bool CopyFileContents(const std::string& from, const std::string& to) {
  const std::optional<std::string> bytes = ReadWholeFile(from);
  return bytes && WriteInto(to, *bytes);
}

}  // namespace tarnwick::platform
