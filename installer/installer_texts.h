// The installer's user-visible texts and window geometry, shared by the
// window implementations of every platform and by the command line.
#pragma once

#include <string_view>

namespace korvane {

inline constexpr std::string_view kWindowTitle = "Korvane - Installer";
inline constexpr int kWindowWidth = 400;
inline constexpr int kWindowHeight = 85;

struct ItemBox {
  int x, y, width, height;
  std::string_view text;
};
inline constexpr ItemBox kPathLabel = {10, 13, 70, 15, "Tools.prefs:"};
inline constexpr ItemBox kPathField = {80, 10, 270, 20, ""};
inline constexpr ItemBox kBrowseButton = {360, 10, 30, 20, "..."};
inline constexpr ItemBox kInstallButton = {10, 45, 185, 30, "Installiere Korvane"};
inline constexpr ItemBox kUninstallButton = {205, 45, 185, 30, "Deinstalliere Korvane"};

inline constexpr std::string_view kBrowseTitle = "Tools.prefs...";
// Pairs of description and pattern, separated by '|'.
inline constexpr std::string_view kBrowseFilter =
    "Preference-Datei (*.prefs)|*.prefs|Alle Dateien (*.*)|*.*";

inline constexpr std::string_view kCantOpen = "Can't open the file:\n";
inline constexpr std::string_view kNotToolsPrefs = "File isn't the Tools.prefs:\n";
inline constexpr std::string_view kCantWrite = "Can't write the file:\n";
inline constexpr std::string_view kInstalled = "Successfully install!";
inline constexpr std::string_view kUninstalled = "Successfully uninstall!";

}  // namespace korvane
