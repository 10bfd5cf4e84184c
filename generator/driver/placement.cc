// The in-between file lives in the destination's own directory, so the final
// step is a rename within one file system and replaces the old file in one
// move. It is registered as scratch while it exists, so closing the log in
// the middle of placement leaves nothing behind. A destination that is a
// symbolic link is placed at the link's target, so the link survives; a
// device or a pipe is written into, since a rename would replace the node.
// A destination that already holds the source's bytes is compared, not
// rewritten: the runtime include beside an output is usually the copy the
// previous run placed.
#include "driver/placement.h"

#include "base/whole_file.h"
#include "driver/paths.h"
#include "platform/files.h"

namespace tarnwick {

std::optional<std::string> PlaceFile(const std::string& source, const std::string& destination,
                                     ScratchFiles& scratch) {
  if (!platform::FileExists(source)) return "Cannot find the file to copy: " + source;
  const std::string target = platform::FollowLinks(destination);
  if (target.empty()) return "Cannot write " + destination + ": its symbolic links form a loop";
  if (platform::IsStreamTarget(target)) {
    if (!platform::CopyFileContents(source, target)) return "Cannot write " + destination;
    return std::nullopt;
  }
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about
  // "literal" + std::string&&.
  std::string prefix = ".";
  prefix += FileNamePart(target);
  prefix += ".part-";
  std::string staging = platform::CreateUniqueFile(DirectoryPart(target), prefix);
  if (staging.empty()) {
    return "Cannot create " + destination + ": its directory is missing or not writable";
  }
  scratch.Add(staging);
  std::optional<std::string> problem;
  if (!platform::CopyFileContents(source, staging)) {
    problem = "Cannot write " + destination;
  } else if (!platform::RenameReplacing(staging, target)) {
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
  // Only a regular file is read to compare with: a device such as /dev/zero
  // never ends and a pipe waits for a writer. The source is read only when a
  // copy is already there.
  const std::string target = platform::FollowLinks(destination);
  if (!target.empty() && !platform::IsStreamTarget(target)) {
    if (const std::optional<std::string> present = ReadWholeFile(target)) {
      if (ReadWholeFile(source) == present) return std::nullopt;
    }
  }
  return PlaceFile(source, destination, scratch);
}

std::optional<std::string> IncludeDirectoryBeside(const std::string& output) {
  const std::string target = platform::FollowLinks(output);
  if (target.empty() || platform::IsStreamTarget(target)) return std::nullopt;
  return DirectoryPart(target);
}

}  // namespace tarnwick
