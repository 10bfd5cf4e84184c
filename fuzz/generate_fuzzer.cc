// Fuzz target: the whole generation pass on an in-memory definition.
//
// The input is a definition file. It goes through the reader, the expression
// parser, class refinement, the automata and the table writer; a DFA that
// comes out is drawn as a dot graph as well. The state limit is kept low so
// that a definition built to blow up ends quickly with its message instead of
// timing the unit out. A scanner that was generated must read back: its
// tables are parsed by the preview tool's independent reader, which catches
// tables that are malformed even though the generator reported success.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "output/dot_file.h"
#include "pipeline/generate.h"
#include "prefixed_source.h"
#include "scanner_tables.h"

namespace {

constexpr std::size_t kFuzzMaxDfaStates = 20'000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view definition(reinterpret_cast<const char*>(data), size);
  tarnwick::NullLog log;
  tarnwick::ErrorState error;
  tarnwick::GeneratedScanner result;
  const int ok = tarnwick::GenerateScannerText(definition, tarnwick::CaseTable::Windows1252(),
                                               kFuzzMaxDfaStates, log, error, result);
  if (!ok) {
    // A failure must say why: a message number or a text.
    if (error.ErrorNumber == 0 && error.detail.empty()) std::abort();
    return 0;
  }
  if (!result.dfa) std::abort();
  const std::string dot = tarnwick::DotFileText(*result.dfa);
  if (dot.empty()) std::abort();

  // A "%prefix" source is read under the names without prefix, as the
  // preview tool reads it.
  const tarnwick_scan::TableRead read =
      tarnwick_scan::ReadScannerTables(tarnwick_scan::UnprefixedSource(result.source));
  if (!read.tables) {
    std::fprintf(stderr, "generated tables do not read back: line %d: %s\n", read.line,
                 read.error.c_str());
    std::abort();
  }
  if (read.tables->StateCount() != static_cast<int>(result.dfa->states.size())) {
    std::fprintf(stderr, "read back %d states, generated %zu\n", read.tables->StateCount(),
                 result.dfa->states.size());
    std::abort();
  }
  return 0;
}
