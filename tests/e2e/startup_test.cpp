// Start-up as the built program does it, before it reads its command line: a
// run without arguments prints the usage and ends with status 1, after start-up.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "support/test_support.h"

using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::testDirectory;
using testing_support::writeFile;

namespace {

const QByteArray frequenciesContent =
    "<envelope>\n  <include filename=\"$(StudioDir)/targets/frequencies.xml\" />\n</envelope>\n";
const QString targetsBelowRoot = "/Marrowfen for ARM/v4/packages/targets";

TEST(StartupTest, CreatesTheFrequenciesFileOnceUnderTheRootUserDirectory) {
  const QString root = testDirectory() + "/x";
  const QString frequencies = root + targetsBelowRoot + "/frequencies.xml";
  const auto first = runQuenport({}, {}, {"MARROWFEN_ROOT_USER_DIR=" + root});
  EXPECT_EQ(first.exitCode, 1);
  EXPECT_TRUE(first.standardError.startsWith("Usage:\n")) << first.standardError.toStdString();
  EXPECT_EQ(readFile(frequencies), frequenciesContent);

  writeFile(frequencies, "edited\n");
  EXPECT_EQ(runQuenport({}, {}, {"MARROWFEN_ROOT_USER_DIR=" + root}).exitCode, 1);
  EXPECT_EQ(readFile(frequencies), "edited\n");
}

TEST(StartupTest, WithoutTheVariableUsesTheHomeDirectory) {
  const QString home = testDirectory() + "/home";
  const auto result = runQuenport({}, {}, {"MARROWFEN_ROOT_USER_DIR", "HOME=" + home});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(readFile(home + "/.halbrook_tessaly_limited" + targetsBelowRoot + "/frequencies.xml"), frequenciesContent);
}

TEST(StartupTest, ReportsAFrequenciesFileThatCannotBeCreated) {
  const QString root = testDirectory() + "/blocked";
  writeFile(root + targetsBelowRoot, "a file where the targets directory belongs");
  const auto result = runQuenport({}, {}, {"MARROWFEN_ROOT_USER_DIR=" + root});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, ("error: cannot create " + root + targetsBelowRoot + "/frequencies.xml\n").toUtf8());
}

TEST(StartupTest, RunsThroughASymbolicLink) {
  const QString root = testDirectory();
  QDir().mkpath("link/bin");
  ASSERT_TRUE(QFile::link(QStringLiteral(QUENPORT_BINARY), root + "/link/bin/quenport"));
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("MARROWFEN_ROOT_USER_DIR", root + "/s");
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(root);
  process.start(root + "/link/bin/quenport", {});
  ASSERT_TRUE(process.waitForFinished(120000));
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_EQ(readFile(root + "/s" + targetsBelowRoot + "/frequencies.xml"), frequenciesContent);
}

}  // namespace
