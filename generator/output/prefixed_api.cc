// NAME's calls are one-line procedures that pick NAME's scanner (the running
// one inside NAME's actions, NAME's default one elsewhere) and hand over to
// the engine's yyScanner... call of the same name; one table lists them, so
// the declarations and the definitions cannot disagree.
#include "output/prefixed_api.h"

#include <algorithm>
#include <array>

#include "base/text.h"

namespace tarnwick {

namespace {

constexpr std::string_view kEngineName = "__yylexer";

struct ApiCall {
  std::string_view name;        // after the prefix: "Lex" gives NAMELex
  std::string_view returnType;  // ".i", ".s" or "" for none
  std::string_view parameters;
  std::string_view arguments;  // handed on after the scanner
};

constexpr std::array<ApiCall, 20> kCalls{{
    {"SetString", ".i", "text.s, format.i = #PB_Ascii", "text, format"},
    {"SetBuffer", ".i", "*buffer, length.i, format.i = #PB_Ascii", "*buffer, length, format"},
    {"SetFile", ".i", "fileName.s, format.i = #PB_Ascii", "fileName, format"},
    {"Free", "", "", ""},
    {"Lex", ".i", "*userData = 0", "*userData"},
    {"Text", ".s", "", ""},
    {"Length", ".i", "", ""},
    {"Line", ".i", "", ""},
    {"Column", ".i", "", ""},
    {"Offset", ".i", "", ""},
    {"Less", "", "n.i", "n"},
    {"Begin", "", "condition.i", "condition"},
    {"State", ".i", "", ""},
    {"PushState", "", "condition.i", "condition"},
    {"PopState", "", "", ""},
    {"PushFile", ".i", "fileName.s, format.i = #PB_Ascii", "fileName, format"},
    {"PushString", ".i", "text.s, format.i = #PB_Ascii", "text, format"},
    {"PushBuffer", ".i", "*buffer, length.i, format.i = #PB_Ascii", "*buffer, length, format"},
    {"PopInput", ".i", "", ""},
    {"InputDepth", ".i", "", ""},
}};

// "Procedure.i NAMELex(*userData = 0)" without the keyword.
std::string Signature(std::string_view prefix, const ApiCall& call) {
  std::string text(call.returnType);
  text += ' ';
  text += prefix;
  text += call.name;
  text += '(';
  text += call.parameters;
  text += ')';
  return text;
}

void PutLine(TextSink& out, std::string_view line) {
  out.Write(line);
  out.Write(kLineEnd);
}

std::string Label(std::string_view prefix, std::string_view table) {
  return "?" + std::string(prefix) + "_" + std::string(table);
}

}  // namespace

void RenamingSink::Write(std::string_view text) {
  waiting_.append(text);
  renamed_.clear();
  std::size_t at = 0;
  for (std::size_t hit = waiting_.find(kEngineName, at); hit != std::string::npos;
       hit = waiting_.find(kEngineName, at)) {
    renamed_.append(waiting_, at, hit - at);
    renamed_ += prefix_;
    at = hit + kEngineName.size();
  }
  // Bytes after the last name that could still begin one wait for more.
  const std::size_t keep = std::min(waiting_.size() - at, kEngineName.size() - 1);
  renamed_.append(waiting_, at, waiting_.size() - at - keep);
  waiting_.erase(0, waiting_.size() - keep);
  if (!renamed_.empty()) out_.Write(renamed_);
}

void RenamingSink::Finish() {
  out_.Write(waiting_);
  waiting_.clear();
}

std::string RenamedEngineNames(std::string_view text, std::string_view prefix) {
  std::string renamed;
  StringSink sink(renamed);
  RenamingSink renaming(sink, prefix);
  renaming.Write(text);
  renaming.Finish();
  return renamed;
}

std::string PrefixedDeclarations(std::string_view prefix) {
  const std::string name(prefix);
  std::string text = "Global " + name + "_tables.__yylexerTables, " + name +
                     "_scanner.__yylexerScanner : Declare " + name + "_bind() : Declare.i " + name +
                     "Scanner() : Declare.i " + name + "NewScanner()";
  for (const ApiCall& call : kCalls) {
    text += " : Declare";
    text += Signature(prefix, call);
  }
  text += " : " + name + "_bind()";
  return text;
}

void WritePrefixedApi(std::string_view prefix, PrefixedTableShape shape, TextSink& out) {
  const std::string name(prefix);
  std::string cuts = "0";
  if (shape.starts) cuts = Label(prefix, shape.compact ? "rulecut" : "cut");
  PutLine(out, "");
  PutLine(out, "; The scanner " + name + ": its tables, its default scanner and its calls.");
  PutLine(out, "Procedure " + name + "_bind()");
  PutLine(out, "  __yylexerBindTables(@" + name + "_tables, " + Label(prefix, "charclass") + ", " +
                   (shape.compact ? "0" : Label(prefix, "actionTable")) + ", " +
                   Label(prefix, "info") + ", " + (shape.starts ? Label(prefix, "starts") : "0") +
                   ", " + cuts + ")");
  if (shape.compact) {
    PutLine(out, "  __yylexerBindComb(@" + name + "_tables, " + Label(prefix, "accept") + ", " +
                     Label(prefix, "row") + ", " + Label(prefix, "fallback") + ", " +
                     Label(prefix, "base") + ", " + Label(prefix, "next") + ", " +
                     Label(prefix, "check") + ", " + Label(prefix, "rules") + ", #" + name +
                     "Slots, #" + name + "Span, #" + name + "FillValue)");
    const std::string size = ", #" + name;
    PutLine(out, "  __yylexerBindSizes(@" + name + "_tables" + size + "ClassSize" + size +
                     "AcceptSize" + size + "RowSize" + size + "FallbackSize" + size + "BaseSize" +
                     size + "NextSize" + size + "CheckSize" +
                     (shape.starts ? size + "CutSize" : std::string(", 0")) + ")");
  }
  PutLine(out, "  __yylexerInitScanner(@" + name + "_scanner, @" + name + "_tables)");
  PutLine(out, "EndProcedure");
  PutLine(out, "Procedure.i " + name + "Scanner()");
  PutLine(out, "  ProcedureReturn __yylexerPick(@" + name + "_tables, @" + name + "_scanner)");
  PutLine(out, "EndProcedure");
  PutLine(out, "Procedure.i " + name + "NewScanner()");
  PutLine(out, "  ProcedureReturn __yylexerNewScanner(@" + name + "_tables)");
  PutLine(out, "EndProcedure");
  for (const ApiCall& call : kCalls) {
    PutLine(out, "Procedure" + Signature(prefix, call));
    std::string body = call.returnType.empty() ? "  " : "  ProcedureReturn ";
    body += "yyScanner";
    body += call.name;
    body += "(" + name + "Scanner()";
    if (!call.arguments.empty()) {
      body += ", ";
      body += call.arguments;
    }
    PutLine(out, body + ")");
    PutLine(out, "EndProcedure");
  }
}

}  // namespace tarnwick
