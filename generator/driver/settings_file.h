// Reading one value from a group/key settings file such as "Yarrowkit.ini".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr char kSettingsFileName[] = "Yarrowkit.ini";

// The value of `key` in `group` (names compared without regard to letter
// case, the first occurrence winning), or nothing when either is missing.
std::optional<std::string> FindSetting(std::string_view text, std::string_view group,
                                       std::string_view key);

// The Graphviz program named by group "Global", key "graphviz" of the file;
// empty when the file cannot be read or lacks the key.
std::string ReadGraphvizPath(const std::string& settingsPath);

}  // namespace tarnwick
