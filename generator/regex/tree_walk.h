// WalkTree: a depth-first walk over a syntax tree without recursion.
//
// Rules may nest groups a hundred thousand deep, so no pass over a tree may
// recurse once per level. Every pass that needs to visit a whole tree is
// written as a pair of hooks on this walker: `pre(node)` runs before the
// node's children and returns whether to descend into them; `post(node)` runs
// after them (also for nodes whose children were skipped). The walker keeps
// its own stack on the heap. Children must not be added or removed while the
// walk is inside the node that holds them.
#pragma once

#include <cstddef>
#include <vector>

namespace tarnwick {

template <class Node, class Pre, class Post>
void WalkTree(Node& root, Pre&& pre, Post&& post) {
  struct Frame {
    Node* node;
    std::size_t next;
  };
  if (!pre(root)) {
    post(root);
    return;
  }
  std::vector<Frame> stack;
  stack.push_back({&root, 0});
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next < top.node->children.size()) {
      Node* child = top.node->children[top.next++].get();
      if (pre(*child)) {
        stack.push_back({child, 0});
      } else {
        post(*child);
      }
    } else {
      Node* done = top.node;
      stack.pop_back();
      post(*done);
    }
  }
}

}  // namespace tarnwick
