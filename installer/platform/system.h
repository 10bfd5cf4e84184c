// System: the installer's view of the operating system's files, environment
// and conventions, so that the tool-list logic above it stays plain C++.
//
// Paths are 8-bit strings handed to the system unchanged (the ANSI functions
// on Windows, bytes on POSIX). ReplaceFile is the only way a preference file
// is written: it writes a sibling temporary file and renames it over the
// original, so an interrupted or failed write leaves the old file whole.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

class System {
 public:
  virtual ~System() = default;

  // The whole file, or nothing when it cannot be opened and read.
  virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
  // Copies over an existing target, replacing it atomically as ReplaceFile
  // does; false when the copy did not complete.
  virtual bool CopyFile(const std::string& from, const std::string& to) const = 0;
  // Atomically replaces (or creates) `path` with `bytes`.
  virtual bool ReplaceFile(const std::string& path, std::string_view bytes) const = 0;

  virtual std::optional<std::string> Environment(const std::string& name) const = 0;
  virtual std::string CurrentDirectory() const = 0;

  // '\\' on Windows, '/' elsewhere.
  virtual char PathSeparator() const = 0;
  // The build tool's file name as the IDE must start it on this system.
  virtual std::string ToolFileName() const = 0;
};

// The implementation for the system the program was built for.
std::unique_ptr<System> MakeNativeSystem();

}  // namespace korvane
