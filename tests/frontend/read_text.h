// A definition read by the definition reader alone, with everything it gives
// back: how the reader's tests look at its output lines, errors and facts.
#pragma once

#include <string>

#include "frontend/definition_reader.h"

namespace tarnwick {

struct Read {
  int ok = 0;
  std::string out;
  ErrorState error;
  DefinitionFacts facts;
};

inline Read ReadText(const std::string& definition) {
  Read read;
  auto root = RegexNode::MakeRoot();
  read.ok =
      ReadDefinition(definition, *root, CaseTable::Windows1252(), read.out, read.error, read.facts);
  return read;
}

}  // namespace tarnwick
