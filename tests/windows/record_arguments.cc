// Stands in for Graphviz in the tests: writes the arguments it was started
// with, one per line, to "arguments.txt" in its working directory.
//
// Built for both systems; on Windows the list is what the C runtime made of
// the raw command line, which is what a real Graphviz would see.
#include <fstream>

int main(int argc, char** argv) {
  std::ofstream out("arguments.txt", std::ios::binary);
  for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
  return out ? 0 : 1;
}
