// A C stream that closes itself: the one handle type of base's file code.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace tarnwick {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

using File = std::unique_ptr<std::FILE, FileCloser>;

inline File OpenFile(const std::string& path, const char* mode) {
  return File(std::fopen(path.c_str(), mode));
}

}  // namespace tarnwick
