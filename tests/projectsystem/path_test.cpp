#include <gtest/gtest.h>

#include <QDir>

#include "projectsystem/path.h"

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

TEST(Path, Accessors) {
  const Path archive("/d/e/arch.tar.gz");
  EXPECT_EQ(archive.fileName(), "arch.tar.gz");
  EXPECT_EQ(archive.baseName(), "arch");
  EXPECT_EQ(archive.completeBaseName(), "arch.tar");
  EXPECT_EQ(archive.completeSuffix(), "tar.gz");
  EXPECT_EQ(archive.suffix(), "gz");
  EXPECT_EQ(archive.directory(), "/d/e");
  EXPECT_EQ(Path("/x.c").directory(), "/");
  EXPECT_EQ(Path("readme").suffix(), "");

  const Path relative("src/x.c");
  EXPECT_EQ(relative.directory(), "src");
  EXPECT_EQ(relative.absoluteFilePath(), QDir::currentPath() + "/src/x.c");
  EXPECT_EQ(relative.absoluteDirectory(), QDir::currentPath() + "/src");
  EXPECT_EQ(Path("x.c").directory(), "");
  EXPECT_EQ(Path().absoluteFilePath(), "");
  EXPECT_FALSE(Path("missing.txt").lastModified().isValid());
}
