// Which "settings" block an option is read from; everything else an IAR
// project file holds is shown end to end (tests/e2e/iar_test.cpp).

#include <gtest/gtest.h>

#include "helpers/test_support.h"
#include "readers/iar/iar_option_blocks.h"

using namespace iar_option_blocks;

// The configuration's compiler is its first compiler block, whatever the target
// calls it; an option of the same name in another block is not the compiler's.
// List entries are trimmed and blank ones dropped.
TEST(IarProjectReader, DefinesComeFromTheFirstCompilerBlockOnly) {
  const IarConfiguration configuration =
      configurationOf(settings("AARM", 10, option("CCDefines", "ASM")) +
                      settings("ICCRX", 3, option("CCDefines", -1, {"A", "", " B "})) +
                      settings("ICCARM", 36, option("CCDefines", "SECOND")));
  EXPECT_EQ(configuration.options.list(IarOptionId::Defines), QStringList({"A", "B"}));
}
