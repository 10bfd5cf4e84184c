// Stands in for Graphviz in the tests: writes the arguments it was started
// with, one per line, to "arguments.txt" in its working directory.
//
// An argument that names a readable file is recorded as "(file N)" and the
// file's content is copied to "argument-N.txt": scratch names differ by
// system and run, what they hold must not. The "-o" argument's file gets a
// stand-in PDF and is recorded as "-o(output N)". Built for both systems; on
// Windows the list is what the C runtime made of the raw command line,
// which is what a real Graphviz would see.
#include <fstream>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
  std::ofstream out("arguments.txt", std::ios::binary);
  for (int i = 1; i < argc; ++i) {
    // The output: a scratch name too, which gets a stand-in drawing that the
    // generator then places.
    if (std::string_view(argv[i]).starts_with("-o")) {
      std::ofstream(argv[i] + 2, std::ios::binary) << "%PDF- stand-in\n";
      out << "-o(output " << i << ")\n";
      continue;
    }
    std::ifstream in(argv[i], std::ios::binary);
    if (in) {
      std::ofstream copy("argument-" + std::to_string(i) + ".txt", std::ios::binary);
      copy << in.rdbuf();
      out << "(file " << i << ")\n";
    } else {
      out << argv[i] << '\n';
    }
  }
  return out ? 0 : 1;
}
