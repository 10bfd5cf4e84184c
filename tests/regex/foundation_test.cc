// The object containers, class refinement and the syntax tree node.
#include <gtest/gtest.h>

#include "automaton/automaton.h"
#include "regex/class_refiner.h"
#include "regex/object_list.h"
#include "regex/object_set.h"
#include "tree_builders.h"

namespace tarnwick {
namespace {

using namespace testing;  // NOLINT: the tree builders

std::unique_ptr<StateId> Id(int32_t number) {
  return std::make_unique<StateId>(0, number);
}

TEST(ObjectSet, GrowsSortsAndKeepsDuplicatesWithTheCaller) {
  ObjectSet<StateId> set;
  EXPECT_EQ(set.slots(), 8u);
  for (int32_t n : {5, 1, 7, 3, 2, 6, 4}) {
    auto id = Id(n);
    set.Insert(id);
  }
  EXPECT_EQ(set.slots(), 8u) << "7 elements fit the first 8 slots";
  auto eighth = Id(0);
  bool inserted = false;
  EXPECT_EQ(set.Insert(eighth, &inserted)->number, 0);
  EXPECT_TRUE(inserted);
  EXPECT_EQ(set.slots(), 16u);
  for (int32_t n = 8; n < 16; ++n) {
    auto id = Id(n);
    set.Insert(id);
  }
  EXPECT_EQ(set.slots(), 32u);
  for (int i = 0; i < set.count(); ++i)
    EXPECT_EQ(set[i]->number, i);

  auto duplicate = Id(3);
  StateId* present = set.Insert(duplicate, &inserted);
  EXPECT_FALSE(inserted);
  EXPECT_EQ(present, set[3]);
  ASSERT_NE(duplicate, nullptr) << "the offered element stays with the caller";
  EXPECT_EQ(set.count(), 16);

  auto removed = set.RemoveAt(0);
  EXPECT_EQ(removed->number, 0);
  EXPECT_EQ(set.count(), 15);
  EXPECT_EQ(set.slots(), 32u);
  EXPECT_THROW(set.RemoveAt(15), std::out_of_range);
  EXPECT_THROW(set.RemoveAt(-1), std::out_of_range);
  set.Clear();
  EXPECT_EQ(set.count(), 0);
  EXPECT_EQ(set.slots(), 32u);
}

TEST(ObjectSet, ComparesByCountThenElementsAndPrints) {
  ObjectSet<StateId> one, two;
  auto big = Id(99);
  one.Insert(big);
  for (int32_t n : {0, 1}) {
    auto id = Id(n);
    two.Insert(id);
  }
  EXPECT_LT(one.Compare(two), 0) << "fewer elements sort first, whatever they are";
  EXPECT_EQ(two.ToString(), "{q0_0, q0_1}");
  EXPECT_EQ(ObjectSet<StateId>().ToString(), "{}");
  auto copy = two.Clone();
  EXPECT_EQ(copy->Compare(two), 0);
  EXPECT_NE(copy->at(0), two.at(0));
}

TEST(ObjectSet, IdentityOrderedElementsAndClonesKeepTheirPositions) {
  // Nodes compare by address: a set of them is in address order, and a clone
  // keeps the source's order even though the copies' addresses differ.
  ObjectSet<RegexNode> nodes;
  for (int32_t k = 1; k <= 20; ++k) {
    auto leaf = Leaf(k);
    nodes.Insert(leaf);
  }
  for (int i = 1; i < nodes.count(); ++i)
    EXPECT_LT(nodes[i - 1], nodes[i]);
  auto same = Leaf(1);
  RegexNode* raw = nodes[4];
  std::unique_ptr<RegexNode> alias(raw);
  bool inserted = true;
  EXPECT_EQ(nodes.Insert(alias, &inserted), raw);
  EXPECT_FALSE(inserted);
  alias.release();  // NOLINT: still owned by the set
  bool equalContentInserted = false;
  nodes.Insert(same, &equalContentInserted);
  EXPECT_TRUE(equalContentInserted) << "equal content is not the same node";

  auto copy = nodes.Clone();
  ASSERT_EQ(copy->count(), nodes.count());
  for (int i = 0; i < nodes.count(); ++i)
    EXPECT_EQ(copy->at(i)->kind, nodes[i]->kind);
  EXPECT_NE(nodes[0]->Compare(*nodes[0]->Clone()), 0);
}

TEST(ObjectList, StackOperations) {
  ObjectList<StateId> list;
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_THROW(list.Pop(), std::logic_error);
  EXPECT_THROW(list.Top(), std::logic_error);
  EXPECT_EQ(list.ToString(), "[]");
  list.Push(Id(1));
  list.Push(Id(1));
  list.Push(Id(2));
  EXPECT_EQ(list.ToString(), "[q0_1, q0_1, q0_2]");
  EXPECT_EQ(list.Top()->number, 2);
  EXPECT_EQ(list.Pop(true), nullptr);
  auto taken = list.Pop();
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->number, 1);
  EXPECT_EQ(list.size(), 1);
  auto copy = list.Clone();
  EXPECT_EQ(copy->Compare(list), 0);
  list.Clear();
  EXPECT_TRUE(list.IsEmpty());
}

ByteSet Bytes(int from, int to) {
  ByteSet set{};
  for (int b = from; b <= to; ++b)
    set[static_cast<std::size_t>(b)] = true;
  return set;
}

TEST(RefineClasses, SplitsClassesAndPatchesEarlierOperands) {
  auto root = RegexNode::MakeRoot();
  auto range = RefineClasses(*root, Bytes('a', 'c'));
  EXPECT_EQ(range->ToString(), "OR[1]");
  auto b = RefineClasses(*root, Bytes('b', 'b'));
  EXPECT_EQ(b->ToString(), "OR[1]");
  EXPECT_EQ(range->ToString(), "OR[1, 2]");
  EXPECT_EQ(root->charset->classOf['a'], 2);
  EXPECT_EQ(root->charset->classOf['b'], 1);
  EXPECT_EQ(root->charset->classOf['c'], 2);
  auto dot = RefineClasses(*root, Bytes(0, 255));
  EXPECT_EQ(dot->ToString(), "OR[1, 2, 3]");
  EXPECT_EQ(root->charset->classCount, 3);
  EXPECT_EQ(root->charset->classOf[0], 3);

  // Nothing new: no class is opened; the same operand twice gives two nodes.
  auto again = RefineClasses(*root, Bytes('b', 'b'));
  EXPECT_EQ(root->charset->classCount, 3);
  EXPECT_NE(again.get(), b.get());
  EXPECT_EQ(again->ToString(), b->ToString());
  EXPECT_EQ(root->charset->operandSets.size(), 4u);
}

TEST(RefineClasses, OneOperandOpensAClassAndSplitsTwoInClassOrder) {
  auto root = RegexNode::MakeRoot();
  auto first = RefineClasses(*root, Bytes('a', 'c'));
  auto second = RefineClasses(*root, Bytes('x', 'z'));
  ByteSet mixed{};
  for (char c : {'b', 'y', '0'})
    mixed[static_cast<unsigned char>(c)] = true;
  auto split = RefineClasses(*root, mixed);
  // '0' opens class 3; the rest of class 1 becomes 4, of class 2 becomes 5.
  EXPECT_EQ(split->ToString(), "OR[1, 2, 3]");
  EXPECT_EQ(first->ToString(), "OR[1, 4]");
  EXPECT_EQ(second->ToString(), "OR[2, 5]");
  const auto& classOf = root->charset->classOf;
  EXPECT_EQ((std::vector<int32_t>{classOf['0'], classOf['a'], classOf['b'], classOf['c'],
                                  classOf['x'], classOf['y'], classOf['z']}),
            (std::vector<int32_t>{3, 4, 1, 4, 5, 2, 5}));
}

TEST(RefineClasses, EveryByteItsOwnClass) {
  auto root = RegexNode::MakeRoot();
  std::vector<NodePtr> operands;
  for (int b = 0; b < 256; ++b)
    operands.push_back(RefineClasses(*root, Bytes(b, b)));
  EXPECT_EQ(root->charset->classCount, 256);
  std::vector<bool> seen(257, false);
  for (int b = 0; b < 256; ++b) {
    const int32_t k = root->charset->classOf[static_cast<std::size_t>(b)];
    ASSERT_GE(k, 1);
    ASSERT_LE(k, 256);
    EXPECT_FALSE(seen[static_cast<std::size_t>(k)]);
    seen[static_cast<std::size_t>(k)] = true;
    ASSERT_EQ(operands[static_cast<std::size_t>(b)]->children.size(), 1u);
    EXPECT_EQ(operands[static_cast<std::size_t>(b)]->children[0]->kind, k);
  }
  EXPECT_NE(kEpsilonSymbol, 256) << "class 256 must not be taken for epsilon";
}

TEST(RegexNode, PrintsClonesAndComparesByIdentity) {
  EXPECT_EQ(Eps()->ToString(), "Epsilon");
  EXPECT_EQ(Eof()->ToString(), "-1");
  EXPECT_EQ(Or(Leaf(3), Leaf(5))->ToString(), "OR[3, 5]");
  EXPECT_EQ(And(And(Eps(), Or(Leaf(1))), Or(Leaf(2)))->ToString(),
            "AND[AND[Epsilon, OR[1]], OR[2]]");
  EXPECT_EQ(Rules(1, And(Eps(), Or(Leaf(1))), And(Eps(), Eof()))->ToString(),
            "OR[AND[Epsilon, OR[1]], AND[Epsilon, -1]]");
  EXPECT_EQ(Star(Plus(Opt(Leaf(1))))->ToString(), "STAR[MINONE[OPTION[1]]]");

  auto root = Rules(2, Or(Leaf(1), Leaf(2)));
  root->charset->operandSets.push_back(root->children[0].get());
  root->flags = kCaseInsensitive;
  auto copy = root->Clone();
  EXPECT_EQ(copy->ToString(), root->ToString());
  EXPECT_EQ(copy->flags, kCaseInsensitive);
  EXPECT_TRUE(copy->charset->operandSets.empty());
  ASSERT_NE(copy->charset, nullptr);
  EXPECT_NE(copy->charset.get(), root->charset.get());
  EXPECT_EQ(copy->charset->Compare(*root->charset), 0);
  copy.reset();
  EXPECT_EQ(root->ToString(), "OR[OR[1, 2]]");
  EXPECT_NE(root->Compare(*root->Clone()), 0);
  EXPECT_EQ(root->Compare(*root), 0);
}

TEST(RegexNode, HundredThousandLevelsCloneAndFree) {
  NodePtr tree = Leaf(1);
  for (int i = 0; i < 100000; ++i)
    tree = (i % 2) ? Star(std::move(tree)) : And(Eps(), std::move(tree));
  auto copy = tree->Clone();
  EXPECT_EQ(copy->ToString().size(), tree->ToString().size());
  tree.reset();
  copy.reset();
}

}  // namespace
}  // namespace tarnwick
