// Start-up as the built program does it, before it reads its command line: a
// run without arguments prints the usage and ends with status 1, after start-up.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "e2e/iar_fixtures.h"
#include "helpers/test_support.h"

using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::testDirectory;
using testing_support::writeFile;

namespace {

const QByteArray frequenciesContent =
    "<envelope>\n  <include filename=\"$(StudioDir)/targets/frequencies.xml\" />\n</envelope>\n";
const QString targetsBelowRoot = "/Marrowfen for ARM/v4/packages/targets";

// Created once: an edited file is kept; one that cannot be created is reported,
// and the conversion goes on without it.
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

  const QString blocked = testDirectory() + "/blocked";
  writeFile(blocked + targetsBelowRoot, "a file where the targets directory belongs");
  iar_fixtures::copyFixture("minimal");
  const auto result =
      runQuenport({"iar2hzp", "-executable-template", "T", "fw.eww"}, {}, {"MARROWFEN_ROOT_USER_DIR=" + blocked});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError,
            ("warning: cannot create " + blocked + targetsBelowRoot + "/frequencies.xml\n").toUtf8());
  EXPECT_TRUE(readFile("fw.hzp").contains("template_name=\"T\""));
}

// An empty variable is taken as unset: the user data directory goes below HOME,
// not below "/" ("/Marrowfen for ARM/v4/packages" before).
TEST(StartupTest, AnEmptyRootUserDirectoryVariableCountsAsUnset) {
  const auto result = runQuenport({}, {}, {"MARROWFEN_ROOT_USER_DIR=", "HOME=" + testDirectory() + "/h"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.standardError.startsWith("Usage:\n")) << result.standardError.toStdString();
  EXPECT_EQ(readFile(testDirectory() + "/h/.halbrook_tessaly_limited" + targetsBelowRoot + "/frequencies.xml"),
            frequenciesContent);
  EXPECT_FALSE(QFileInfo::exists("/Marrowfen for ARM"));
}

// The installation is where the link leads: its templates serve the expansion.
TEST(StartupTest, WithoutTheVariableUsesHomeAndFollowsASymbolicLinkToTheProgram) {
  QDir().mkpath("my home");
  QDir().mkpath("link/bin");
  ASSERT_TRUE(QFile::link(QStringLiteral(QUENPORT_BINARY), "link/bin/quenport"));
  iar_fixtures::copyFixture("minimal");
  const QStringList arguments{"iar2hzp", "-expand-templates", "-executable-template", "STM32_EXE", "fw.eww"};
  const auto result = testing_support::runProgram(testDirectory() + "/link/bin/quenport", arguments, {},
                                                  {"MARROWFEN_ROOT_USER_DIR", "HOME=" + testDirectory() + "/my home"});
  EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_TRUE(readFile("fw.hzp").contains("      arm_instruction_set=\"Thumb\"\n"));
  // Every space of the root string becomes "_", the home directory's own included.
  EXPECT_EQ(readFile(testDirectory() + "/my_home/.halbrook_tessaly_limited" + targetsBelowRoot + "/frequencies.xml"),
            frequenciesContent);
}

}  // namespace
