// Layer platform: the system calls of the generator on Linux and Win32, the
// implementations of the base interfaces (log, program runner, case table)
// and the file services below (this header). Uses base only; knows no stage.
//
// File services the driver needs to place its output safely.
//
// Placement never writes the final name directly: content goes to a fresh
// file beside the destination and is renamed over it, so readers see either
// the old file or the complete new one. The operations report failure instead
// of throwing; the caller turns a failure into a message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::platform {

// Creates a new, empty file named `directory` + `prefix` + a unique tail and
// gives its name; empty when no file could be created. `directory` is empty
// (the current directory) or ends in a separator.
std::string CreateUniqueFile(const std::string& directory, const std::string& prefix);

// What each platform gives CreateUniqueFile: the exclusive creation of one
// new, empty file, and a seed that tells processes apart.
enum class NewFile { kCreated, kExists, kFailed };
NewFile CreateNewFile(const std::string& path);
uint64_t ProcessSeed();

// Renames `from` to `to`, replacing `to` if it exists.
bool RenameReplacing(const std::string& from, const std::string& to);

// Removes a file; true when it is gone afterwards (also when it never existed).
bool RemoveFile(const std::string& path);

bool FileExists(const std::string& path);

// True when both names exist and lead to the same file (links, "..", case
// folding on Windows and so on included).
bool SameFile(const std::string& a, const std::string& b);

// The name a chain of symbolic links ends at: `path` itself when it is no
// link. A link to a missing file gives the missing name, so the file can be
// created there. Empty when the links form a loop.
std::string FollowLinks(const std::string& path);

// True when `path` names a device or a pipe (links followed). Such an output
// is written into directly: renaming a file over it would replace the node.
bool IsStreamTarget(const std::string& path);

// The existing files whose full names begin with `stem` (a directory part
// and the start of a file name).
std::vector<std::string> FilesStartingWith(const std::string& stem);

// Writes the bytes of `from` into the existing or new file `to`, truncating it.
// Portable: both ends are plain byte streams.
bool CopyFileContents(const std::string& from, const std::string& to);

}  // namespace tarnwick::platform
