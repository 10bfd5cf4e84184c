// TreeWalker: a depth-first walk over a syntax tree with an explicit stack,
// which hands each node the results of its children.
//
// Rules may nest groups a hundred thousand deep, so no pass over a tree may
// recurse once per level. Every pass that visits a whole tree (simplification,
// NFA construction, copying, printing) derives from this walker:
//   PreVisit(node, parentArg, stop) runs before the node's children and gives
//     the node's own argument; setting `stop` skips the children;
//   ChildArg(node, preArg, done) gives the argument handed to the next child,
//     `done` holding the results of the children before it (a sequence hands
//     each part the state where the part before it ended);
//   PostVisit(node, parentArg, preArg, childResults) runs after the children
//     (none when they were skipped) and gives the node's result.
// Arguments flow down, results up. Frames and results live in two vectors on
// the heap, growing with the depth and the finished siblings of open nodes;
// that is why freeing a tree (run while a failed allocation unwinds) is not a
// walk. A node's children are read only after its PreVisit, so PreVisit may
// rewrite them, but nothing may add or remove children of a node the walk is
// inside.
#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace tarnwick {

// For walks that need no argument or no result.
struct NoValue {};

template <class Node, class Arg, class Result>
class TreeWalker {
 public:
  virtual ~TreeWalker() = default;

  // The root's result.
  Result Walk(Node& root, Arg topArg) {
    struct Frame {
      Node* node;
      std::size_t next;  // the next child to visit
      bool skip;         // PreVisit stopped the descent
      Arg parentArg;
      Arg preArg;
      std::size_t resultsBegin;  // where the children's results start
    };
    std::vector<Frame> stack;
    std::vector<Result> results;
    auto enter = [&](Node& node, Arg parentArg) {
      bool stop = false;
      Arg preArg = PreVisit(node, parentArg, stop);
      stack.push_back(
          Frame{&node, 0, stop, std::move(parentArg), std::move(preArg), results.size()});
    };
    enter(root, std::move(topArg));
    for (;;) {
      Frame& top = stack.back();
      const std::span<Result> done(results.data() + top.resultsBegin,
                                   results.size() - top.resultsBegin);
      if (!top.skip && top.next < top.node->children.size()) {
        Node& child = *top.node->children[top.next++];
        Arg childArg = ChildArg(*top.node, top.preArg, done);
        enter(child, std::move(childArg));  // `top` may move
        continue;
      }
      Result result = PostVisit(*top.node, top.parentArg, top.preArg, done);
      results.erase(results.begin() + static_cast<std::ptrdiff_t>(top.resultsBegin), results.end());
      stack.pop_back();
      if (stack.empty()) return result;
      results.push_back(std::move(result));
    }
  }

 protected:
  virtual Arg PreVisit(Node& /*node*/, const Arg& parentArg, bool& /*stop*/) { return parentArg; }
  virtual Arg ChildArg(Node& /*node*/, const Arg& preArg, std::span<Result> /*done*/) {
    return preArg;
  }
  virtual Result PostVisit(Node& node, const Arg& parentArg, const Arg& preArg,
                           std::span<Result> childResults) = 0;
};

}  // namespace tarnwick
