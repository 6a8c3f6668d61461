#include "support/path.h"

#include <gtest/gtest.h>

TEST(Path, CleansDotsEmptyPartsAndParentSteps) {
  EXPECT_EQ(Path("a/./b//c/").path(), "a/b/c");
  EXPECT_EQ(Path("/a/../b").path(), "/b");
  EXPECT_EQ(Path("../x").path(), "../x");
  EXPECT_EQ(Path("a/../../x").path(), "../x");
  EXPECT_EQ(Path("../../y").path(), "../../y");
  EXPECT_EQ(Path("./").path(), "");
  EXPECT_EQ(Path("/").path(), "/");
  EXPECT_EQ(Path("//a").path(), "/a");
  EXPECT_EQ(Path("/a/b/c"), Path("/a/./b/x/../c"));
}

TEST(Path, RelativePathClimbsToTheFirstCommonComponent) {
  EXPECT_EQ(relativePath("/a/b/c", "/a"), "../..");
  EXPECT_EQ(relativePath("/", "/a"), "a");
  EXPECT_EQ(relativePath("/a", "."), "");
  EXPECT_EQ(relativePath("/a/b", "/c/d"), std::nullopt);
}
