// The Graphviz step: the drawing of the DFA as a dot file and its rendering
// to PDF by the Graphviz program.
//
// A dot file is written when one is named, or to a scratch file when only a
// PDF is wanted. Graphviz gets its own scratch copy of the graph without the
// byte-order mark, which some Graphviz releases reject, and is started with an
// argument vector so file names pass intact. Problems with the rendering go
// to the log; they never fail the run, and a PDF that Graphviz did not
// finish is removed. The driver hands scratch names for both files and
// places them after the pass.
#pragma once

#include <string>
#include <vector>

#include "automaton/dfa.h"
#include "base/log.h"
#include "base/program_runner.h"

namespace tarnwick {

struct GraphvizJob {
  std::string dotFile;       // where the graph goes; empty: none wanted
  std::string pdfFile;       // where the rendering goes; empty: none wanted
  std::string graphvizPath;  // the program to render with; empty: `dot` on the search path
  std::string tempStem;      // prefix of this run's scratch files
};

// The step's own scratch files for `job` (named after its `tempStem`), which
// the caller may create beforehand: the step writes into them and removes
// them.
std::vector<std::string> GraphvizScratchFiles(const GraphvizJob& job);

// Does nothing when neither file is wanted. Removes its scratch files before
// it returns.
void RunGraphvizStep(const Dfa& dfa, const GraphvizJob& job, Log& log, ProgramRunner& runner);

}  // namespace tarnwick
