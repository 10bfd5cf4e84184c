// Written through a C stream in binary mode, so nothing is translated on the
// way: CR LF line ends and a byte-order mark stay exact everywhere.
#include "base/file_sink.h"

namespace tarnwick {

bool FileSink::Open() {
  if (!opened_) {
    opened_ = true;
    file_ = OpenFile(path_, "wb");
  }
  // Closed again by Finish, or never opened.
  return file_ && !failed_;
}

void FileSink::Write(std::string_view text) {
  // An empty view may hold no buffer at all, which fwrite must not be given.
  if (!Open() || text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size()) failed_ = true;
}

bool FileSink::Finish() {
  if (!Open()) return false;
  return std::fclose(file_.release()) == 0;
}

bool WriteFileFrom(const std::string& path, const BlockSource& bytes) {
  FileSink file(path);
  const bool read = EachBlock(bytes, [&file](std::string_view block) {
    file.Write(block);
    return true;
  });
  return file.Finish() && read;
}

}  // namespace tarnwick
