// The installed folder is the program directory's parent joined with the
// shared data folder. The parent is found on the text alone: the program
// directory comes from the system as a full path, and "." or ".." parts are
// kept as they are by going up with a literal "..".
#include "driver/support_files.h"

#include "driver/paths.h"

namespace tarnwick {

namespace {

std::string ParentDirectory(std::string_view directory, char separator) {
  if (directory.empty()) return std::string("..") + separator;
  const std::string_view inner = directory.substr(0, directory.size() - 1);
  const std::string last = FileNamePart(inner);
  // A root ("/", "C:\") has no parent; "." and ".." must not be cut away.
  if (last.empty() || last == "." || last == ".." || last.back() == ':') {
    return std::string(directory) + ".." + separator;
  }
  return DirectoryPart(inner);
}

}  // namespace

std::vector<std::string> SupportDirectories(std::string_view programDirectory) {
  const char separator = programDirectory.empty() ? '/' : programDirectory.back();
  std::string shared = ParentDirectory(programDirectory, separator);
  for (const char c : std::string_view(kSharedDataFolder))
    shared += c == '/' ? separator : c;
  return {std::string(programDirectory), shared};
}

std::string FindSupportFile(const std::vector<std::string>& directories, std::string_view name,
                            const std::function<bool(const std::string&)>& exists) {
  for (const std::string& directory : directories) {
    std::string path = directory + std::string(name);
    if (exists(path)) return path;
  }
  return {};
}

}  // namespace tarnwick
