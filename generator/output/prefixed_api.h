// The parts of a "%prefix NAME" scanner source that bind it to the engine:
// its own names for the tables and action procedures, the declarations on
// its include line and, after the tables, the procedure that binds its
// tables and NAME's calls (NAMELex(), NAMESetString(), NAMEText() ... for
// each call of the engine's API, NAMEScanner(), NAMENewScanner()). Several
// such sources compile into one program with one copy of the engine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/text_sink.h"

namespace tarnwick {

// What the bind procedure must point at.
struct PrefixedTableShape {
  bool compact = false;  // comb tables ("%compact")
  bool starts = false;   // start and cut tables
};

// Hands text on to `out` with every engine name ("__yylexer...") renamed
// to NAME...: the tables of a "%prefix NAME" scanner, which are written in
// the engine's names. A name may be cut between two writes, so the last
// bytes that could begin one wait for the next write or for Finish.
class RenamingSink final : public TextSink {
 public:
  RenamingSink(TextSink& out, std::string_view prefix) : out_(out), prefix_(prefix) {}
  void Write(std::string_view text) override;
  void Expect(std::size_t bytes) override { out_.Expect(bytes); }
  // Hands on the bytes still waiting; called after the last Write.
  void Finish();

 private:
  TextSink& out_;
  std::string prefix_;
  std::string waiting_;
  std::string renamed_;
};

// `text`, which holds only generated text (the tables' constants), renamed
// as by RenamingSink.
std::string RenamedEngineNames(std::string_view text, std::string_view prefix);

// The text that follows the include on the first "%%" line: NAME's globals,
// the declarations of its calls (the actions may use them) and the call that
// binds its tables.
std::string PrefixedDeclarations(std::string_view prefix);

// Appends the bind procedure and NAME's calls, each line ending in CR LF.
void WritePrefixedApi(std::string_view prefix, PrefixedTableShape shape, TextSink& out);

}  // namespace tarnwick
