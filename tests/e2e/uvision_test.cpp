// uvision2hzp end to end: workspaces and project files built in the test's
// directory, converted by the binary, and the solution files compared.

#include <gtest/gtest.h>

#include <QDir>

#include "support/test_support.h"

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

namespace {

QByteArray workspace(const QList<QByteArray>& projectPaths) {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n<ProjectWorkspace>\n";
  for (const QByteArray& path : projectPaths) text += "  <project>\n    <PathAndName>" + path + "</PathAndName>\n  </project>\n";
  return text + "</ProjectWorkspace>\n";
}

struct Target {
  QByteArray createExecutable = "1";
  QByteArray outputName;
  QByteArray outputDirectory;
  QByteArray define;
  QByteArray undefine;
  QByteArray includePath;
  QByteArray groups;  // <Group> elements
};

QByteArray group(const QByteArray& name, const QList<std::pair<QByteArray, QByteArray>>& files) {
  QByteArray text = "<Group><GroupName>" + name + "</GroupName><Files>";
  for (const auto& [fileName, filePath] : files)
    text += "<File><FileName>" + fileName + "</FileName><FileType>1</FileType><FilePath>" + filePath + "</FilePath></File>";
  return text + "</Files></Group>";
}

QByteArray project(const QList<Target>& targets) {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n<Project>\r\n<Targets>\r\n";
  for (const Target& t : targets) {
    text += "<Target><TargetName>T</TargetName><TargetOption><TargetCommonOption>";
    if (!t.createExecutable.isNull()) text += "<CreateExecutable>" + t.createExecutable + "</CreateExecutable>";
    text += "<OutputDirectory>" + t.outputDirectory + "</OutputDirectory><OutputName>" + t.outputName +
            "</OutputName></TargetCommonOption><TargetArmAds><Cads><VariousControls><Define>" + t.define +
            "</Define><Undefine>" + t.undefine + "</Undefine><IncludePath>" + t.includePath +
            "</IncludePath></VariousControls></Cads></TargetArmAds></TargetOption><Groups>" + t.groups +
            "</Groups></Target>\r\n";
  }
  return text + "</Targets>\r\n</Project>\r\n";
}

const char header[] = "<!DOCTYPE Orbelin_Project_File>\n";

}  // namespace

TEST(UVisionImport, ConvertsATargetWithItsSettingsGroupsAndFiles) {
  writeFile("ws/demo.uvmpw", workspace({"app.uvprojx"}));
  Target target;
  target.define = "STM32F4,DEBUG=1";
  target.undefine = "NDEBUG";
  target.includePath = "..\\inc;.;;src\\";
  target.outputDirectory = ".\\Objects\\";
  target.groups = group("Source", {{"main.c", ".\\src\\main.c"}, {"readme.txt", "readme.txt"}}) +
                  group("", {{"lost.c", "lost.c"}}) + group("Source", {{"b.c", "b.c"}});
  writeFile("ws/app.uvprojx", project({target}));
  const auto result = runQuenport({"uvision2hzp", "-executable-template", "EXE", "-filter-file", "*.txt", "ws/demo.uvmpw"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(readFile("ws/demo.hzp"),
            QByteArray(header) +
                "<solution Name=\"demo\" target=\"8\" version=\"2\">\n"
                "  <project Name=\"app\" template_name=\"EXE\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      build_output_directory=\".\\Objects\\\"\n"
                "      c_preprocessor_definitions=\"STM32F4,DEBUG=1\"\n"
                "      c_preprocessor_undefinitions=\"NDEBUG\"\n"
                "      project_directory=\"\"\n"
                "      project_type=\"\" />\n"
                "    <configuration\n"
                "      Name=\"Debug\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/../inc;$(ProjectDir);$(ProjectDir)/src\" />\n"
                "    <configuration\n"
                "      Name=\"Release\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/../inc;$(ProjectDir);$(ProjectDir)/src\" />\n"
                "    <folder Name=\"Source Files\">\n"
                "      <folder Name=\"Source\">\n"
                "        <file file_name=\"./src/main.c\" />\n"
                "        <file file_name=\"b.c\" />\n"
                "      </folder>\n"
                "    </folder>\n"
                "  </project>\n"
                "</solution>\n");
}

// Older .uvproj files are the same XML as .uvprojx; the extension is not looked at.
TEST(UVisionImport, OneProjectPerTargetThatCreatesSomething) {
  writeFile("w.uvmpw", workspace({"sub/p.uvprojx", "lib.uvproj"}));
  Target executable;
  executable.groups = group("G", {{"a.c", "a.c"}});
  Target skipped;
  skipped.createExecutable = "";
  Target missing;
  missing.createExecutable = QByteArray();
  writeFile("sub/p.uvprojx", project({executable, skipped, missing, executable}));
  Target library;
  library.createExecutable = "0";
  writeFile("lib.uvproj", project({library}));
  const auto result = runQuenport({"uvision2hzp", "-executable-template", "E", "-library-template", "L", "w.uvmpw"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  const QByteArray solution = readFile("w.hzp");
  EXPECT_EQ(solution.count("<project Name=\"p\" template_name=\"E\">"), 2);
  EXPECT_EQ(solution.count("<project Name=\"lib\" template_name=\"L\">"), 1);
  EXPECT_EQ(solution.count("project_directory=\"sub\""), 2);
  EXPECT_EQ(solution.count("<file file_name=\"a.c\" />"), 2);
}

TEST(UVisionImport, LibrariesBecomeDependenciesOnTheProjectsThatBuildThem) {
  writeFile("w.uvmpw", workspace({"app.uvprojx", "mathlib.uvprojx"}));
  Target app;
  app.groups = group("Libs", {{"libm.a", ".\\lib\\libm.a"}, {"other.lib", "x\\other.lib"}, {"m2.a", "libm.a"},
                              {"keep.c", "keep.c"}});
  writeFile("app.uvprojx", project({app}));
  Target math;
  math.createExecutable = "0";
  math.outputName = "libmath_libm";
  writeFile("mathlib.uvprojx", project({math}));
  ASSERT_EQ(runQuenport({"uvision2hzp", "-filter-file", "*.a", "w.uvmpw"}).exitCode, 0);
  const QByteArray solution = readFile("w.hzp");
  EXPECT_TRUE(solution.contains("<project Name=\"app\" template_name=\"\">"));  // written also when empty
  EXPECT_TRUE(solution.contains("project_dependencies=\"mathlib;mathlib\"")) << solution.toStdString();
  EXPECT_FALSE(solution.contains("libm.a"));
  EXPECT_TRUE(solution.contains("<file file_name=\"keep.c\" />"));

  Target lonely;
  lonely.groups = group("Libs", {{"x.lib", "x.lib"}});
  writeFile("lonely.uvmpw", workspace({"lonely.uvprojx"}));
  writeFile("lonely.uvprojx", project({lonely}));
  ASSERT_EQ(runQuenport({"uvision2hzp", "lonely.uvmpw"}).exitCode, 0);
  EXPECT_TRUE(readFile("lonely.hzp").contains("project_dependencies=\"\""));
}

TEST(UVisionImport, WorkspaceEntriesAreLowerCaseProjectElementsWithAPath) {
  writeFile("w.uvmpw",
            "<ProjectWorkspace><Project><PathAndName>p.uvprojx</PathAndName></Project>"
            "<project><PathAndName></PathAndName></project><project/></ProjectWorkspace>");
  ASSERT_EQ(runQuenport({"uvision2hzp", "w.uvmpw"}).exitCode, 0);
  EXPECT_EQ(readFile("w.hzp"), QByteArray(header) + "<solution Name=\"w\" target=\"8\" version=\"2\" />\n");
}

TEST(UVisionImport, ReportsUnreadableAndTargetlessProjects) {
  writeFile("w.uvmpw", workspace({"missing.uvprojx"}));
  auto result = runQuenport({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: Cannot open missing.uvprojx for reading\n");
  EXPECT_FALSE(fileExists("w.hzp"));

  writeFile("b.uvmpw", workspace({"sub\\p.uvprojx"}));
  writeFile("sub/p.uvprojx", project({Target{}}));
  result = runQuenport({"uvision2hzp", "b.uvmpw"});
  EXPECT_EQ(result.standardError, "error: Cannot open sub\\p.uvprojx for reading\n");

  writeFile("n.uvmpw", workspace({"n.uvprojx"}));
  writeFile("n.uvprojx", "<Project><Targets><target/></Targets></Project>");
  result = runQuenport({"uvision2hzp", "n.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: no target specified\n");
  EXPECT_FALSE(fileExists("n.hzp"));
}

TEST(UVisionImport, EarlierWorkspacesStayWrittenAndNonAsciiPathsWork) {
  writeFile(QString::fromUtf8("d\xc3\xa9mo/caf\xc3\xa9.uvmpw"), workspace({}));
  const auto result = runQuenport({"uvision2hzp", QString::fromUtf8("d\xc3\xa9mo/caf\xc3\xa9.uvmpw"), "bad.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: Cannot open bad.uvmpw for reading\n");
  EXPECT_FALSE(fileExists("bad.hzp"));
  EXPECT_EQ(readFile(QString::fromUtf8("d\xc3\xa9mo/caf\xc3\xa9.hzp")),
            QByteArray(header) + "<solution Name=\"caf&#xc3;&#xa9;\" target=\"8\" version=\"2\" />\n");
}
