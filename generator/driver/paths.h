// Path texts as the generator treats them on every platform: both "\" and
// "/" separate directories, and a directory part keeps its last separator,
// so file names are joined to it directly.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Everything up to and including the last separator; empty for a bare name,
// meaning the current directory.
std::string DirectoryPart(std::string_view path);

// Everything after the last separator.
std::string FileNamePart(std::string_view path);

}  // namespace tarnwick
