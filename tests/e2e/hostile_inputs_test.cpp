// Inputs made to hurt: each is refused or bounded with a message naming it, and
// nothing a user had is lost.

#include <gtest/gtest.h>

#include <QFile>

#include "e2e/uvision_fixtures.h"
#include "support/test_support.h"

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

// A project file larger than any real one is refused before it is read (the
// file here is sparse: it takes no room on the disk).
TEST(HostileInputs, FilesLargerThanTheLimitAreNotRead) {
  writeFile("w.uvmpw", uvision_fixtures::workspace({"p.uvprojx"}));
  QFile huge("p.uvprojx");
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  ASSERT_TRUE(huge.resize((qint64(256) << 20) + 1));
  huge.close();
  const auto result = runQuenport({"uvision2hzp", "-executable-template", "E", "w.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: p.uvprojx: larger than 256 MiB, the most a workspace or project file may be\n");
  EXPECT_FALSE(fileExists("w.hzp"));
}
