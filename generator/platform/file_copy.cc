// Byte copy through standard streams. The source is read whole before the
// destination is opened, so a missing or unreadable source never truncates
// the destination. Scanner sources of large lexers run to megabytes, so the
// read is one block of the file's size rather than character by character.
#include <fstream>
#include <string>

#include "platform/files.h"

namespace tarnwick::platform {

bool CopyFileContents(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return false;
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace tarnwick::platform
