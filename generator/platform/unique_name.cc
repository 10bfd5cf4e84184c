// The tails come from a generator seeded by the system and by the process,
// since random_device alone is deterministic on some runtimes.
#include "platform/unique_name.h"

#include <cstdint>
#include <random>

namespace tarnwick::platform {

MadeName MakeUnderUniqueName(const std::string& stem,
                             const std::function<NewFile(const std::string&)>& make) {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937_64 random(seed() ^ ProcessSeed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = stem;
    for (std::size_t k = 0; k < kUniqueTailLength; ++k)
      name += kAlphabet[random() % (sizeof kAlphabet - 1)];
    const NewFile outcome = make(name);
    if (outcome == NewFile::kExists) continue;
    if (outcome != NewFile::kCreated) return {outcome, {}};
    return {outcome, std::move(name)};
  }
  return {NewFile::kExists, {}};
}

MadeName WriteUniqueFileFrom(const std::string& directory, const std::string& prefix,
                             const BlockSource& bytes, std::optional<unsigned> permissions) {
  // A name that is taken fails before anything is read from `bytes`.
  return MakeUnderUniqueName(directory + prefix, [&](const std::string& name) {
    return WriteNewFileFrom(name, bytes, permissions);
  });
}

MadeName WriteUniqueFile(const std::string& directory, const std::string& prefix,
                         std::string_view bytes, std::optional<unsigned> permissions) {
  return WriteUniqueFileFrom(directory, prefix, OneBlock(bytes), permissions);
}

NewFile WriteNewFile(const std::string& path, std::string_view bytes,
                     std::optional<unsigned> permissions) {
  return WriteNewFileFrom(path, OneBlock(bytes), permissions);
}

}  // namespace tarnwick::platform
