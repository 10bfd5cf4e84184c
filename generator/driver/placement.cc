// The in-between file lives in the destination's own directory, so the final
// step is a rename within one file system and replaces the old file in one
// move. It is created exclusively, filled with the whole content block by
// block (the source is never held whole), given the old file's permission
// bits, and registered as scratch while it exists, so closing the log in the
// middle of placement leaves nothing behind. A destination that is
// a symbolic link is placed at the link's target, so the link survives; a
// device or a pipe is written into, since a rename would replace the node.
// A destination that already holds the source's bytes is compared, not
// rewritten: the runtime include beside an output is usually the copy the
// previous run placed.
#include "driver/placement.h"

#include <algorithm>

#include "base/file_blocks.h"
#include "driver/paths.h"
#include "platform/files.h"

namespace tarnwick {

namespace {

constexpr std::string_view kStagingStart = ".";
constexpr std::string_view kStagingEnd = ".part-";

}  // namespace

std::string StagingPrefix(std::string_view fileName, std::size_t nameLimit) {
  const std::size_t fixed = kStagingStart.size() + kStagingEnd.size() + platform::kUniqueTailLength;
  std::size_t keep = std::min(fileName.size(), nameLimit > fixed ? nameLimit - fixed : 0);
  // A cut inside a character would leave a byte sequence some file systems
  // refuse; continuation bytes are 10xxxxxx.
  if (keep < fileName.size()) {
    while (keep > 0 && (static_cast<unsigned char>(fileName[keep]) & 0xC0) == 0x80)
      --keep;
  }
  std::string prefix(kStagingStart);
  prefix += fileName.substr(0, keep);
  prefix += kStagingEnd;
  return prefix;
}

bool NamesADirectory(const std::string& name) {
  return name.ends_with('/') || name.ends_with('\\') || platform::IsDirectory(name);
}

std::optional<std::string> PlaceFile(const std::string& source, const std::string& destination,
                                     ScratchFiles& scratch) {
  // The first block is read here: a source that cannot be read stops the
  // placement before anything is created or written into.
  FileBlocks bytes(source);
  if (!bytes.Readable()) return "Cannot find the file to copy: " + source;
  // Judged before any link is read: the last link of /dev/stdout on a pipe
  // names no file.
  if (platform::IsStreamTarget(destination)) {
    if (!platform::WriteInto(destination, bytes.Source())) return "Cannot write " + destination;
    return std::nullopt;
  }
  const std::string target = platform::FollowLinks(destination);
  if (target.empty()) return "Cannot write " + destination + ": its symbolic links form a loop";
  const std::string directory = DirectoryPart(target);
  platform::MadeName staging;
  scratch.MakeFile([&] {
    staging = platform::WriteUniqueFileFrom(
        directory, StagingPrefix(FileNamePart(target), platform::FileNameLimit(directory)),
        bytes.Source(), platform::PermissionBits(target));
    return staging.path;
  });
  if (staging.outcome == platform::NewFile::kNotWritten) return "Cannot write " + destination;
  if (staging.path.empty()) {
    return "Cannot create " + destination + ": its directory is missing or not writable";
  }
  std::optional<std::string> problem;
  if (!platform::RenameReplacing(staging.path, target)) {
    problem = "Cannot replace " + destination;
    platform::RemoveFile(staging.path);
  }
  scratch.Forget(staging.path);
  return problem;
}

std::optional<std::string> PlaceFileUnlessIdentical(const std::string& source,
                                                    const std::string& destination,
                                                    ScratchFiles& scratch) {
  // Only a regular file is read to compare with: a device such as /dev/zero
  // never ends and a pipe waits for a writer. The source is read only when a
  // copy is already there, and both only up to the first difference.
  if (!platform::IsStreamTarget(destination)) {
    const std::string target = platform::FollowLinks(destination);
    if (!target.empty() && SameFileBytes(target, source)) return std::nullopt;
  }
  return PlaceFile(source, destination, scratch);
}

std::optional<std::string> IncludeDirectoryBeside(const std::string& output) {
  if (platform::IsStreamTarget(output)) return std::nullopt;
  const std::string target = platform::FollowLinks(output);
  if (target.empty()) return std::nullopt;
  return DirectoryPart(target);
}

}  // namespace tarnwick
