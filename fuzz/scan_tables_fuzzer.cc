// Fuzz target: the preview tool's reader of generated scanner tables.
//
// The input is split at the first NUL byte: before it, the scanner source the
// reader is fed; after it, text to tokenise with tables that were accepted.
// The reader promises that accepted tables can be indexed without checks, so
// running the engine over the text is what proves that promise; every token
// must lie inside the text and the scan must end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "scan_engine.h"
#include "scanner_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t split = all.find('\0');
  const std::string_view source = all.substr(0, split);
  const std::string_view input =
      split == std::string_view::npos ? std::string_view() : all.substr(split + 1);

  const tarnwick_scan::TableRead read = tarnwick_scan::ReadScannerTables(source);
  if (!read.tables) {
    if (read.error.empty()) std::abort();
    return 0;
  }
  tarnwick_scan::ScanEngine engine(*read.tables, input);
  // Every call consumes a byte or ends the scan, plus one end-of-input match.
  for (std::size_t calls = 0; calls <= input.size() + 2; ++calls) {
    const tarnwick_scan::Token token = engine.Next();
    if (token.offset + token.length > input.size()) std::abort();
    if (token.kind == tarnwick_scan::Token::Kind::kEnd) return 0;
  }
  std::abort();  // the scan did not end
}
