// HandScanner: a small DFA written out by a test, and the scanner-source text
// of it in the generated layout (CR LF lines, aligned fields), so tests can
// state automata as tables instead of long literal DataSections.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tarnwick_scan {

struct HandScanner {
  struct Row {
    std::vector<int> next;  // one target per column 0..classCount, -1 for none
    int rule = -1;          // accepted rule, -1 for none
  };
  std::map<unsigned char, int> classOf;  // bytes left out are class 0
  int classCount = 0;
  std::vector<Row> rows;
  int start = 0;

  // Puts every byte from `first` to `last` into `cls`.
  HandScanner& Class(unsigned char first, unsigned char last, int cls);
  std::string Source(const std::string& prelude = "") const;
};

}  // namespace tarnwick_scan
