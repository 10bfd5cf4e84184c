// The in-between file lives in the destination's own directory, so the final
// step is a rename within one file system and replaces the old file in one
// move. It is registered as scratch while it exists, so closing the log in
// the middle of placement leaves nothing behind. A destination that already
// holds the source's bytes is compared, not rewritten: the runtime include
// beside an output is usually the copy the previous run placed.
#include "driver/placement.h"

#include <fstream>

#include "driver/paths.h"
#include "platform/files.h"

namespace tarnwick {

namespace {

// The whole file in one block, or nothing when it cannot be read.
std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
  if (size < 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::string> PlaceFile(const std::string& source, const std::string& destination,
                                     ScratchFiles& scratch) {
  if (!platform::FileExists(source)) return "Cannot find the file to copy: " + source;
  const std::string directory = DirectoryPart(destination);
  std::string staging =
      platform::CreateUniqueFile(directory, "." + FileNamePart(destination) + ".part-");
  if (staging.empty()) {
    return "Cannot create " + destination + ": its directory is missing or not writable";
  }
  scratch.Add(staging);
  std::optional<std::string> problem;
  if (!platform::CopyFileContents(source, staging)) {
    problem = "Cannot write " + destination;
  } else if (!platform::RenameReplacing(staging, destination)) {
    problem = "Cannot replace " + destination;
  } else {
    scratch.Forget(staging);
    return std::nullopt;
  }
  platform::RemoveFile(staging);
  scratch.Forget(staging);
  return problem;
}

std::optional<std::string> PlaceFileUnlessIdentical(const std::string& source,
                                                    const std::string& destination,
                                                    ScratchFiles& scratch) {
  std::optional<std::string> present = ReadBytes(destination);
  if (present) {
    std::optional<std::string> wanted = ReadBytes(source);
    if (wanted && *wanted == *present) return std::nullopt;
  }
  return PlaceFile(source, destination, scratch);
}

}  // namespace tarnwick
