// Benchmarks of the automaton construction on fixed workloads.
//
// Each workload builds its rule trees the way the parser does (left-deep
// sequences opened by an Epsilon, operands made by class refinement), then
// times simplification, NFA construction and the DFA construction straight
// from the epsilon NFA together: the path the program runs. The tree copy each
// run needs is not timed. Counters
// report the sizes, so that time can be read per rule and per DFA state.
//   keywords/N: N case-insensitive keywords plus identifier, number, string
//               and blank rules;
//   ambiguous/N: (a|b)*a(a|b)...(a|b) with N trailing groups, 2^(N+1) states;
//   diamonds/N: (a?|b?) N times in a row, a trap for path-by-path epsilon walks.
#include <benchmark/benchmark.h>

#include <cctype>
#include <random>
#include <set>
#include <string>

#include "automaton/nfa.h"
#include "automaton/subset.h"
#include "regex/class_refiner.h"
#include "regex/simplify.h"

namespace tarnwick {
namespace {

using NodePtr = std::unique_ptr<RegexNode>;

NodePtr Make(int32_t kind, NodePtr a = nullptr, NodePtr b = nullptr) {
  auto node = std::make_unique<RegexNode>(kind);
  if (a) node->children.push_back(std::move(a));
  if (b) node->children.push_back(std::move(b));
  return node;
}

// Builds rules in the parser's shapes over one root.
class Rules {
 public:
  Rules() : root_(RegexNode::MakeRoot()) {}

  NodePtr Operand(const std::string& bytes, bool caseless = false) {
    ByteSet set{};
    for (unsigned char c : bytes) {
      set[c] = true;
      if (caseless) {
        set[static_cast<unsigned char>(std::tolower(c))] = true;
        set[static_cast<unsigned char>(std::toupper(c))] = true;
      }
    }
    return RefineClasses(*root_, set);
  }
  NodePtr Range(char from, char to) {
    std::string bytes;
    for (int c = from; c <= to; ++c)
      bytes += static_cast<char>(c);
    return Operand(bytes);
  }
  NodePtr AllBut(char excluded) {
    std::string bytes;
    for (int c = 1; c < 256; ++c) {
      if (c != excluded) bytes += static_cast<char>(c);
    }
    return Operand(bytes);
  }

  // AND(...AND(AND(Epsilon, p0), p1)..., pn)
  static NodePtr Sequence(std::vector<NodePtr> parts) {
    NodePtr tree = Make(NodeKind::Epsilon);
    for (auto& part : parts)
      tree = Make(NodeKind::AND, std::move(tree), std::move(part));
    return tree;
  }

  void Add(NodePtr rule) { root_->children.push_back(std::move(rule)); }
  const RegexNode& root() const { return *root_; }

 private:
  NodePtr root_;
};

NodePtr KeywordLexer(int keywords) {
  Rules rules;
  std::mt19937 random(42);
  std::set<std::string> words;
  while (static_cast<int>(words.size()) < keywords) {
    std::string word;
    const int length = 3 + static_cast<int>(random() % 8);
    for (int i = 0; i < length; ++i)
      word += static_cast<char>('a' + random() % 26);
    words.insert(word);
  }
  for (const auto& word : words) {
    std::vector<NodePtr> parts;
    for (char c : word)
      parts.push_back(rules.Operand(std::string(1, c), true));
    rules.Add(Rules::Sequence(std::move(parts)));
  }
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
  {
    std::vector<NodePtr> parts;
    parts.push_back(rules.Operand(letters));
    parts.push_back(Make(NodeKind::STAR, rules.Operand(letters + "0123456789")));
    rules.Add(Rules::Sequence(std::move(parts)));
  }
  {
    std::vector<NodePtr> parts;
    parts.push_back(Make(NodeKind::MINONE, rules.Range('0', '9')));
    rules.Add(Rules::Sequence(std::move(parts)));
  }
  {
    std::vector<NodePtr> parts;
    parts.push_back(rules.Operand("\""));
    parts.push_back(Make(NodeKind::STAR, rules.AllBut('"')));
    parts.push_back(rules.Operand("\""));
    rules.Add(Rules::Sequence(std::move(parts)));
  }
  {
    std::vector<NodePtr> parts;
    parts.push_back(Make(NodeKind::MINONE, rules.Operand(" \t")));
    rules.Add(Rules::Sequence(std::move(parts)));
  }
  return rules.root().Clone();
}

NodePtr AmbiguousLexer(int groups) {
  Rules rules;
  std::vector<NodePtr> parts;
  parts.push_back(Make(NodeKind::STAR, rules.Operand("ab")));
  parts.push_back(rules.Operand("a"));
  for (int i = 0; i < groups; ++i)
    parts.push_back(rules.Operand("ab"));
  rules.Add(Rules::Sequence(std::move(parts)));
  return rules.root().Clone();
}

NodePtr DiamondLexer(int diamonds) {
  Rules rules;
  std::vector<NodePtr> parts;
  for (int i = 0; i < diamonds; ++i) {
    parts.push_back(Make(NodeKind::OR, Make(NodeKind::OPTION, rules.Operand("a")),
                         Make(NodeKind::OPTION, rules.Operand("b"))));
  }
  rules.Add(Rules::Sequence(std::move(parts)));
  return rules.root().Clone();
}

void Construct(benchmark::State& state, const RegexNode& definition) {
  std::size_t nfaStates = 0;
  std::size_t dfaStates = 0;
  for (auto _ : state) {
    state.PauseTiming();
    NodePtr root = definition.Clone();
    state.ResumeTiming();
    // The path a run takes: the compact NFA straight from the trees.
    SimplifyRules(*root);
    CompactNfa nfa = BuildCompactNfa(*root, {});
    auto dfa = BuildDfaFromCompactNfa(nfa, std::move(root->charset), 2'000'000);
    nfaStates = nfa.size();
    dfaStates = dfa ? dfa->states.size() : 0;
    benchmark::DoNotOptimize(dfa);
    state.PauseTiming();
    dfa.reset();
    nfa = {};
    root.reset();
    state.ResumeTiming();
  }
  state.counters["rules"] = static_cast<double>(definition.children.size());
  state.counters["nfa_states"] = static_cast<double>(nfaStates);
  state.counters["dfa_states"] = static_cast<double>(dfaStates);
  state.counters["classes"] = definition.charset->classCount;
}

void Keywords(benchmark::State& state) {
  Construct(state, *KeywordLexer(static_cast<int>(state.range(0))));
}
BENCHMARK(Keywords)->Arg(500)->Arg(1000)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

void Ambiguous(benchmark::State& state) {
  Construct(state, *AmbiguousLexer(static_cast<int>(state.range(0))));
}
BENCHMARK(Ambiguous)->DenseRange(8, 16, 2)->Unit(benchmark::kMillisecond);

void Diamonds(benchmark::State& state) {
  Construct(state, *DiamondLexer(static_cast<int>(state.range(0))));
}
BENCHMARK(Diamonds)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick

BENCHMARK_MAIN();
