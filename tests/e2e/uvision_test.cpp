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

// As uVision writes a multi-project workspace.
QByteArray workspace(const QList<QByteArray>& projectPaths) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n"
      "<ProjectWorkspace xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"project_mpw.xsd\">\r\n\r\n  <SchemaVersion>1.0</SchemaVersion>\r\n\r\n"
      "  <Header>### uVision Project, (C) Keil Software</Header>\r\n\r\n  <WorkspaceName>WorkSpace</WorkspaceName>\r\n";
  for (const QByteArray& path : projectPaths)
    text += "\r\n  <project>\r\n    <PathAndName>" + path + "</PathAndName>\r\n  </project>\r\n";
  return text + "\r\n</ProjectWorkspace>\r\n";
}

struct Target {
  QByteArray toolset = "ARM-ADS";  // "ARM-GNU" keeps the compiler settings under TargetArm/Carm
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

// The compiler's VariousControls as the tool set keeps them; the assembler's
// come after them with a Define of their own, which is not the compiler's.
QByteArray compilerSettings(const Target& t) {
  const QByteArray controls = "<VariousControls><MiscControls></MiscControls><Define>" + t.define + "</Define><Undefine>" +
                              t.undefine + "</Undefine><IncludePath>" + t.includePath + "</IncludePath></VariousControls>";
  const QByteArray assembler = "<VariousControls><Define>__ASSEMBLER_ONLY</Define></VariousControls>";
  if (t.toolset == "ARM-GNU")
    return "<TargetArm><ArmMisc><asLst>0</asLst></ArmMisc><Carm><arpcs>1</arpcs>" + controls + "</Carm><Aarm>" + assembler +
           "</Aarm><LDarm><umfTarg>1</umfTarg></LDarm></TargetArm>";
  return "<TargetArmAds><Cads><interw>1</interw>" + controls + "</Cads><Aads>" + assembler + "</Aads></TargetArmAds>";
}

// As uVision writes a project file.
QByteArray project(const QList<Target>& targets) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n<Project xmlns:xsi=\"http://www.w3.org/2001/"
      "XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"project_projx.xsd\">\r\n<SchemaVersion>2.1</SchemaVersion>"
      "\r\n<Targets>\r\n";
  for (const Target& t : targets) {
    text += "<Target><TargetName>T</TargetName><ToolsetNumber>0x4</ToolsetNumber><ToolsetName>" + t.toolset +
            "</ToolsetName><TargetOption><TargetCommonOption>";
    if (!t.createExecutable.isNull()) text += "<CreateExecutable>" + t.createExecutable + "</CreateExecutable>";
    text += "<OutputDirectory>" + t.outputDirectory + "</OutputDirectory><OutputName>" + t.outputName +
            "</OutputName></TargetCommonOption>" + compilerSettings(t) + "</TargetOption><Groups>" + t.groups +
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
                "      build_output_directory=\"./Objects/\"\n"
                "      c_preprocessor_definitions=\"STM32F4;DEBUG=1\"\n"
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

// Every message about a file names it, as the user named the workspace.
TEST(UVisionImport, ReportsUnreadableAndTargetlessProjectsByTheirPaths) {
  writeFile("w.uvmpw", workspace({"missing.uvprojx"}));
  auto result = runQuenport({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: w.uvmpw: Cannot open missing.uvprojx for reading\n");
  EXPECT_FALSE(fileExists("w.hzp"));

  writeFile("ws/n.uvmpw", workspace({".\\sub\\n.uvprojx"}));
  writeFile("ws/sub/n.uvprojx", "<Project><Targets><target/></Targets></Project>");
  result = runQuenport({"uvision2hzp", "ws/n.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: ws/sub/n.uvprojx: no target specified\n");
  EXPECT_FALSE(fileExists("ws/n.hzp"));

  // One project of many is malformed: the message says which.
  writeFile("ws/big.uvmpw", workspace({"sub\\good.uvprojx", "sub\\bad.uvprojx"}));
  writeFile("ws/sub/good.uvprojx", project({Target{}}));
  writeFile("ws/sub/bad.uvprojx", "<Project>\n<Targets>\n");
  result = runQuenport({"uvision2hzp", "ws/big.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: ws/sub/bad.uvprojx: Premature end of document. line: 3 column: 0\n");

  result = runQuenport({"uvision2hzp", "nowhere/x.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, "error: Cannot open nowhere/x.uvmpw for reading\n");
  EXPECT_FALSE(fileExists("nowhere/x.hzp"));
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

// Issue forms 1 and 2: a workspace made on Windows names its projects with "\"
// and in a case that differs from the disk; the project files name their
// sources and include directories the same way.
TEST(UVisionImport, WindowsPathsAndNamesThatDifferInCaseResolveOnDisk) {
  writeFile("L5/Workspace.uvmpw", workspace({".\\Secure\\App_s.uvprojx", ".\\Nonsecure\\App_ns.uvprojx"}));
  Target secure;
  secure.includePath = "..\\Secure_nsclib;.\\inc";
  secure.groups = group("Application/User", {{"main.c", ".\\Src\\main.c"}, {"gone.c", ".\\Src\\gone.c"}});
  writeFile("L5/Secure/App_s.uvprojx", project({secure}));
  writeFile("L5/Secure/src/main.c", "");
  writeFile("L5/Secure/Inc/x.h", "");
  writeFile("L5/Secure_nsclib/secure_nsc.h", "");
  Target nonsecure;
  nonsecure.groups = group("Drivers", {{"uart.c", "..\\Secure\\SRC\\MAIN.C"}});
  writeFile("L5/NonSecure/App_ns.uvprojx", project({nonsecure}));
  const auto result = runQuenport({"uvision2hzp", "-executable-template", "E", "L5/Workspace.uvmpw"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(readFile("L5/Workspace.hzp"),
            QByteArray(header) +
                "<solution Name=\"Workspace\" target=\"8\" version=\"2\">\n"
                "  <project Name=\"App_s\" template_name=\"E\">\n"
                "    <configuration Name=\"Common\" project_directory=\"Secure\" project_type=\"\" />\n"
                "    <configuration\n"
                "      Name=\"Debug\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/../Secure_nsclib;$(ProjectDir)/./Inc\" />\n"
                "    <configuration\n"
                "      Name=\"Release\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/../Secure_nsclib;$(ProjectDir)/./Inc\" />\n"
                "    <folder Name=\"Source Files\">\n"
                "      <folder Name=\"Application/User\">\n"
                "        <file file_name=\"./src/main.c\" />\n"
                "        <file file_name=\"./src/gone.c\" />\n"
                "      </folder>\n"
                "    </folder>\n"
                "  </project>\n"
                "  <project Name=\"App_ns\" template_name=\"E\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      project_directory=\"NonSecure\"\n"
                "      project_type=\"\" />\n"
                "    <folder Name=\"Source Files\">\n"
                "      <folder Name=\"Drivers\">\n"
                "        <file file_name=\"../Secure/src/main.c\" />\n"
                "      </folder>\n"
                "    </folder>\n"
                "  </project>\n"
                "</solution>\n");

  // Two entries that match case-insensitively are no unique match: the path stays as written.
  writeFile("twice/w.uvmpw", workspace({"app\\p.uvprojx"}));
  writeFile("twice/App/p.uvprojx", project({Target{}}));
  writeFile("twice/APP/p.uvprojx", project({Target{}}));
  EXPECT_EQ(runQuenport({"uvision2hzp", "twice/w.uvmpw"}).standardError,
            "error: twice/w.uvmpw: Cannot open twice/app/p.uvprojx for reading\n");
}

// Issue forms 7 and 8: definitions as uVision separates them, empty include
// entries, output directories with "/", and the GNU tool set's own elements.
TEST(UVisionImport, DefinitionsIncludesAndGnuToolsetSettingsAsUVisionWritesThem) {
  writeFile("w.uvmpw", workspace({"arm.uvprojx", "gnu.uvprojx"}));
  Target arm;
  arm.define = "STM32F10X_HD, USE_STDPERIPH_DRIVER";
  arm.undefine = "keil __MSP432P401R__";
  arm.includePath = "..\\inc;;..\\src";
  arm.outputDirectory = ".\\Objects\\Release\\";
  writeFile("arm.uvprojx", project({arm}));
  Target gnu;
  gnu.toolset = "ARM-GNU";
  gnu.define = "STM32L552xx,USE_HAL_DRIVER  VERSION=\"1.0, beta\"";
  gnu.includePath = ".\\Core\\Inc";
  writeFile("gnu.uvprojx", project({gnu}));
  ASSERT_EQ(runQuenport({"uvision2hzp", "w.uvmpw"}).exitCode, 0);
  // The assembler's Define (__ASSEMBLER_ONLY) is not the compiler's.
  EXPECT_EQ(readFile("w.hzp"),
            QByteArray(header) +
                "<solution Name=\"w\" target=\"8\" version=\"2\">\n"
                "  <project Name=\"arm\" template_name=\"\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      build_output_directory=\"./Objects/Release/\"\n"
                "      c_preprocessor_definitions=\"STM32F10X_HD;USE_STDPERIPH_DRIVER\"\n"
                "      c_preprocessor_undefinitions=\"keil;__MSP432P401R__\"\n"
                "      project_directory=\"\"\n"
                "      project_type=\"\" />\n"
                "    <configuration\n"
                "      Name=\"Debug\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/../inc;$(ProjectDir)/../src\" />\n"
                "    <configuration\n"
                "      Name=\"Release\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/../inc;$(ProjectDir)/../src\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "  <project Name=\"gnu\" template_name=\"\">\n"
                "    <configuration\n"
                "      Name=\"Common\"\n"
                "      c_preprocessor_definitions=\"STM32L552xx;USE_HAL_DRIVER;VERSION=&quot;1.0, beta&quot;\"\n"
                "      project_directory=\"\"\n"
                "      project_type=\"\" />\n"
                "    <configuration\n"
                "      Name=\"Debug\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/./Core/Inc\" />\n"
                "    <configuration\n"
                "      Name=\"Release\"\n"
                "      c_user_include_directories=\"$(ProjectDir)/./Core/Inc\" />\n"
                "    <folder Name=\"Source Files\" />\n"
                "  </project>\n"
                "</solution>\n");
}

// Groups nested inside each other (which uVision never writes) count each file
// once: the output stays proportional to the input.
TEST(UVisionImport, NestedGroupsCountEachFileOnce) {
  QByteArray groups;
  const int depth = 2000;
  for (int level = 0; level < depth; ++level)
    groups += "<Group><GroupName>G</GroupName><Files><File><FileName>f.c</FileName><FilePath>f" +
              QByteArray::number(level) + ".c</FilePath></File></Files>";
  for (int level = 0; level < depth; ++level) groups += "</Group>";
  Target nested;
  nested.groups = groups;
  writeFile("w.uvmpw", workspace({"p.uvprojx"}));
  writeFile("p.uvprojx", project({nested}));
  ASSERT_EQ(runQuenport({"uvision2hzp", "w.uvmpw"}).exitCode, 0);
  const QByteArray solution = readFile("w.hzp");
  EXPECT_EQ(solution.count("<file "), depth);
  EXPECT_EQ(solution.count("<file file_name=\"f1999.c\" />"), 1);
}
