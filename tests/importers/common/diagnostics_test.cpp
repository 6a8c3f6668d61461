// Messages stay on one line whatever a foreign file puts into them.

#include <gtest/gtest.h>

#include "importers/common/diagnostics.h"

TEST(ConsoleMessages, EscapeControlCharactersOnly) {
  EXPECT_EQ(escapeControlCharacters("x\nerror: injected"), "x\\nerror: injected");
  EXPECT_EQ(escapeControlCharacters("a\tb\rc\x1b[2J\x7f"), "a\\tb\\rc\\x1b[2J\\x7f");
  EXPECT_EQ(escapeControlCharacters(std::string_view("nul\0end", 7)), "nul\\x00end");
  // Windows paths and UTF-8 names are printed as they are.
  EXPECT_EQ(escapeControlCharacters(".\\Secure\\App_s.uvprojx \xc3\xa9"), ".\\Secure\\App_s.uvprojx \xc3\xa9");
}
