// FileSink: generated text written into a file as it comes.
//
// The file is opened (created or cut to nothing) at the first write, or by
// Finish when nothing came. A pass is handed its sink before the long work
// and writes only at the end; until then the file stays closed, so a run
// ended early can remove it (Windows refuses to delete an open file). A
// failed write is remembered and what follows is dropped; Finish closes the
// file and says whether every byte arrived, since a full disk may only show
// when the last buffer is flushed.
#pragma once

#include <string>
#include <string_view>

#include "base/c_file.h"
#include "base/file_blocks.h"
#include "base/text_sink.h"

namespace tarnwick {

class FileSink final : public TextSink {
 public:
  explicit FileSink(std::string path) : path_(std::move(path)) {}
  void Write(std::string_view text) override;
  // Closes the file; true when it was opened and every byte was written.
  // Called once, after the last Write.
  bool Finish();

 private:
  bool Open();

  std::string path_;
  File file_;
  bool opened_ = false;
  bool failed_ = false;
};

// Creates or replaces `path` with the blocks of `bytes`; false when reading
// or writing failed.
bool WriteFileFrom(const std::string& path, const BlockSource& bytes);

}  // namespace tarnwick
