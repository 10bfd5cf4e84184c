// The whole content of a file as the platform tests check it: every byte,
// nothing translated; a missing file reads as empty.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tarnwick::platform {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tarnwick::platform
