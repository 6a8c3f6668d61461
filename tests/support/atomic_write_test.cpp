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

// Text kept aside lands where it is asked for, in one piece however it was kept,
// and no file shows while it waits: with or without descriptor links (without,
// the file is named from the start and its kept text is unnamed at once).
TEST(AtomicWrite, BytesKeptAsideAreWrittenWhereAskedAndShowNoFile) {
  for (const char* links : {"/proc/self/fd", "missing-links"}) {
    AtomicFile file("kept.txt", links);
    AtomicFile::Kept later, last;
    file.write("a");
    file.keep("b1", later);
    file.keep("b2", later);
    file.keep("c", last);
    file.write("d");
    file.writeKept(last);
    file.writeKept(later);
    const QStringList hidden = QDir().entryList({".*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(hidden.size(), file.isUnnamed() ? 0 : 1) << links << ": " << hidden.join(' ').toStdString();
    file.commit();
    EXPECT_EQ(testing_support::readFile("kept.txt"), "adcb1b2") << links;
  }
}

}  // namespace
