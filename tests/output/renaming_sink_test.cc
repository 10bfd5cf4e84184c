// RenamingSink: a prefixed scanner's engine names are renamed wherever the
// writes cut them, and nothing else changes.
#include <gtest/gtest.h>

#include <string>

#include "output/prefixed_api.h"

namespace tarnwick {
namespace {

TEST(RenamingSinkTest, RenamesNamesCutAtEveryPoint) {
  const std::string text =
      "  __yylexer_info:\r\n    Data.i @__yylexerrun12()\r\n__yylexe___yylexerX __yylexe";
  const std::string expected = "  Zq_info:\r\n    Data.i @Zqrun12()\r\n__yylexe_ZqX __yylexe";
  for (std::size_t piece = 1; piece <= text.size(); ++piece) {
    std::string out;
    StringSink sink(out);
    RenamingSink renaming(sink, "Zq");
    for (std::size_t at = 0; at < text.size(); at += piece)
      renaming.Write(std::string_view(text).substr(at, piece));
    renaming.Finish();
    EXPECT_EQ(out, expected) << "pieces of " << piece;
  }
  EXPECT_EQ(RenamedEngineNames("#__yylexerSpan = 1 : #__yylexerSlots", "Zq"),
            "#ZqSpan = 1 : #ZqSlots");
}

}  // namespace
}  // namespace tarnwick
