// Splits at the last separator of either kind.
#include "driver/paths.h"

namespace tarnwick {

std::string DirectoryPart(std::string_view path) {
  std::size_t last = path.find_last_of("\\/");
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

std::string FileNamePart(std::string_view path) {
  std::size_t last = path.find_last_of("\\/");
  if (last == std::string_view::npos) return std::string(path);
  return std::string(path.substr(last + 1));
}

}  // namespace tarnwick
