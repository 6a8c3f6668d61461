#include "tool/startup_environment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <optional>

#include "importers/hexception.h"
#include "projectsystem/macro_expander.h"
#include "properties/property_class_list.h"
#include "support/test_support.h"
#include "tool/elf_dwarf_files.h"
#include "tool/environment_settings.h"

using testing_support::readFile;
using testing_support::testDirectory;
using testing_support::writeFile;

namespace {

// Restores the global macros, the root user directory and both environment
// variables after each test.
class StartupEnvironmentTest : public testing::Test {
 protected:
  void SetUp() override {
    values_ = globalMacros().values;
    userMacros_ = globalMacros().userMacros;
    for (const char* name : {"HOME", "MARROWFEN_ROOT_USER_DIR"})
      environment_.push_back({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
    setRootUserDirectory(QString());
  }
  void TearDown() override {
    globalMacros().values = values_;
    globalMacros().userMacros = userMacros_;
    for (const auto& [name, value] : environment_) value ? qputenv(name, *value) : qunsetenv(name);
    setRootUserDirectory(QString());
  }

  static QStringList namesDeclaredBy(const std::function<void()>& definitions) {
    const qsizetype before = globalMacros().declarations().size();
    definitions();
    QStringList names;
    for (const PropertyClass* declaration : globalMacros().declarations().mid(before)) {
      EXPECT_FALSE(declaration->description.isEmpty()) << declaration->name.toStdString();
      names.append(declaration->name);
    }
    return names;
  }

 private:
  QMap<QString, QString> values_;
  QMap<QString, QString> userMacros_;
  std::vector<std::pair<const char*, std::optional<QByteArray>>> environment_;
};

TEST_F(StartupEnvironmentTest, GlobalMacroGroupsValuesAndOrder) {
  const QStringList host = namesDeclaredBy(defineHostMacros);
  EXPECT_EQ(host, QString("Date DateYear DateMonth DateDay Time TimeHour TimeMinute TimeSecond HostArch HostOS Micro "
                          "TargetID HostEXE HostDLLExt HostDLL").split(' '));
  const QStringList studio = namesDeclaredBy([] { defineStudioMacros("/opt/./q//x/../inst/"); });
  EXPECT_EQ(studio, QString("StudioMajorVersion StudioMinorVersion StudioRevision StudioName StudioNameShort Platform "
                            "ProductNameShort StudioDir StudioUserDir HomeDir DesktopDir DocumentsDir StudioExeName "
                            "StudioBuildToolExeName StudioBuildToolName StudioScriptToolExeName StudioScriptToolName "
                            "StudioArchiveFileExt StudioPackageFileExt StudioProjectFileExt StudioSessionFileExt")
                        .split(' '));
  const QMap<QString, QString>& values = globalMacros().values;
  const QString home = testDirectory() + "/home";
  EXPECT_EQ(values.value("Date", "missing"), "");
  EXPECT_EQ(values.value("HostDLL"), ".so_x64");
  EXPECT_EQ(values.value("Platform"), "arm");
  EXPECT_EQ(values.value("ProductName"), "Marrowfen for ARM");
  EXPECT_EQ(values.value("StudioMajorVersion") + values.value("StudioMinorVersion"), "41");
  EXPECT_EQ(values.value("StudioDir"), "/opt/q/inst");
  EXPECT_EQ(values.value("StudioUserDir"), testDirectory() + "/user/Marrowfen for ARM/v4");
  EXPECT_EQ(values.value("DocumentsDir"), home + "/Documents");
  EXPECT_EQ(values.value("DesktopDir"), home + "/Desktop");
}

TEST_F(StartupEnvironmentTest, RootUserDirectoryRules) {
  qputenv("MARROWFEN_ROOT_USER_DIR", QFile::encodeName(testDirectory() + "/r d"));
  EXPECT_EQ(rootUserDirectory(), testDirectory() + "/r d");
  EXPECT_EQ(userDataDirectory(), testDirectory() + "/r d/Marrowfen for ARM/v4");
  qunsetenv("MARROWFEN_ROOT_USER_DIR");
  EXPECT_EQ(rootUserDirectory(), testDirectory() + "/r d");  // computed once
  setRootUserDirectory("/chosen");
  EXPECT_EQ(userDataDirectory(), "/chosen/Marrowfen for ARM/v4");

  setRootUserDirectory(QString());
  qputenv("HOME", "/tmp x/h");  // only read, nothing is created there
  EXPECT_EQ(rootUserDirectory(), "/tmp_x/h/.halbrook_tessaly_limited");
  EXPECT_EQ(userDataDirectory(), "/tmp_x/h/.halbrook_tessaly_limited/Marrowfen for ARM/v4");
  setRootUserDirectory(QString());
  qputenv("MARROWFEN_ROOT_USER_DIR", "");  // empty counts as unset
  EXPECT_EQ(rootUserDirectory(), "/tmp_x/h/.halbrook_tessaly_limited");
}

TEST_F(StartupEnvironmentTest, SettingsFileTypesAndUserMacros) {
  ARMOrbelinEnvironmentSettings settings;
  settings.registerSettings();
  const QString user = testDirectory() + "/user";
  EXPECT_EQ(settings.settingsFiles(), QStringList({user + "/settings.xml", user + "/Marrowfen for ARM/v4/settings.xml"}));
  EXPECT_FALSE(settings.autosave());
  EXPECT_EQ(settings.value(packagesDirectorySetting).toString(), "$(StudioUserDir)/packages");
  EXPECT_EQ(settings.value(globalMacrosSetting).toStringList(), QStringList());

  const ARMElfDwarfFiles files;
  ASSERT_NE(files.factory("elf"), nullptr);
  EXPECT_EQ(files.factory("elf")->patterns(), "*.elf *.exe *.axf");
  EXPECT_EQ(files.factory("elf")->label(), "Elf");

  const QMap<QString, QString> expected{{"A", "2"}, {"B", "x=y"}, {"C", ""}};
  EXPECT_EQ(macroDefinitions({"A=1", "B=x=y", "A=2", "C"}), expected);
}

TEST_F(StartupEnvironmentTest, InstallDirectoriesFollowSymbolicLinks) {
  const QString root = testDirectory();
  writeFile("real/bin/program", "");
  QDir().mkpath("link/bin");
  ASSERT_TRUE(QFile::link(root + "/real/bin/program", root + "/link/bin/program"));
  setInstallDirectories(root + "/link/bin/program", 1);
  EXPECT_EQ(binDirectory(), root + "/real/bin");
  EXPECT_EQ(installDirectory(), root + "/real");

  EXPECT_EQ(executablePath("bin/program", "no-such-link"), root + "/bin/program");
  EXPECT_EQ(executablePath(nullptr, "no-such-link"), "");
  EXPECT_TRUE(QFileInfo(executablePath(nullptr)).isExecutable());
}

TEST_F(StartupEnvironmentTest, PackagesDirectoryAndFrequenciesFile) {
  const QString root = testDirectory();
  globalMacros().values.insert("StudioUserDir", root + "/u");
  globalMacros().userMacros.insert("StudioUserDir", "/not-used");
  setUpPackagesDirectory("$(StudioUserDir)/packages");
  EXPECT_EQ(globalMacros().values.value("PackagesDir"), root + "/u/packages");
  EXPECT_EQ(globalMacros().values.value("SamplesDir"), root + "/u/packages/samples");
  const QString frequencies = root + "/u/packages/targets/frequencies.xml";
  EXPECT_EQ(readFile(frequencies),
            "<envelope>\n  <include filename=\"$(StudioDir)/targets/frequencies.xml\" />\n</envelope>\n");

  writeFile(frequencies, "edited");
  setUpPackagesDirectory("$(StudioUserDir)/packages");
  EXPECT_EQ(readFile(frequencies), "edited");

  writeFile("blocked/targets", "a file, not a directory");
  try {
    setUpPackagesDirectory(root + "/blocked");
    ADD_FAILURE() << "no exception";
  } catch (const HException& exception) {
    EXPECT_EQ(exception.message(), ("cannot create " + root + "/blocked/targets/frequencies.xml").toStdString());
  }
}

TEST_F(StartupEnvironmentTest, StartupRunsEveryStep) {
  setUpStartupEnvironment(nullptr);
  ASSERT_NE(environmentSettings(), nullptr);
  ASSERT_NE(elfDwarfFiles(), nullptr);
  EXPECT_EQ(globalMacros().values.value("StudioDir"), installDirectory());
  EXPECT_EQ(installDirectory(), QFileInfo(QFileInfo(executablePath(nullptr)).canonicalPath()).canonicalPath());
  EXPECT_TRUE(QFileInfo::exists(testDirectory() + "/user/Marrowfen for ARM/v4/packages/targets/frequencies.xml"));
  EXPECT_TRUE(globalMacros().userMacros.isEmpty());
}

}  // namespace
