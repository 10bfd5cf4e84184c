// Layer platform: the system calls of the generator on Linux and Win32, the
// implementations of the base interfaces (log, program runner, case table)
// and the file services below (this header). Uses base only; knows no stage.
//
// File services the driver needs to place its output safely.
//
// Placement never writes the final name directly: content goes to a fresh
// file beside the destination and is renamed over it, so readers see either
// the old file or the complete new one. Every file and folder the generator
// makes is created exclusively, so a name someone else prepared (a link
// above all) is never written through. The operations report failure instead
// of throwing; the caller turns a failure into a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_blocks.h"

namespace tarnwick::platform {

// The outcome of making one new file or folder. kExists: the name was taken
// (by anything, a dangling link included); kNotWritten: the file was created
// but its bytes could not all be written, and it has been removed again.
enum class NewFile { kCreated, kExists, kFailed, kNotWritten };

// Creates `path` exclusively and writes the blocks of `bytes` through the
// handle that created it; a source that fails to read leaves the file
// kNotWritten. `permissions` (POSIX mode bits, Linux only) are set on the
// file when given; otherwise it gets the usual 0666 minus the umask.
NewFile WriteNewFileFrom(const std::string& path, const BlockSource& bytes,
                         std::optional<unsigned> permissions = std::nullopt);

// WriteNewFileFrom with all bytes at hand.
NewFile WriteNewFile(const std::string& path, std::string_view bytes,
                     std::optional<unsigned> permissions = std::nullopt);

// The random tail that makes a name unique; the name is the caller's
// `directory` + `prefix` + the tail.
inline constexpr std::size_t kUniqueTailLength = 10;

struct MadeName {
  NewFile outcome = NewFile::kFailed;
  std::string path;  // set when kCreated
};

// WriteNewFileFrom under a unique name. `directory` is empty (the current
// directory) or ends in a separator. `bytes` is read only once a name was
// created.
MadeName WriteUniqueFileFrom(const std::string& directory, const std::string& prefix,
                             const BlockSource& bytes, std::optional<unsigned> permissions);

// WriteUniqueFileFrom with all bytes at hand.
MadeName WriteUniqueFile(const std::string& directory, const std::string& prefix,
                         std::string_view bytes, std::optional<unsigned> permissions);

// A new folder under a unique name that only the current user may enter
// (mode 0700 on Linux, an owner-only access list on Windows); empty when none
// could be made.
std::string CreatePrivateFolder(const std::string& directory, const std::string& prefix);

// Removes the files in `folder`, never following a link, then the folder.
// True when the folder is gone afterwards (also when it never existed).
bool RemoveFolder(const std::string& folder);

// A seed that tells processes apart, for the unique tails.
uint64_t ProcessSeed();

// Renames `from` to `to`, replacing `to` if it exists.
bool RenameReplacing(const std::string& from, const std::string& to);

// Removes a file; true when it is gone afterwards (also when it never existed).
bool RemoveFile(const std::string& path);

bool FileExists(const std::string& path);

// True when `path` leads to a directory (links followed).
bool IsDirectory(const std::string& path);

// True when both names exist and lead to the same file (links, "..", case
// folding on Windows and so on included).
bool SameFile(const std::string& a, const std::string& b);

// The name a chain of symbolic links ends at: `path` itself when it is no
// link. A link to a missing file gives the missing name, so the file can be
// created there. Empty when the links form a loop.
std::string FollowLinks(const std::string& path);

// True when `path` leads to a device, a pipe or a socket (links followed,
// the descriptor links of /proc included: /dev/stdout on a pipe is no path
// to resolve). Such an output is written into (WriteInto): renaming a file
// over it would replace the node.
bool IsStreamTarget(const std::string& path);

// True when `path` leads to the file this process's standard output is.
bool IsStandardOutput(const std::string& path);

// Writes the blocks of `bytes` into an existing stream target or a new or
// existing file, truncating a file. This process's standard output or error,
// when it is a stream target, is written through its descriptor, where it
// stands. False when reading or writing failed.
bool WriteInto(const std::string& path, const BlockSource& bytes);

// Writes the bytes of `from` into `to` with WriteInto, block by block.
// Portable: both ends are plain byte streams. A missing or unreadable
// `from` leaves `to` as it was.
bool CopyFileContents(const std::string& from, const std::string& to);

// The permission bits of the regular file `path` (links followed), to give a
// file that replaces it; nothing for anything else, and on Windows, where
// the replacement's access list comes from its folder.
std::optional<unsigned> PermissionBits(const std::string& path);

// The longest file name (one path component, in bytes) the file system of
// `directory` takes; `directory` is empty for the current directory.
std::size_t FileNameLimit(const std::string& directory);

}  // namespace tarnwick::platform
