// ErrorState: the record of the one error a generation run may end with.
//
// The code that finds an error sets the message number (and the reader keeps
// the line current) and returns failure; only the driver turns it into text.
// Failures that have no message number of their own (files that cannot be
// opened or written, an automaton too large) carry their text in `detail`.
#pragma once

#include <string>

namespace tarnwick {

struct ErrorState {
  int ErrorNumber = 0;
  int ErrorLine = 0;
  std::string ErrorArg1;
  std::string ErrorArg2;
  std::string ErrorArg3;
  std::string detail;
};

}  // namespace tarnwick
