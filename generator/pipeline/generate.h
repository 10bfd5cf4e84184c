// Layer pipeline: the whole pass, the only code that calls the stages
// (frontend, automaton, output) in order. Uses every layer below it.
//
// GenerateScanner: the one generation pass from definition file to scanner.
//
// Reads the definition, writes one scanner line per definition line, builds
// the automata, appends the tables, and draws the DFA when asked. The driver
// decides where files go and owns the log, the error record and the way
// outside programs are started; the pass receives them here.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automaton/dfa.h"

#include "base/case_table.h"
#include "base/errors.h"
#include "base/log.h"
#include "base/program_runner.h"
#include "base/text_sink.h"

namespace tarnwick {

// Well above any real lexer; a definition whose DFA grows past it stops with
// a message instead of exhausting memory.
inline constexpr std::size_t kDefaultMaxDfaStates = 2'000'000;

struct GenerateOptions {
  std::string inputFile;    // the definition file
  std::string scannerFile;  // the (temporary) file the scanner source goes to
  // Where the graph and its rendering go; empty when not wanted. The driver
  // names (temporary) files that it places after the pass.
  std::string dotFile;
  std::string pdfFile;
  std::string graphvizPath;  // program to render with; empty: `dot` on the search path
  // The start of every scratch name the pass makes itself (the Graphviz
  // step's): the run's private folder and a separator.
  std::string tempStem;
  CaseTable caseTable = CaseTable::Windows1252();
  std::size_t maxDfaStates = kDefaultMaxDfaStates;
};

// Every file the pass writes for `options`, Graphviz's rendering and the
// Graphviz step's own scratch files included. The driver creates them
// beforehand, empty and exclusively; the pass only writes into them.
std::vector<std::string> FilesThePassWrites(const GenerateOptions& options);

// 1 on success, 0 on error (recorded in `error`).
int GenerateScanner(const GenerateOptions& options, Log& log, ProgramRunner& runner,
                    ErrorState& error);

// The pass without its files: definition text in, scanner source into
// `out` and DFA out. Logs the pipeline's progress lines and the rule
// warnings; draws nothing. The DFA is the minimal one when the definition
// asks for it with "%minimize" or is UTF-8. Nothing reaches `out` before the
// DFA is built; then the translated definition goes first and the tables
// follow in bounded pieces.
struct GeneratedDfa {
  std::unique_ptr<Dfa> dfa;
};
int GenerateScannerText(std::string_view definition, const CaseTable& cases,
                        std::size_t maxDfaStates, Log& log, ErrorState& error, TextSink& out,
                        GeneratedDfa& result);

// The same with the whole source in a string.
struct GeneratedScanner : GeneratedDfa {
  std::string source;
};
int GenerateScannerText(std::string_view definition, const CaseTable& cases,
                        std::size_t maxDfaStates, Log& log, ErrorState& error,
                        GeneratedScanner& result);

}  // namespace tarnwick
