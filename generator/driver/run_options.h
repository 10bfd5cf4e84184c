// RunOptions: what one run of the generator was asked to do.
#pragma once

#include <string>

namespace tarnwick {

struct RunOptions {
  std::string InputFile;     // the first parameter, whatever its text
  std::string OutputFile;    // "-o"; empty: InputFile + "_lexerout.pbl"
  std::string DotFile;       // "-dot"
  std::string PdfFile;       // "-pdf"
  std::string DebugValue;    // "-debug": accepted, changes nothing
  std::string GraphvizPath;  // from the settings file
};

inline constexpr char kDefaultOutputSuffix[] = "_lexerout.pbl";

}  // namespace tarnwick
