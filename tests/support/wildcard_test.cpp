#include "support/wildcard.h"

#include <gtest/gtest.h>

TEST(Wildcards, FollowShellSetsAndKeepOtherCharactersLiteral) {
  EXPECT_TRUE(WildcardPattern("file[0-9].c").matches("file7.c"));
  EXPECT_FALSE(WildcardPattern("file[0-9].c").matches("filex.c"));
  EXPECT_FALSE(WildcardPattern("[^a]*").matches("abc"));
  EXPECT_TRUE(WildcardPattern("[]x]").matches("]"));
  EXPECT_TRUE(WildcardPattern("a\\b").matches("a\\b"));
  EXPECT_FALSE(WildcardPattern("a.c").matches("abc"));
  EXPECT_TRUE(WildcardPattern("(x)+").matches("(x)+"));
  EXPECT_TRUE(WildcardPattern("*\xf0\x9f\x93\x84.c").matches("notes\xf0\x9f\x93\x84.c"));  // outside the BMP
  EXPECT_FALSE(WildcardPattern("[abc").matches("[abc"));  // unclosed set matches nothing
}
