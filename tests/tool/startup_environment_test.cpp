#include "tool/startup_environment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "properties/property_class_list.h"
#include "support/test_support.h"
#include "tool/elf_dwarf_files.h"
#include "tool/environment_settings.h"

using testing_support::testDirectory;

namespace {

// test_main gives every test fresh HOME and MARROWFEN_ROOT_USER_DIR values; the
// global macro values and the stored root user directory are reset here.
class StartupEnvironmentTest : public testing::Test {
 protected:
  void SetUp() override { swapState(); }
  void TearDown() override { swapState(); }

 private:
  void swapState() {
    values_.swap(globalMacros().values);
    userMacros_.swap(globalMacros().userMacros);
    setRootUserDirectory(QString());
  }
  QMap<QString, QString> values_;
  QMap<QString, QString> userMacros_;
};

TEST_F(StartupEnvironmentTest, GlobalMacroValues) {
  defineHostMacros();
  defineStudioMacros("/opt/./q//x/../inst/");
  const QMap<QString, QString>& values = globalMacros().values;
  EXPECT_EQ(values.value("Date", "missing"), "");
  EXPECT_EQ(values.value("Platform") + " " + values.value("ProductName"), "arm Marrowfen for ARM");
  EXPECT_EQ(values.value("StudioDir"), "/opt/q/inst");
  EXPECT_EQ(values.value("StudioUserDir"), testDirectory() + "/user/Marrowfen for ARM/v4");
  EXPECT_EQ(values.value("DesktopDir"), testDirectory() + "/home/Desktop");
}

TEST_F(StartupEnvironmentTest, RootUserDirectoryRules) {
  qputenv("MARROWFEN_ROOT_USER_DIR", QFile::encodeName(testDirectory() + "/r d"));
  EXPECT_EQ(userDataDirectory(), testDirectory() + "/r d/Marrowfen for ARM/v4");
  qunsetenv("MARROWFEN_ROOT_USER_DIR");
  EXPECT_EQ(rootUserDirectory(), testDirectory() + "/r d");  // computed once
  setRootUserDirectory("/chosen");
  EXPECT_EQ(userDataDirectory(), "/chosen/Marrowfen for ARM/v4");

  // Without the variable, HOME is used (tests/e2e/startup_test.cpp); set, though empty, it is used as it is.
  setRootUserDirectory(QString());
  qputenv("MARROWFEN_ROOT_USER_DIR", "");  // set, though empty
  EXPECT_EQ(rootUserDirectory(), "");
}

// Following a link to the program is shown end to end (tests/e2e/startup_test.cpp).
TEST_F(StartupEnvironmentTest, ExecutablePathFallsBackToTheGivenName) {
  const QString root = testDirectory();
  EXPECT_EQ(executablePath("bin/program", "no-such-link"), root + "/bin/program");
  EXPECT_EQ(executablePath(nullptr, "no-such-link"), "");
  EXPECT_TRUE(QFileInfo(executablePath(nullptr)).isExecutable());
}

// The build tree keeps its data in targets/ beside bin/; an installation that
// follows the file-system hierarchy keeps it in share/quenport/.
TEST_F(StartupEnvironmentTest, InstallationDirectoryOfEachLayout) {
  const QString root = testDirectory();
  struct Layout {
    QStringList files;
    QString expected;
  };
  const Layout layouts[] = {
      {{"build/bin/quenport", "build/targets/project_templates.xml", "build/share/quenport/targets/x.xml"}, "build"},
      {{"usr/bin/quenport", "usr/share/quenport/targets/project_templates.xml"}, "usr/share/quenport"},
      {{"bare/bin/quenport"}, "bare"},
  };
  for (const Layout& layout : layouts) {
    for (const QString& file : layout.files) testing_support::writeFile(file, "x");
    setInstallDirectories(root + "/" + layout.files.first(), 1);
    EXPECT_EQ(installDirectory(), root + "/" + layout.expected);
    EXPECT_EQ(binDirectory(), QFileInfo(root + "/" + layout.files.first()).path());
  }
}

// The frequencies file itself, created, kept and reported, is checked by the e2e start-up tests.
TEST_F(StartupEnvironmentTest, PackagesDirectoryIgnoresUserMacros) {
  const QString root = testDirectory();
  globalMacros().values.insert("StudioUserDir", root + "/u");
  globalMacros().userMacros.insert("StudioUserDir", "/not-used");
  setUpPackagesDirectory("$(StudioUserDir)/packages");
  EXPECT_EQ(globalMacros().values.value("PackagesDir"), root + "/u/packages");
  EXPECT_EQ(globalMacros().values.value("SamplesDir"), root + "/u/packages/samples");
}

// The directories it sets are shown by the end-to-end start-up tests.
TEST_F(StartupEnvironmentTest, StartupRunsEveryStep) {
  globalMacros().userMacros.insert("Stale", "replaced by the setting's empty list");
  setUpStartupEnvironment(nullptr);
  ASSERT_NE(environmentSettings(), nullptr);
  ASSERT_NE(elfDwarfFiles(), nullptr);
  EXPECT_TRUE(globalMacros().userMacros.isEmpty());
}

}  // namespace
