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
#include <cstring>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "base/whole_file.h"
#include "output/text_cursor.h"
#include "regex/symbols.h"

namespace tarnwick {

namespace {

constexpr int kSymbolCount = 257;  // bytes 0..255 and end of input
constexpr int kEofInputSymbol = 256;

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

// A label padded to a fixed block, for TextCursor::PutPrefix.
struct LabelBlock {
  char bytes[8];
  std::size_t length;
};

const std::array<LabelBlock, kSymbolCount>& LabelBlocks() {
  static const std::array<LabelBlock, kSymbolCount> blocks = [] {
    std::array<LabelBlock, kSymbolCount> table{};
    for (int c = 0; c < kSymbolCount; ++c) {
      std::string label = MakeSymbolLabel(c);
      std::memcpy(table[c].bytes, label.data(), label.size());
      table[c].length = label.size();
    }
    return table;
  }();
  return blocks;
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

// Calls visit(first, last) for each maximal run of set symbols, lowest
// first.
template <typename Visit>
void ForEachRun(const SymbolMask& mask, Visit visit) {
  for (int begin = mask.Next(0, true); begin < kSymbolCount;) {
    int end = mask.Next(begin, false);
    visit(begin, end - 1);
    begin = end < kSymbolCount ? mask.Next(end, true) : kSymbolCount;
  }
}

std::size_t EdgeLabelLength(const SymbolMask& mask) {
  const auto& labels = LabelBlocks();
  std::size_t length = 0;
  ForEachRun(mask, [&](int first, int last) {
    length += 2 + labels[first].length + (first == last ? 0 : 1 + labels[last].length);
  });
  return length;
}

void PutEdgeLabel(const SymbolMask& mask, TextCursor& out) {
  const auto& labels = LabelBlocks();
  bool separate = false;
  ForEachRun(mask, [&](int first, int last) {
    if (separate) out.Put(", ");
    separate = true;
    out.PutPrefix(labels[first].bytes, labels[first].length);
    if (first != last) {
      out.Put('-');
      out.PutPrefix(labels[last].bytes, labels[last].length);
    }
  });
}

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
    for (int cls = 0; cls <= kMaxClass; ++cls)
      labelLengths_[cls] = EdgeLabelLength(classMasks_[cls]);
  }

  const SymbolMask& Of(int32_t symbol) const {
    if (symbol == kEofSymbol) return eofMask_;
    if (symbol >= 0 && symbol <= kMaxClass) return classMasks_[symbol];
    return emptyMask_;
  }

  // An upper bound on what a move on `symbol` adds to its edge's label:
  // runs that merge across classes only shorten it.
  std::size_t LabelBound(int32_t symbol) const {
    if (symbol >= 0 && symbol <= kMaxClass) return labelLengths_[symbol];
    return 16;
  }

 private:
  std::array<SymbolMask, kMaxClass + 1> classMasks_{};
  std::array<std::size_t, kMaxClass + 1> labelLengths_{};
  SymbolMask eofMask_;
  SymbolMask emptyMask_;
};

void PutNodeLine(const DfaState& state, bool isStart, TextCursor& out) {
  out.Put("  S");
  out.PutDecimal(state.index);
  out.Put(" [shape=record, label=\"{State ");
  out.PutDecimal(state.index);
  if (isStart) out.Put(" - start");
  out.Put(" | Final = ");
  out.PutDecimal(state.final);
  out.Put("}\"]");
  out.Put(kLineEnd);
}

}  // namespace

std::string SymbolLabel(int symbol) {
  if (symbol < 0 || symbol >= kSymbolCount) return {};
  const LabelBlock& block = LabelBlocks()[symbol];
  return std::string(block.bytes, block.length);
}

std::string DotFileText(const Dfa& dfa) {
  const MoveSymbols moveSymbols(dfa.charset.get());
  const auto stateCount = static_cast<int64_t>(dfa.states.size());

  // Sized from above so the text rarely has to move while it grows.
  std::size_t sizeBound = 64;
  for (const DfaState& state : dfa.states) {
    sizeBound += 96;
    for (const DfaMove& move : state.moves)
      sizeBound += 48 + moveSymbols.LabelBound(move.symbol);
  }
  std::string text;
  StringSink sink(text);
  {
    TextCursor out(sink, sizeBound);
    out.Put(kByteOrderMark);
    out.Put("digraph G {");
    out.Put(kLineEnd);

    // One state's moves as target index (high half) and symbol (low half),
    // so that sorting groups them by target; reused across states.
    std::vector<uint64_t> edges;
    for (std::size_t position = 0; position < dfa.states.size(); ++position) {
      const DfaState& state = dfa.states[position];
      out.Put(kLineEnd);
      PutNodeLine(state, static_cast<int64_t>(position) == dfa.start, out);

      edges.clear();
      for (const DfaMove& move : state.moves) {
        if (move.target < 0 || move.target >= stateCount) continue;
        auto target = static_cast<uint32_t>(dfa.states[move.target].index);
        edges.push_back(uint64_t{target} << 32 | static_cast<uint32_t>(move.symbol));
      }
      std::sort(edges.begin(), edges.end());
      for (std::size_t i = 0; i < edges.size();) {
        const uint64_t target = edges[i] >> 32;
        SymbolMask mask;
        for (; i < edges.size() && edges[i] >> 32 == target; ++i) {
          mask.Add(moveSymbols.Of(static_cast<int32_t>(static_cast<uint32_t>(edges[i]))));
        }
        // A class that holds no byte draws nothing.
        if (mask.Next(0, true) == kSymbolCount) continue;
        out.Put("  S");
        out.PutDecimal(state.index);
        out.Put(" -> S");
        out.PutDecimal(static_cast<int64_t>(target));
        out.Put(" [label=\"");
        PutEdgeLabel(mask, out);
        out.Put("\"]");
        out.Put(kLineEnd);
      }
    }
    out.Put("}");
    out.Put(kLineEnd);
  }
  return text;
}

bool WriteDotFile(const Dfa& dfa, const std::string& path) {
  return WriteWholeFile(path, DotFileText(dfa));
}

}  // namespace tarnwick
