// Where the generator's support files (the runtime include and the settings
// file) are looked for: beside the program first, as in the build tree and
// the Windows folder, then in the shared data folder of an installed tree
// (`bin/../share/tarnwick/`).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr char kSharedDataFolder[] = "share/tarnwick/";

// The folders to search, in order, each ending in a separator. The shared one
// is written with the separator that the program directory uses and, where
// the program directory's parent can be named, without a "..", so it reads
// well in messages.
std::vector<std::string> SupportDirectories(std::string_view programDirectory);

// The first folder of `directories` that holds `name` (by `exists`), joined
// to it; empty when none does.
std::string FindSupportFile(const std::vector<std::string>& directories, std::string_view name,
                            const std::function<bool(const std::string&)>& exists);

}  // namespace tarnwick
