// Which log a start gets: the variable overrides the terminal test, and a
// window is only ever chosen when a display really opens.
#include "platform/log_choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/console_log.h"

namespace tarnwick::platform {
namespace {

LogKind Decide(std::optional<std::string> variable, bool terminal, bool display,
               bool built = true) {
  LogChoiceFacts facts;
  facts.uiVariable = std::move(variable);
  facts.windowBuilt = built;
  facts.outputIsTerminal = terminal;
  facts.displayOpens = [display] { return display; };
  return DecideLogKind(facts);
}

TEST(LogChoice, StartedFromTerminalOrDesktop) {
  EXPECT_EQ(Decide(std::nullopt, true, true), LogKind::kConsole);
  EXPECT_EQ(Decide(std::nullopt, false, true), LogKind::kWindow);
  EXPECT_EQ(Decide(std::nullopt, false, false), LogKind::kConsole);
}

TEST(LogChoice, VariableDecidesButNeedsAWindowToShow) {
  EXPECT_EQ(Decide("console", false, true), LogKind::kConsole);
  EXPECT_EQ(Decide("window", true, true), LogKind::kWindow);
  EXPECT_EQ(Decide("window", true, false), LogKind::kConsole);
  EXPECT_EQ(Decide("window", false, true, /*built=*/false), LogKind::kConsole);
  EXPECT_EQ(Decide("other", true, true), LogKind::kConsole);
}

TEST(ConsoleLog, BannerOnceThenEveryLineIncludingEmptyOnes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
  ASSERT_NE(out, nullptr);
  ConsoleLog log("Tarnwick V.1.00", out.get());
  log.Start();
  log.LogLine("Read inputfile...");
  log.Start();
  log.LogLine("");
  log.LogLine("Error Line 0:");
  std::rewind(out.get());
  std::string text(100, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), out.get()));
  EXPECT_EQ(text, "Tarnwick V.1.00\nRead inputfile...\n\nError Line 0:\n");
}

}  // namespace
}  // namespace tarnwick::platform
