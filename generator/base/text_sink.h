// TextSink: where generated text goes, piece after piece.
//
// The scanner source of a large definition is mostly tables, and holding it
// whole beside the automaton was a run's peak memory. The writers hand their
// text on in bounded pieces instead: to a file that takes it as it comes
// (FileSink), or to a string where the whole text is wanted (StringSink: the
// tests, the fuzzers, the drawing).
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

class TextSink {
 public:
  virtual ~TextSink() = default;
  // Takes `text` after everything taken before.
  virtual void Write(std::string_view text) = 0;
  // About `bytes` more are coming: a sink that keeps the text makes room for
  // them in one step.
  virtual void Expect(std::size_t bytes) { static_cast<void>(bytes); }
};

// Makes room for `extra` more bytes after the content of `out` with a
// capacity of exactly that much, where std::string::reserve would round a
// modest growth up to twice the present capacity.
inline void ReserveText(std::string& out, std::size_t extra) {
  const std::size_t wanted = out.size() + extra;
  if (wanted <= out.capacity()) return;
  std::string larger;
  larger.reserve(wanted);  // from an empty string the request is taken as it is
  larger.append(out);
  out.swap(larger);
}

// Appends to a string. Its storage is sized on purpose rather than left to
// std::string, which at least doubles its capacity whenever it grows: the
// writers state the size they expect, and a string that still runs short
// grows by half, to an exact capacity.
class StringSink final : public TextSink {
 public:
  explicit StringSink(std::string& text) : text_(text) {}
  void Write(std::string_view text) override {
    if (text.size() > text_.capacity() - text_.size()) {
      ReserveText(text_, std::max(text.size(), text_.size() / 2 + 64));
    }
    text_.append(text);
  }
  void Expect(std::size_t bytes) override { ReserveText(text_, bytes); }

 private:
  std::string& text_;
};

}  // namespace tarnwick
