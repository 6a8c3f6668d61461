#include "support/path.h"

#include <gtest/gtest.h>

#include <QDir>

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

// The file-name parts the macro table hands out ("InputName", "InputExt", ...).
TEST(Path, Accessors) {
  const Path archive("/d/e/arch.tar.gz");
  EXPECT_EQ(archive.baseName(), "arch");
  EXPECT_EQ(archive.completeBaseName(), "arch.tar");
  EXPECT_EQ(archive.completeSuffix(), "tar.gz");
  EXPECT_EQ(archive.suffix(), "gz");
  EXPECT_EQ(Path("/x.c").directory(), "/");
  EXPECT_EQ(Path("x.c").directory(), "");
  EXPECT_EQ(Path("src/x.c").absoluteDirectory(), QDir::currentPath() + "/src");
  EXPECT_EQ(Path().absoluteFilePath(), "");
}

TEST(Path, RelativePathClimbsToTheFirstCommonComponent) {
  EXPECT_EQ(relativePath("/a/b/c", "/a"), "../..");
  EXPECT_EQ(relativePath("/", "/a"), "a");
  EXPECT_EQ(relativePath("/a", "."), "");
  EXPECT_EQ(relativePath("/a/b", "/c/d"), std::nullopt);
}
