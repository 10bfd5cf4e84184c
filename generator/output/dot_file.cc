// DotFileText: the drawing is built in one string, state by state.
//
// An edge label is the set of symbols that lead from a state to one target.
// Rather than a table of every target by every symbol for each state (which is
// quadratic in the number of states), each class's bytes are kept as a 257-bit
// mask, a state's moves are grouped by the target's index, the masks of a
// group are or-ed together, and the runs of set bits are read off the result
// a word at a time. Only moves, not states, are visited per state.
#include "output/dot_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "automaton/symbols.h"
#include "output/decimal.h"
#include "output/whole_file.h"

namespace tarnwick {

namespace {

constexpr int kSymbolCount = 257;  // bytes 0..255 and end of input
constexpr int kEofInputSymbol = 256;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

std::string MakeSymbolLabel(int c) {
  if (c == ' ') return "\\\\s";
  if (c == '\t') return "\\\\t";
  if (c == '\n' || c == '\r') return "\\\\n";
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
    return std::string(1, static_cast<char>(c));
  }
  if (c == '"' || c == '\'') return std::string("'\\") + static_cast<char>(c) + "'";
  if (c >= 33 && c <= 127) return std::string("'") + static_cast<char>(c) + "'";
  if (c == kEofInputSymbol) return "<<EOF>>";
  constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("\\\\h") + kHex[(c >> 4) & 15] + kHex[c & 15];
}

const std::array<std::string, kSymbolCount>& SymbolLabels() {
  static const std::array<std::string, kSymbolCount> labels = [] {
    std::array<std::string, kSymbolCount> table;
    for (int c = 0; c < kSymbolCount; ++c)
      table[c] = MakeSymbolLabel(c);
    return table;
  }();
  return labels;
}

// A set of input symbols, bit c for symbol c.
struct SymbolMask {
  std::array<uint64_t, 5> words{};

  void Set(int c) { words[c >> 6] |= uint64_t{1} << (c & 63); }
  void Add(const SymbolMask& other) {
    for (std::size_t w = 0; w < words.size(); ++w)
      words[w] |= other.words[w];
  }
  // The first symbol at or after `from` whose bit equals `set`; kSymbolCount
  // when there is none (the bits past 256 are always clear).
  int Next(int from, bool set) const {
    for (int w = from >> 6; w < static_cast<int>(words.size()); ++w) {
      uint64_t bits = set ? words[w] : ~words[w];
      if (w == from >> 6) bits &= ~uint64_t{0} << (from & 63);
      if (bits != 0) return std::min(kSymbolCount, (w << 6) + std::countr_zero(bits));
    }
    return kSymbolCount;
  }
};

// The symbols each move symbol stands for: class k is every byte whose class
// is k, end of input is symbol 256; other symbols stand for nothing.
class MoveSymbols {
 public:
  explicit MoveSymbols(const CharSet* charset) {
    if (charset) {
      for (int byte = 0; byte < 256; ++byte) {
        int32_t cls = charset->classOf[byte];
        if (cls >= 0 && cls <= kMaxClass) classMasks_[cls].Set(byte);
      }
    }
    eofMask_.Set(kEofInputSymbol);
  }

  const SymbolMask& Of(int32_t symbol) const {
    if (symbol == kEofSymbol) return eofMask_;
    if (symbol >= 0 && symbol <= kMaxClass) return classMasks_[symbol];
    return emptyMask_;
  }

 private:
  std::array<SymbolMask, kMaxClass + 1> classMasks_{};
  SymbolMask eofMask_;
  SymbolMask emptyMask_;
};

void AppendEdgeLabel(const SymbolMask& mask, std::string& out) {
  const auto& labels = SymbolLabels();
  bool first = true;
  for (int begin = mask.Next(0, true); begin < kSymbolCount;) {
    int end = mask.Next(begin, false);
    if (!first) out += ", ";
    first = false;
    out += labels[begin];
    if (end - begin >= 2) {
      out += '-';
      out += labels[end - 1];
    }
    begin = end < kSymbolCount ? mask.Next(end, true) : kSymbolCount;
  }
}

void AppendNodeLine(const DfaState& state, bool isStart, std::string& out) {
  out += "  S";
  AppendDecimal(out, state.index);
  out += " [shape=record, label=\"{State ";
  AppendDecimal(out, state.index);
  if (isStart) out += " - start";
  out += " | Final = ";
  AppendDecimal(out, state.final);
  out += "}\"]";
  out += kLineEnd;
}

}  // namespace

std::string SymbolLabel(int symbol) {
  if (symbol < 0 || symbol >= kSymbolCount) return {};
  return SymbolLabels()[symbol];
}

std::string DotFileText(const Dfa& dfa) {
  const MoveSymbols moveSymbols(dfa.charset.get());
  const auto stateCount = static_cast<int64_t>(dfa.states.size());

  std::size_t moveCount = 0;
  for (const DfaState& state : dfa.states)
    moveCount += state.moves.size();
  std::string out;
  out.reserve(64 + dfa.states.size() * 72 + moveCount * 40);

  out += kByteOrderMark;
  out += "digraph G {";
  out += kLineEnd;

  // (target index, symbol) of one state's moves, reused across states.
  std::vector<std::pair<int32_t, int32_t>> edges;
  for (std::size_t position = 0; position < dfa.states.size(); ++position) {
    const DfaState& state = dfa.states[position];
    out += kLineEnd;
    AppendNodeLine(state, static_cast<int64_t>(position) == dfa.start, out);

    edges.clear();
    for (const DfaMove& move : state.moves) {
      if (move.target < 0 || move.target >= stateCount) continue;
      edges.emplace_back(dfa.states[move.target].index, move.symbol);
    }
    std::sort(edges.begin(), edges.end());
    for (std::size_t i = 0; i < edges.size();) {
      const int32_t target = edges[i].first;
      SymbolMask mask;
      for (; i < edges.size() && edges[i].first == target; ++i) {
        mask.Add(moveSymbols.Of(edges[i].second));
      }
      // A class that holds no byte draws nothing.
      if (mask.Next(0, true) == kSymbolCount) continue;
      out += "  S";
      AppendDecimal(out, state.index);
      out += " -> S";
      AppendDecimal(out, target);
      out += " [label=\"";
      AppendEdgeLabel(mask, out);
      out += "\"]";
      out += kLineEnd;
    }
  }

  out += "}";
  out += kLineEnd;
  return out;
}

bool WriteDotFile(const Dfa& dfa, const std::string& path) {
  return WriteWholeFile(path, DotFileText(dfa));
}

}  // namespace tarnwick
