// Byte copy block by block through FileBlocks and WriteInto. The source's
// first block is read before the destination is opened, so a missing or
// unreadable source never truncates the destination.
#include <string>

#include "base/file_blocks.h"
#include "platform/files.h"

namespace tarnwick::platform {

bool CopyFileContents(const std::string& from, const std::string& to) {
  FileBlocks bytes(from);
  return bytes.Readable() && WriteInto(to, bytes.Source());
}

}  // namespace tarnwick::platform
