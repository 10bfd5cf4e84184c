// Fuzz target: the expression parser alone.
//
// The first byte chooses case-insensitive matching (bit 0) and UTF-8 mode
// (bit 1, operands over characters); the rest is split at line
// feeds and every line is parsed as one rule into the same root, so class
// splits made by earlier rules meet later ones just as in a definition file.
// Beyond surviving, each call must keep the contract the reader relies on: a
// failure leaves the rule list and the operand list as they were, and a
// success points at the `{` that ends the expression or just past the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "frontend/regex_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  auto root = tarnwick::RegexNode::MakeRoot();
  if (data[0] & 1) root->flags |= tarnwick::kCaseInsensitive;
  if (data[0] & 2) root->flags |= tarnwick::kUtf8Mode;
  const tarnwick::CaseTable cases = tarnwick::CaseTable::Windows1252();

  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  while (true) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    const std::size_t rules = root->children.size();
    const std::size_t operands = root->charset->operandSets.size();
    tarnwick::ErrorState error;
    const int at = tarnwick::ParseRegex(*root, line, cases, error);
    if (at == 0) {
      if (error.ErrorNumber == 0) std::abort();
      if (root->children.size() != rules || root->charset->operandSets.size() != operands)
        std::abort();
    } else {
      if (root->children.size() != rules + 1) std::abort();
      const auto position = static_cast<std::size_t>(at);
      if (position > line.size() + 1) std::abort();
      if (position <= line.size() && line[position - 1] != '{') std::abort();
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  (void)root->ToString();
  return 0;
}
