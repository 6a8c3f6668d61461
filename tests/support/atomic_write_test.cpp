#include "support/atomic_write.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "helpers/test_support.h"
#include "support/diagnostics.h"

namespace {

QString failureOf(const QString& path) {
  try {
    writeFileAtomically(path, [](const ByteSink& sink) { sink("<a/>\n"); });
  } catch (const ConversionError& error) {
    return error.message();
  }
  return QString();
}

TEST(AtomicWrite, FailuresNameThePathAndTheReasonAndLeaveNothingBehind) {
  EXPECT_EQ(failureOf("missing/file.xml"), "cannot write missing/file.xml: No such file or directory");
  // Only a regular file (or a link, which is replaced) is ever replaced: a device
  // stays a device even for root, who could otherwise rename over it.
  EXPECT_EQ(failureOf("/dev/full"), "cannot write /dev/full: not a regular file");
  EXPECT_TRUE(QFileInfo("/dev/full").exists() && !QFileInfo("/dev/full").isFile());
  QDir().mkpath("folder.xml");
  EXPECT_EQ(failureOf("folder.xml"), "cannot write folder.xml: Is a directory");
  EXPECT_EQ(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"folder.xml", "home"}));  // no temporary file left behind
  EXPECT_EQ(failureOf("written.xml"), "");
  EXPECT_EQ(testing_support::readFile("written.xml"), "<a/>\n");
}

}  // namespace
