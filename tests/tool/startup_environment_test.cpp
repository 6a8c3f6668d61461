#include "tool/startup_environment.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "helpers/test_support.h"
#include "support/diagnostics.h"

using testing_support::testDirectory;

namespace {

// test_main gives every test fresh HOME and MARROWFEN_ROOT_USER_DIR values; each
// test builds the environment it looks at.
TEST(StartupEnvironment, GlobalMacroValues) {
  StartupEnvironment environment;
  environment.installDirectory = "/opt/./q//x/../inst/";
  environment.rootUserDirectory = defaultRootUserDirectory(homeDirectory());
  defineHostMacros(environment.macros);
  defineStudioMacros(environment);
  const MacroTable& values = environment.macros.values;
  EXPECT_EQ(values.value("Date", "missing"), "");
  EXPECT_EQ(values.value("Platform") + " " + values.value("ProductName"), "arm Marrowfen for ARM");
  EXPECT_EQ(values.value("StudioDir"), "/opt/q/inst");
  EXPECT_EQ(values.value("StudioUserDir"), testDirectory() + "/user/Marrowfen for ARM/v4");
  EXPECT_EQ(values.value("DesktopDir"), testDirectory() + "/home/Desktop");
}

// An empty variable counts as unset: the user data directory never falls to "/"
// (which as root made "/Marrowfen for ARM" or "/.halbrook_tessaly_limited").
TEST(StartupEnvironment, RootUserDirectoryRules) {
  const QString root = testDirectory();
  qputenv("MARROWFEN_ROOT_USER_DIR", QFile::encodeName(root + "/r d"));
  EXPECT_EQ(userDataDirectory(defaultRootUserDirectory(root + "/h")), root + "/r d/Marrowfen for ARM/v4");
  qputenv("MARROWFEN_ROOT_USER_DIR", "");
  EXPECT_EQ(defaultRootUserDirectory(root + "/my home"), root + "/my_home/.halbrook_tessaly_limited");
  EXPECT_EQ(defaultRootUserDirectory(""), "");
  const passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  for (const bool set : {false, true}) {
    if (set)
      qputenv("HOME", "");
    else
      qunsetenv("HOME");
    EXPECT_EQ(homeDirectory(), QString::fromLocal8Bit(entry->pw_dir)) << (set ? "empty HOME" : "HOME unset");
  }
}

// Without any home, start-up makes nothing: not below "/", and no conversion fails.
TEST(StartupEnvironment, WithoutAHomeNoDirectoryIsMade) {
  qputenv("MARROWFEN_ROOT_USER_DIR", "");
  StartupEnvironment environment;
  environment.rootUserDirectory = defaultRootUserDirectory("");
  defineHostMacros(environment.macros);
  defineStudioMacros(environment);
  definePackagesMacros(environment.macros, environment.settings.packagesDirectory);
  ASSERT_EQ(environment.macros.values.value("TargetsDir"), "/Marrowfen for ARM/v4/packages/targets");
  Diagnostics diagnostics;
  createUserDataDirectory(environment, diagnostics);
  EXPECT_EQ(diagnostics.pendingWarnings(),
            QStringList("no home directory (HOME unset or empty, none in the password database): the "
                        "user data directory is not created"));
  EXPECT_FALSE(QFileInfo::exists("/Marrowfen for ARM"));
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
  definePackagesMacros(macros, "$(StudioUserDir)/packages");
  EXPECT_EQ(macros.values.value("PackagesDir"), root + "/u/packages");
  EXPECT_EQ(macros.values.value("SamplesDir"), root + "/u/packages/samples");
}

}  // namespace
