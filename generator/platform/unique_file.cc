// CreateUniqueFile: the name loop both platforms share. Each platform gives
// only the exclusive creation of one name and a seed that differs between
// processes started at the same moment.
#include <cstdint>
#include <random>

#include "platform/files.h"

namespace tarnwick::platform {

std::string CreateUniqueFile(const std::string& directory, const std::string& prefix) {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937_64 random(seed() ^ ProcessSeed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = directory + prefix;
    for (int k = 0; k < 10; ++k)
      name += kAlphabet[random() % (sizeof kAlphabet - 1)];
    switch (CreateNewFile(name)) {
      case NewFile::kCreated:
        return name;
      case NewFile::kExists:
        continue;
      case NewFile::kFailed:
        return {};
    }
  }
  return {};
}

}  // namespace tarnwick::platform
