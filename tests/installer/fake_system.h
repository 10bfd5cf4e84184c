// An in-memory System for the action tests: files in a map, a switch that
// makes every rewrite fail, and a chosen directory and path convention.
#pragma once

#include <map>
#include <string>

#include "platform/system.h"

namespace korvane {

class FakeSystem final : public System {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> environment;
  std::string directory = "/work";
  char separator = '/';
  std::string tool = "Korvane";
  bool fail_writes = false;
  mutable int writes = 0;

  std::optional<std::string> ReadFile(const std::string& path) const override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool CopyFile(const std::string& from, const std::string& to) const override {
    auto it = files.find(from);
    if (it == files.end()) return false;
    const_cast<FakeSystem*>(this)->files[to] = it->second;
    return true;
  }
  bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
    ++writes;
    if (fail_writes) return false;
    const_cast<FakeSystem*>(this)->files[path] = std::string(bytes);
    return true;
  }
  std::optional<std::string> Environment(const std::string& name) const override {
    auto it = environment.find(name);
    if (it == environment.end()) return std::nullopt;
    return it->second;
  }
  std::string CurrentDirectory() const override { return directory; }
  char PathSeparator() const override { return separator; }
  std::string ToolFileName() const override { return tool; }
};

}  // namespace korvane
