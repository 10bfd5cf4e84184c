// Tool entries: the entry table and the hash-map order of a moved group.
// The order is computed by a stable sort on the bucket of each distinct name
// after reversing the names, which yields "newest first" within a bucket.
#include "tool_entries.h"

#include <algorithm>

namespace korvane {
namespace {
constexpr std::uint32_t kBuckets = 512;
}

KeyValues EntryKeys(const Trigger& trigger, std::string_view command) {
  std::string arguments = std::string(trigger.name) + " \"%PATH\"";
  return {
      {"Command", std::string(command)},
      {"Arguments", arguments},
      {"WorkingDir", ""},
      {"MenuItemName", MenuItemName(trigger)},
      {"Shortcut", "0"},
      {"ConfigLine", ""},
      {"Trigger", std::to_string(trigger.number)},
      {"Flags", "1"},
      {"ReloadSource", "0"},
      {"HideEditor", "0"},
      {"HideFromMenu", "1"},
      {"SourceSpecific", "0"},
      {"Deactivate", "0"},
  };
}

std::string MenuItemName(const Trigger& trigger) {
  return std::string(kMenuItemPrefix) + std::string(trigger.name);
}

bool IsOwnMenuItem(std::string_view menu_item_name) {
  if (!menu_item_name.starts_with(kMenuItemPrefix)) return false;
  std::string_view rest = menu_item_name.substr(kMenuItemPrefix.size());
  return std::any_of(kTriggers.begin(), kTriggers.end(),
                     [rest](const Trigger& t) { return t.name == rest; });
}

std::uint32_t SdbmHash(std::string_view text) {
  std::uint32_t h = 0;
  for (char c : text) {
    // The byte is sign-extended before the addition, so bytes from 0x80 up
    // subtract; the unsigned wrap-around keeps that well defined.
    h = h * 65599u +
        static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
  }
  return h;
}

KeyValues HashMapOrder(const KeyValues& keys) {
  KeyValues distinct;
  for (const auto& kv : keys) {
    bool seen = std::any_of(distinct.begin(), distinct.end(),
                            [&kv](const auto& d) { return d.first == kv.first; });
    if (!seen) distinct.push_back(kv);
  }
  std::reverse(distinct.begin(), distinct.end());
  std::stable_sort(distinct.begin(), distinct.end(), [](const auto& a, const auto& b) {
    return SdbmHash(a.first) % kBuckets < SdbmHash(b.first) % kBuckets;
  });
  return distinct;
}

}  // namespace korvane
