// The definition reader. Lines end at CR LF, LF or CR. Each line is seen raw
// and "examined" (comment cut, spaces trimmed); sections switch at lines whose
// examined form begins with "%%". A rule line's action may run over several
// raw lines, which the rule steps consume themselves up to the closing brace.
#include "frontend/definition_reader.h"

#include "base/text.h"
#include "frontend/definition_text.h"
#include "frontend/regex_parser.h"

namespace tarnwick {

namespace {

constexpr std::string_view kProcedureEnd = " : ProcedureReturn -1 : EndProcedure";

class Reader {
 public:
  Reader(std::string_view definition, RegexNode& root, const CaseTable& cases, std::string& out,
         ErrorState& error)
      : lines_(definition), root_(root), cases_(cases), out_(out), error_(error) {}

  int Run() {
    error_.ErrorLine = 0;
    while (!lines_.AtEnd()) {
      const std::string_view raw = NextLine();
      const std::string_view examined = StripComment(raw);
      if (examined.substr(0, 2) == "%%") {
        out_ += section_ == 0 ? kIncludeLine : std::string_view{};
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
    return 1;
  }

 private:
  std::string_view NextLine() {
    ++error_.ErrorLine;
    return lines_.Next();
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

  bool Rule(std::string_view examined) {
    const int stop = ParseRegex(root_, examined, cases_, error_);
    if (stop == 0) return false;
    out_ += "Procedure __yylexerrun";
    out_ += std::to_string(rule_);
    out_ += '(';
    out_ += userData_;
    out_ += ") : ";
    const auto after = static_cast<std::size_t>(stop);
    std::string text = SubstituteTokens(after < examined.size() ? examined.substr(after) : "");
    for (;;) {
      const std::size_t close = FindOutsideQuotes(text, "}", kTrackQuotes, 0);
      if (close == 0) {
        if (lines_.AtEnd()) return Fail(kBraceOpenWithoutClose);
        out_ += text;
        EndLine();
        text = SubstituteTokens(NextLine());
        continue;
      }
      const std::string_view rest = TrimSpaces(std::string_view(text).substr(close));
      if (!rest.empty() && rest[0] != ';') return Fail(kGarbageAtLineEnd);
      CloseProcedure(std::string_view(text).substr(0, close - 1));
      EndLine();
      ++rule_;
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
  int section_ = 0;
  int rule_ = 0;
  std::string userData_ = "*userData";
};

}  // namespace

int ReadDefinition(std::string_view definition, RegexNode& root, const CaseTable& cases,
                   std::string& out, ErrorState& error) {
  return Reader(definition, root, cases, out, error).Run();
}

}  // namespace tarnwick
