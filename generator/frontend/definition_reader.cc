// The definition reader. Lines end at CR LF, LF or CR. Each line is seen raw
// and "examined" (comment cut, spaces trimmed); sections switch at lines whose
// examined form begins with "%%". A rule line's action may run over several
// raw lines, which the rule steps consume themselves up to the closing brace.
//
// The mode is settled before the first line is translated: a byte-order mark
// or a %utf8 line anywhere among the declarations makes the whole file UTF-8,
// so every line is checked and translated the same way.
#include "frontend/definition_reader.h"

#include "base/text.h"
#include "frontend/brace_item.h"
#include "frontend/definition_text.h"
#include "frontend/regex_parser.h"
#include "frontend/start_conditions.h"
#include "unicode/utf8.h"

namespace tarnwick {

namespace {

constexpr std::string_view kProcedureEnd = " : ProcedureReturn -1 : EndProcedure";

// "%utf8", in any letter case, followed by anything. The digit ends the
// directive word, so the word itself is "%utf".
bool IsUtf8Directive(std::string_view examined) {
  const std::string_view word = ReadDirectiveWord(examined);
  return AsciiLowered(word) == "%utf" && examined.substr(word.size(), 1) == "8";
}

// The NAME of "%prefix NAME": letters, digits and "_", not starting with a
// digit; empty when `rest` (after the word) holds anything else.
std::string_view PrefixName(std::string_view rest) {
  const std::string_view name = TrimSpaces(rest);
  if (rest.empty() || rest[0] != ' ' || name.empty()) return {};
  if (name[0] >= '0' && name[0] <= '9') return {};
  for (const char c : name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && c != '_' && !(c >= '0' && c <= '9')) return {};
  }
  return name;
}

// The first "%prefix" line's NAME among the declarations, so that lines above
// it are named alike; empty when there is none or it is malformed (the
// reader reports that at the line).
std::string DeclaredPrefix(std::string_view definition) {
  LineSplitter lines(definition);
  while (!lines.AtEnd()) {
    const std::string_view examined = StripComment(lines.Next());
    if (examined.substr(0, 2) == "%%") break;
    const std::string_view word = ReadDirectiveWord(examined);
    if (AsciiLowered(word) == "%prefix") {
      return std::string(PrefixName(examined.substr(word.size())));
    }
  }
  return {};
}

bool DeclaresUtf8(std::string_view definition) {
  LineSplitter lines(definition);
  while (!lines.AtEnd()) {
    const std::string_view examined = StripComment(lines.Next());
    if (examined.substr(0, 2) == "%%") return false;
    if (IsUtf8Directive(examined)) return true;
  }
  return false;
}

class Reader {
 public:
  // `definition` without its byte-order mark.
  Reader(std::string_view definition, RegexNode& root, const CaseTable& cases, std::string& out,
         ErrorState& error, DefinitionFacts& facts, std::size_t partLimit)
      : lines_(definition),
        root_(root),
        cases_(cases),
        out_(out),
        error_(error),
        facts_(facts),
        budget_{partLimit, partLimit},
        definitionBudget_{partLimit, partLimit} {}

  // `utf8` for UTF-8 mode; `prefix` the name of "%prefix", or empty.
  int Run(bool utf8, std::string prefix) {
    error_.ErrorLine = 0;
    if (!prefix.empty()) {
      facts_.prefix = prefix;
      procedureName_ = prefix + "run";
      constantPrefix_ = std::move(prefix);
    }
    if (utf8) {
      root_.flags |= kUtf8Mode;
      prefix_ = kUtf8TokenPrefix;
      out_ += kByteOrderMark;
    }
    while (!lines_.AtEnd()) {
      std::string_view raw;
      if (!NextLine(raw)) return 0;
      const std::string_view examined = StripComment(raw);
      if (examined.substr(0, 2) == "%%") {
        if (section_ == 0) {
          facts_.separatorLine = error_.ErrorLine;
          out_ += kIncludeLine;
          facts_.includeTailOffset = out_.size();
        }
        ++section_;
        EndLine();
        continue;
      }
      if (section_ == 0) {
        if (!Declaration(raw, examined)) return 0;
      } else if (section_ == 1) {
        if (examined.empty()) {
          EndLine();
        } else if (!Rule(examined)) {
          return 0;
        }
      } else if (section_ == 2) {
        out_ += raw;
        EndLine();
      }
    }
    facts_.lastLine = error_.ErrorLine;
    return 1;
  }

 private:
  // Reads the next raw line; in UTF-8 mode fails on malformed UTF-8.
  bool NextLine(std::string_view& raw) {
    ++error_.ErrorLine;
    raw = lines_.Next();
    if ((root_.flags & kUtf8Mode) && !unicode::IsValidUtf8(raw)) return Fail(kInvalidUtf8);
    return true;
  }

  void EndLine() { out_ += kLineEnd; }

  bool Fail(int number) {
    error_.ErrorNumber = number;
    return false;
  }

  bool Declaration(std::string_view raw, std::string_view examined) {
    const std::string_view word = ReadDirectiveWord(examined);
    const std::string lower = AsciiLowered(word);
    if (lower == "%nocase") {
      root_.flags |= kCaseInsensitive;
    } else if (lower == "%prefix") {
      const std::string_view name = PrefixName(examined.substr(word.size()));
      if (name.empty() || name != facts_.prefix) return Fail(kSyntaxError);
      out_ += "#__yylexerPrefixed = 1 : #";
      out_ += name;
      out_ += "StateINITIAL = 0";
    } else if (lower == "%minimize") {
      facts_.minimize = true;
    } else if (lower == "%compact") {
      // The line stays empty here; the tables' type constants go into it
      // once the tables are known, before the include that reads them.
      if (!facts_.compact) facts_.compactLineOffset = out_.size();
      facts_.compact = true;
    } else if (lower == "%define") {
      if (!Define(examined.substr(word.size()))) return false;
    } else if (IsUtf8Directive(examined)) {
      // The mode was settled before the first line.
    } else if (IsStateDirective(lower, examined.substr(word.size()))) {
      return StateDirective(lower, examined.substr(word.size()));
    } else if (lower == "%userdata") {
      if (examined.size() <= word.size() || examined[word.size()] != ' ') {
        return Fail(kSyntaxError);
      }
      userData_ = examined.substr(word.size() + 1);
    } else {
      out_ += raw;
    }
    EndLine();
    return true;
  }

  // `rest` follows "%define": blanks, the name, blanks, the expression.
  bool Define(std::string_view rest) {
    const std::size_t nameStart = rest.find_first_not_of(" \t");
    if (nameStart == 0 || nameStart == std::string_view::npos) return Fail(kSyntaxError);
    const std::size_t nameEnd = nameStart + NameLength(rest.substr(nameStart));
    const std::string_view name = rest.substr(nameStart, nameEnd - nameStart);
    const std::size_t expressionStart = rest.find_first_not_of(" \t", nameEnd);
    if (name.empty() || expressionStart == nameEnd || expressionStart == std::string_view::npos) {
      return Fail(kSyntaxError);
    }
    if (definitions_.contains(name)) {
      error_.ErrorArg1 = std::string(name);
      return Fail(kDuplicateDefinition);
    }
    const std::string_view expression = rest.substr(expressionStart);
    const ParseContext context{
        .cases = cases_, .definitions = &definitions_, .budget = &definitionBudget_};
    if (!CheckDefinition(root_, name, expression, context, error_)) return false;
    definitions_.emplace(name, expression);
    return true;
  }

  static bool IsStateDirective(std::string_view lower, std::string_view rest) {
    return (lower == "%state" || lower == "%xstate" || lower == "%context") &&
           (rest.empty() || rest[0] == ' ' || rest[0] == '\t');
  }

  // The first of these lines also marks the source as one with start tables
  // (the engine looks for the marker before it reads them) and names INITIAL.
  bool StateDirective(std::string_view lower, std::string_view rest) {
    LexerStates& states = facts_.states;
    std::string line;
    if (!states.enabled) {
      line = facts_.prefix.empty() ? "#__yylexer" : "#" + facts_.prefix;
      line += "StartTable = 1 : #" + constantPrefix_ + "StateINITIAL = 0";
    }
    states.enabled = true;
    if (lower == "%context") {
      root_.flags |= kContextMode;
    } else {
      declaresStates_ = true;
      const int number =
          DeclareStates(rest, lower == "%xstate", states, line, error_, constantPrefix_);
      if (number != 0) return Fail(number);
    }
    out_ += line;
    EndLine();
    return true;
  }

  bool Rule(std::string_view whole) {
    const int32_t line = error_.ErrorLine;  // the action may run over more lines
    RuleStarts starts;
    std::size_t prefix = 0;
    if (declaresStates_) {
      const int number = ReadRulePrefix(whole, facts_.states, starts.conditions, prefix, error_);
      if (number != 0) return Fail(number);
    } else {
      starts.conditions.assign(1, true);
    }
    const std::string_view examined = whole.substr(prefix);
    RuleShape shape;
    const ParseContext context{.cases = cases_, .definitions = &definitions_, .budget = &budget_};
    const int stop = ParseRegex(root_, examined, context, error_, &shape);
    if (stop == 0) return false;
    starts.lineStart = shape.lineStart;
    facts_.states.rules.push_back(std::move(starts));
    facts_.states.cuts.push_back(shape.cut);
    if (shape.plainContext && facts_.plainContextLine == 0) facts_.plainContextLine = line;
    out_ += "Procedure ";
    out_ += procedureName_;
    out_ += std::to_string(rule_);
    out_ += '(';
    out_ += userData_;
    out_ += ") : ";
    const auto after = static_cast<std::size_t>(stop);
    std::string text = SubstituteTokens(after < examined.size() ? examined.substr(after) : "",
                                        prefix_, constantPrefix_);
    for (;;) {
      const std::size_t close = FindOutsideQuotes(text, "}", kTrackQuotes, 0);
      if (close == 0) {
        if (lines_.AtEnd()) return Fail(kBraceOpenWithoutClose);
        out_ += text;
        EndLine();
        std::string_view raw;
        if (!NextLine(raw)) return false;
        text = SubstituteTokens(raw, prefix_, constantPrefix_);
        continue;
      }
      const std::string_view rest = TrimSpaces(std::string_view(text).substr(close));
      if (!rest.empty() && rest[0] != ';') return Fail(kGarbageAtLineEnd);
      CloseProcedure(std::string_view(text).substr(0, close - 1));
      EndLine();
      ++rule_;
      facts_.ruleLines.push_back(line);
      return true;
    }
  }

  // A continuation line may hold a ";" comment before its closing "}"; the
  // procedure's end then goes before the comment, or it would be commented out.
  void CloseProcedure(std::string_view action) {
    const std::size_t comment = FindOutsideQuotes(action, ";", kTrackQuotes, 0);
    if (comment == 0) {
      out_ += action;
      out_ += kProcedureEnd;
      return;
    }
    out_ += action.substr(0, comment - 1);
    out_ += kProcedureEnd;
    out_ += ' ';
    out_ += action.substr(comment - 1);
  }

  LineSplitter lines_;
  RegexNode& root_;
  const CaseTable& cases_;
  std::string& out_;
  ErrorState& error_;
  DefinitionFacts& facts_;
  int section_ = 0;
  int rule_ = 0;
  bool declaresStates_ = false;  // prefixes are read only then
  std::string userData_ = "*userData";
  std::string_view prefix_ = kTokenPrefix;
  Definitions definitions_;
  // The rules' parts, and apart from them the parts of the definitions'
  // checks: each check reads its references written out, so without a
  // common limit a thousand names for one large definition would take hours.
  PartBudget budget_;
  PartBudget definitionBudget_;
  std::string procedureName_ = "__yylexerrun";  // then the rule's number
  std::string constantPrefix_ = "yy";           // of #yyTokenX and #yyStateX
};

}  // namespace

int ReadDefinition(std::string_view definition, RegexNode& root, const CaseTable& cases,
                   std::string& out, ErrorState& error, DefinitionFacts& facts,
                   std::size_t partLimit) {
  bool utf8 = false;
  if (definition.starts_with(kByteOrderMark)) {
    definition.remove_prefix(kByteOrderMark.size());
    utf8 = true;
  }
  utf8 = utf8 || DeclaresUtf8(definition);
  return Reader(definition, root, cases, out, error, facts, partLimit)
      .Run(utf8, DeclaredPrefix(definition));
}

}  // namespace tarnwick
