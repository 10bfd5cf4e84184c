// The state limit taken from the environment: only a plain positive number
// replaces the default, so a mistyped setting never breaks a run.
#include "driver/state_limit.h"

#include <gtest/gtest.h>

#include "pipeline/generate.h"

namespace tarnwick {
namespace {

TEST(StateLimitTest, PlainPositiveNumbersSetTheLimit) {
  EXPECT_EQ(MaxDfaStatesFrom(std::string("1")), 1u);
  EXPECT_EQ(MaxDfaStatesFrom(std::string("5000")), 5000u);
  EXPECT_EQ(MaxDfaStatesFrom(std::string("0020")), 20u);
  EXPECT_EQ(MaxDfaStatesFrom(std::string("2000001")), 2'000'001u);
  EXPECT_EQ(MaxDfaStatesFrom(std::string("10000000")), kDfaStateCapacity);
}

TEST(StateLimitTest, AnythingElseKeepsTheDefault) {
  for (const char* text :
       {"", "0", "-5", "+5", " 5", "5 ", "5k", "abc", "1e6", "99999999999999999999999999"}) {
    EXPECT_EQ(MaxDfaStatesFrom(std::string(text)), kDefaultMaxDfaStates) << '"' << text << '"';
  }
  EXPECT_EQ(MaxDfaStatesFrom(std::nullopt), kDefaultMaxDfaStates);
}

}  // namespace
}  // namespace tarnwick
