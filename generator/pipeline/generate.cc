// The generation pass: reads the definition whole, translates it line by
// line, runs the automaton pipeline with a progress line before each step,
// warns about rules that never match or match the empty text, minimizes the
// DFA when "%minimize" asks for it or the definition is UTF-8, appends the
// tables (compact ones with "%compact", whose type constants go into that
// directive's line), streams the scanner file and, when asked, draws. The
// scanner file is checked when it is closed: a short write would otherwise
// be placed as if it were complete.
#include "pipeline/generate.h"

#include <algorithm>
#include <optional>

#include "automaton/compact_nfa.h"
#include "automaton/minimize.h"
#include "automaton/nfa.h"
#include "automaton/rule_findings.h"
#include "automaton/subset.h"
#include "base/file_sink.h"
#include "base/whole_file.h"
#include "frontend/definition_reader.h"
#include "output/compact_tables.h"
#include "output/graphviz.h"
#include "output/prefixed_api.h"
#include "output/scanner_tables.h"
#include "pipeline/rule_warnings.h"
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

GraphvizJob GraphvizJobOf(const GenerateOptions& options) {
  return {options.dotFile, options.pdfFile, options.graphvizPath, options.tempStem};
}

// The source once the DFA is known. The compact tables' constants go into
// the "%compact" line and a prefixed scanner's declarations after its
// include; both lines stand in the translated definition, which is small, so
// it takes them in place and goes out whole. The tables follow, streamed
// (renamed on the way in a prefixed scanner), then a prefixed scanner's
// bind procedure and calls.
void WriteSource(std::string head, const DefinitionFacts& facts, const Dfa& dfa, TextSink& out) {
  const bool prefixed = !facts.prefix.empty();
  std::optional<CompactTables> compact;
  if (facts.compact) compact.emplace(dfa, facts.states.cuts, facts.ruleLines.size());
  // The include line stands after the %compact line.
  if (prefixed) head.insert(facts.includeTailOffset, PrefixedDeclarations(facts.prefix));
  if (compact) {
    head.insert(
        facts.compactLineOffset,
        prefixed ? RenamedEngineNames(compact->Constants(), facts.prefix) : compact->Constants());
  }
  out.Write(head);
  std::string().swap(head);

  RenamingSink renaming(out, facts.prefix);
  TextSink& tables = prefixed ? static_cast<TextSink&>(renaming) : out;
  if (compact) {
    compact->Write(tables);
  } else {
    WriteScannerTables(dfa, facts.states.cuts, tables);
  }
  if (prefixed) {
    renaming.Finish();
    WritePrefixedApi(facts.prefix, {facts.compact, !dfa.starts.empty()}, out);
  }
}

}  // namespace

int GenerateScannerText(std::string_view definition, const CaseTable& cases,
                        std::size_t maxDfaStates, Log& log, ErrorState& error, TextSink& out,
                        GeneratedDfa& result) {
  std::string head;
  // Actions grow by their return statements: room for twice the definition
  // spares the copy a doubling would make.
  head.reserve(2 * definition.size() + 4096);
  auto root = RegexNode::MakeRoot();
  DefinitionFacts facts;
  if (!ReadDefinition(definition, *root, cases, head, error, facts)) return 0;

  log.LogLine("Minimalize RegEx...");
  SimplifyRules(*root);

  // The NFA goes straight into its compact form, the only one the subset
  // construction and the findings read, and each rule's tree is freed once
  // its fragment is built: the trees, an object automaton (a heap object per
  // state and per move) and the compact form never stand side by side.
  // Epsilon elimination happens inside the subset construction: materialising
  // the eliminated moves would copy each state's closure moves onto it.
  log.LogLine("Transform RegEx to NFA...");
  const bool utf8 = (root->flags & kUtf8Mode) != 0;
  CompactNfa compact = BuildCompactNfa(*root, facts.states);
  std::unique_ptr<CharSet> charset = std::move(root->charset);
  root.reset();

  log.LogLine("Transform NFA to DFA...");
  std::size_t reached = 0;
  result.dfa = BuildDfaFromCompactNfa(compact, std::move(charset), maxDfaStates, &reached);
  if (!result.dfa) {
    const std::size_t limit = std::min(maxDfaStates, kDfaStateCapacity);
    return FailWith(error, "The automaton grew past " + std::to_string(limit) + " states (" +
                               std::to_string(reached) + " states reached); simplify the rules");
  }
  // The findings read the compact NFA's accepting states; they are logged before the
  // tables so that they stand next to the DFA they describe.
  LogContextWarning(facts, log);
  LogRuleWarnings(
      FindRuleProblems(compact, *result.dfa, static_cast<int32_t>(facts.ruleLines.size())), facts,
      log);
  compact = {};
  DropLabels(*result.dfa);
  // In UTF-8 mode byte-range sequences leave many states that go on alike, so
  // those automata are always minimized; 8-bit definitions keep theirs as the
  // construction made it unless %minimize asks otherwise.
  if (facts.minimize || utf8) MinimizeDfa(*result.dfa);

  log.LogLine("Write outputfile...");
  WriteSource(std::move(head), facts, *result.dfa, out);
  return 1;
}

int GenerateScannerText(std::string_view definition, const CaseTable& cases,
                        std::size_t maxDfaStates, Log& log, ErrorState& error,
                        GeneratedScanner& result) {
  StringSink out(result.source);
  return GenerateScannerText(definition, cases, maxDfaStates, log, error, out, result);
}

std::vector<std::string> FilesThePassWrites(const GenerateOptions& options) {
  std::vector<std::string> files{options.scannerFile};
  for (const std::string* drawing : {&options.dotFile, &options.pdfFile}) {
    if (!drawing->empty()) files.push_back(*drawing);
  }
  for (std::string& file : GraphvizScratchFiles(GraphvizJobOf(options)))
    files.push_back(std::move(file));
  return files;
}

int GenerateScanner(const GenerateOptions& options, Log& log, ProgramRunner& runner,
                    ErrorState& error) {
  log.Start();
  const std::optional<std::string> definition = ReadWholeFile(options.inputFile);
  if (!definition) {
    return FailWith(error, "Cannot open the definition file: " + options.inputFile);
  }
  // Created now so that an unwritable place fails before the work, but not
  // held open during it: a run ended early (its log window closed) must be
  // able to remove the file, and Windows refuses to delete an open file.
  if (!WriteWholeFile(options.scannerFile, {})) {
    return FailWith(error, "Cannot create the scanner file: " + options.scannerFile);
  }
  log.LogLine("Read inputfile...");

  // Opened at its first write, once the DFA is built.
  FileSink scanner(options.scannerFile);
  GeneratedDfa result;
  if (!GenerateScannerText(*definition, options.caseTable, options.maxDfaStates, log, error,
                           scanner, result)) {
    return 0;
  }
  if (!scanner.Finish()) {
    return FailWith(error, "Cannot write the scanner file: " + options.scannerFile);
  }

  RunGraphvizStep(*result.dfa, GraphvizJobOf(options), log, runner);
  return 1;
}

}  // namespace tarnwick
