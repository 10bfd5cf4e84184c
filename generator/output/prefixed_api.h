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

namespace tarnwick {

// What the bind procedure must point at.
struct PrefixedTableShape {
  bool compact = false;  // comb tables ("%compact")
  bool starts = false;   // start and cut tables
};

// Renames every engine name ("__yylexer...") in `text` from `from` on, which
// holds only generated text (the tables, their constants), to NAME....
void RenameEngineNames(std::string& text, std::size_t from, std::string_view prefix);

// The text that follows the include on the first "%%" line: NAME's globals,
// the declarations of its calls (the actions may use them) and the call that
// binds its tables.
std::string PrefixedDeclarations(std::string_view prefix);

// Appends the bind procedure and NAME's calls, each line ending in CR LF.
void WritePrefixedApi(std::string_view prefix, PrefixedTableShape shape, std::string& out);

}  // namespace tarnwick
