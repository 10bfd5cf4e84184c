// The IDE tool entries that register the build tool: the four triggers, the
// thirteen keys of one entry, how an entry is recognised as ours, and the
// order in which a renumbered entry's keys are written back.
//
// The write-back order mirrors a hash map keyed by name (sdbm hash, 512
// buckets, newest entry first within a bucket): entries that the installer
// has moved once before look exactly like that in users' files, so the order
// is kept rather than "improved" to file order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

struct Trigger {
  std::string_view name;
  int number;
};

// In the order in which install looks for and adds the entries.
inline constexpr std::array<Trigger, 4> kTriggers = {{
    {"BEFORE_EXE", 6},
    {"BEFORE_COMP", 3},
    {"AFTER_COMP", 4},
    {"AFTER_EXE", 7},
}};

inline constexpr std::string_view kMenuItemPrefix = "Korvane ";

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// The keys of the entry for `trigger`, in the order they are written.
KeyValues EntryKeys(const Trigger& trigger, std::string_view command);

// "Korvane " followed by the trigger name: what a matching entry's
// MenuItemName holds.
std::string MenuItemName(const Trigger& trigger);

// True when the name is the prefix and one of the four trigger names,
// compared exactly (letter case included).
bool IsOwnMenuItem(std::string_view menu_item_name);

// sdbm over the bytes taken as signed 8-bit values, 32-bit wrap-around.
std::uint32_t SdbmHash(std::string_view text);

// The keys reordered as the hash map holds them: ascending hash mod 512,
// later keys first within a bucket. A repeated name keeps its first place
// and its first value, as a lookup by name would find it.
KeyValues HashMapOrder(const KeyValues& keys);

}  // namespace korvane
