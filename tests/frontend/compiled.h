// A definition run through the whole pass, with what it gives back: how the
// rule tests compare tables, ask what the first rule matches and read the
// errors.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "dfa_matches.h"
#include "pipeline/generate.h"

namespace tarnwick {

struct Compiled {
  int ok = 0;
  ErrorState error;
  GeneratedScanner scanner;

  std::string Tables() const { return scanner.source.substr(scanner.source.find("DataSection")); }

  bool Matches(std::string_view input) const { return DfaMatchesFirstRule(*scanner.dfa, input); }
};

inline Compiled CompileDefinition(std::string_view declarations, std::string_view rules,
                                  std::size_t maxStates = kDefaultMaxDfaStates) {
  Compiled result;
  NullLog log;
  const std::string definition = std::string(declarations) + "%%\n" + std::string(rules);
  result.ok = GenerateScannerText(definition, CaseTable::Windows1252(), maxStates, log,
                                  result.error, result.scanner);
  return result;
}

}  // namespace tarnwick
