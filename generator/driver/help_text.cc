// Built from the same constants the run uses (usage line, file names,
// environment variables), so the help cannot drift from the program.
#include "driver/help_text.h"

#include "driver/banner.h"
#include "driver/command_line.h"
#include "driver/run_generator.h"
#include "driver/settings_file.h"
#include "driver/state_limit.h"

namespace tarnwick {

std::string VersionText() {
  return "tarnwick " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

std::string HelpText(const std::vector<std::string>& supportDirectories) {
  std::string text = std::string(kUsage) + "\n";
  text += "Generates a PureBasic scanner from a lexer definition file.\n\n";
  text += "  definition-file   the lexer definition, always the first parameter\n";
  text += "  -o output-file    the scanner source (default: definition-file + \"";
  text += std::string(kDefaultOutputSuffix) + "\")\n";
  text += "  -dot dot-file     also write the automaton as a Graphviz graph\n";
  text += "  -pdf pdf-file     also draw the automaton into a PDF with Graphviz\n";
  text += "  -debug value      accepted and ignored\n";
  text += "  --help            show this text\n";
  text += "  --version         show the version\n\n";
  text += std::string(kRuntimeIncludeName) + " is copied beside the output. It and \"" +
          kSettingsFileName + "\"\n";
  text += "(group [Global], key graphviz: the Graphviz program) are looked for in:\n";
  for (const std::string& directory : supportDirectories)
    text += "  " + directory + "\n";
  text += "\nEnvironment: TARNWICK_UI=console or window chooses the log;\n";
  text += std::string(kMaxDfaStatesVariable) + " limits the automaton's states.\n";
  text += "Exit status: 0 success, 1 generation error, 2 bad command line.\n";
  return text;
}

}  // namespace tarnwick
