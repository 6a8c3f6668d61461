#include "tool/startup_environment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "support/test_support.h"

using testing_support::testDirectory;

namespace {

// test_main gives every test fresh HOME and MARROWFEN_ROOT_USER_DIR values; each
// test builds the environment it looks at.
TEST(StartupEnvironment, GlobalMacroValues) {
  StartupEnvironment environment;
  environment.installDirectory = "/opt/./q//x/../inst/";
  environment.rootUserDirectory = defaultRootUserDirectory();
  defineHostMacros(environment.macros);
  defineStudioMacros(environment);
  const MacroTable& values = environment.macros.values;
  EXPECT_EQ(values.value("Date", "missing"), "");
  EXPECT_EQ(values.value("Platform") + " " + values.value("ProductName"), "arm Marrowfen for ARM");
  EXPECT_EQ(values.value("StudioDir"), "/opt/q/inst");
  EXPECT_EQ(values.value("StudioUserDir"), testDirectory() + "/user/Marrowfen for ARM/v4");
  EXPECT_EQ(values.value("DesktopDir"), testDirectory() + "/home/Desktop");
}

TEST(StartupEnvironment, RootUserDirectoryRules) {
  qputenv("MARROWFEN_ROOT_USER_DIR", QFile::encodeName(testDirectory() + "/r d"));
  EXPECT_EQ(userDataDirectory(defaultRootUserDirectory()), testDirectory() + "/r d/Marrowfen for ARM/v4");
  // Without the variable, HOME is used (tests/e2e/startup_test.cpp); set, though empty, it is used as it is.
  qputenv("MARROWFEN_ROOT_USER_DIR", "");
  EXPECT_EQ(defaultRootUserDirectory(), "");
}

// Following a link to the program is shown end to end (tests/e2e/startup_test.cpp).
TEST(StartupEnvironment, ExecutablePathFallsBackToTheGivenName) {
  const QString root = testDirectory();
  EXPECT_EQ(executablePath("bin/program", "no-such-link"), root + "/bin/program");
  EXPECT_EQ(executablePath(nullptr, "no-such-link"), "");
  EXPECT_TRUE(QFileInfo(executablePath(nullptr)).isExecutable());
}

// The build tree keeps its data in targets/ beside bin/; an installation that
// follows the file-system hierarchy keeps it in share/quenport/.
TEST(StartupEnvironment, InstallationDirectoryOfEachLayout) {
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
    StartupEnvironment environment;
    findInstallDirectories(environment, root + "/" + layout.files.first(), 1);
    EXPECT_EQ(environment.installDirectory, root + "/" + layout.expected);
    EXPECT_EQ(environment.binDirectory, QFileInfo(root + "/" + layout.files.first()).path());
  }
}

// The frequencies file itself, created, kept and reported, is checked by the e2e start-up tests.
TEST(StartupEnvironment, PackagesDirectoryIgnoresUserMacros) {
  const QString root = testDirectory();
  GlobalMacros macros{{{"StudioUserDir", "/not-used"}}, {{"StudioUserDir", root + "/u"}}};
  setUpPackagesDirectory(macros, "$(StudioUserDir)/packages");
  EXPECT_EQ(macros.values.value("PackagesDir"), root + "/u/packages");
  EXPECT_EQ(macros.values.value("SamplesDir"), root + "/u/packages/samples");
}

// The directories it sets are shown by the end-to-end start-up tests.
TEST(StartupEnvironment, StartupRunsEveryStep) {
  const StartupEnvironment environment = buildStartupEnvironment(nullptr);
  EXPECT_EQ(environment.rootUserDirectory, testDirectory() + "/user");
  EXPECT_EQ(environment.macros.values.value("TargetsDir"),
            testDirectory() + "/user/Marrowfen for ARM/v4/packages/targets");
  EXPECT_TRUE(environment.macros.userMacros.isEmpty());  // the setting's default: none
  EXPECT_TRUE(QFileInfo(environment.macros.values.value("StudioDir")).isDir());
}

}  // namespace
