// The generation pass: reads the definition whole, translates it line by
// line, runs the automaton pipeline with a progress line before each step,
// appends the tables, writes the scanner file and, when asked, the drawing.
// The scanner file is checked after writing: a short write would otherwise
// be placed as if it were complete.
#include "pipeline/generate.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "automaton/nfa.h"
#include "automaton/subset.h"
#include "frontend/definition_reader.h"
#include "output/graphviz.h"
#include "output/scanner_tables.h"
#include "regex/regex_node.h"
#include "regex/simplify.h"

namespace tarnwick {

namespace {

int FailWith(ErrorState& error, std::string detail) {
  error.ErrorNumber = kNoError;
  error.ErrorLine = 0;
  error.detail = std::move(detail);
  return 0;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int GenerateScannerText(std::string_view definition, const CaseTable& cases,
                        std::size_t maxDfaStates, Log& log, ErrorState& error,
                        GeneratedScanner& result) {
  std::string& out = result.source;
  out.reserve(definition.size() + definition.size() / 2 + 4096);
  auto root = RegexNode::MakeRoot();
  if (!ReadDefinition(definition, *root, cases, out, error)) return 0;

  log.LogLine("Minimalize RegEx...");
  SimplifyRules(*root);

  log.LogLine("Transform RegEx to NFA...");
  auto nfa = BuildNfa(*root);
  root.reset();

  // Epsilon elimination happens inside the subset construction: materialising
  // the eliminated moves would copy each state's closure moves onto it.
  log.LogLine("Transform NFA to DFA...");
  std::size_t reached = 0;
  result.dfa = BuildDfaFromEpsilonNfa(*nfa, maxDfaStates, &reached);
  if (!result.dfa) {
    return FailWith(error, "The automaton grew past " + std::to_string(maxDfaStates) + " states (" +
                               std::to_string(reached) + " states reached); simplify the rules");
  }
  nfa.reset();

  log.LogLine("Write outputfile...");
  WriteScannerTables(*result.dfa, out);
  return 1;
}

int GenerateScanner(const GenerateOptions& options, Log& log, ProgramRunner& runner,
                    ErrorState& error) {
  log.Start();
  std::string definition;
  if (!ReadWholeFile(options.inputFile, definition)) {
    return FailWith(error, "Cannot open the definition file: " + options.inputFile);
  }
  // Created now so that an unwritable place fails before the work, but not
  // held open during it: a run ended early (its log window closed) must be
  // able to remove the file, and Windows refuses to delete an open file.
  if (!std::ofstream(options.scannerFile, std::ios::binary | std::ios::trunc)) {
    return FailWith(error, "Cannot create the scanner file: " + options.scannerFile);
  }
  log.LogLine("Read inputfile...");

  GeneratedScanner result;
  if (!GenerateScannerText(definition, options.caseTable, options.maxDfaStates, log, error,
                           result)) {
    return 0;
  }
  std::ofstream scanner(options.scannerFile, std::ios::binary | std::ios::trunc);
  scanner.write(result.source.data(), static_cast<std::streamsize>(result.source.size()));
  scanner.close();
  if (!scanner) {
    return FailWith(error, "Cannot write the scanner file: " + options.scannerFile);
  }

  GraphvizJob job{options.dotFile, options.pdfFile, options.graphvizPath, options.tempStem};
  RunGraphvizStep(*result.dfa, job, log, runner);
  return 1;
}

}  // namespace tarnwick
