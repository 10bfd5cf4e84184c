// Byte copy through standard streams: the files placed by the driver are
// small, and reading the source whole means a missing source never truncates
// the destination.
#include <fstream>
#include <iterator>
#include <string>

#include "platform/files.h"

namespace tarnwick::platform {

bool CopyFileContents(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace tarnwick::platform
