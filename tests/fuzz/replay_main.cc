// Replays fuzz inputs through a fuzz target's entry point without libFuzzer,
// so the inputs that once failed (and the seed corpus) run as ordinary tests
// in every build, sanitized or not.
//
//   <replay> PATH...   each PATH a file or a folder of files
// A target signals a broken invariant by aborting, which fails the test.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << file << '\n';
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
    } else {
      files.push_back(path);
    }
  }
  std::size_t replayed = 0;
  for (const auto& file : files) {
    // Named before running, so a crash report says which input it was.
    std::cout << "replay " << file.filename().string() << std::endl;
    if (!Replay(file)) return 1;
    ++replayed;
  }
  std::cout << replayed << " inputs replayed\n";
  return 0;
}
