// tarnwick-scan: previews a generated scanner on an input file without a
// PureBasic compiler. All the work is in scan_tool.cc.
#include <iostream>
#include <string>
#include <vector>

#include "scan_tool.h"

int main(int argc, char** argv) {
  // One line per token: unsynchronised streams make large previews fast.
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return tarnwick_scan::RunScanTool(args, std::cout, std::cerr);
}
