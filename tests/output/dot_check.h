// Test helper: has the real Graphviz `dot` read a graph, when it is installed.
#pragma once

#include <string>

namespace tarnwick::testing {

// The path of `dot`, or empty when Graphviz is not installed.
const std::string& DotProgram();

// Adds a test failure unless `dot` reads `dotFileText` (minus its byte-order
// mark) with exit status 0 and no message; does nothing without `dot`.
void ExpectDotAccepts(const std::string& dotFileText);

}  // namespace tarnwick::testing
