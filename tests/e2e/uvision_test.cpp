// uvision2hzp end to end: workspaces and project files built in the test's
// directory, converted by the binary, and the solution files compared.

#include <gtest/gtest.h>

#include "e2e/uvision_fixtures.h"
#include "support/test_support.h"

using namespace uvision_fixtures;
using testing_support::emptySolution;
using testing_support::expectSuccess;
using testing_support::expectedSolution;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

TEST(UVisionImport, ConvertsATargetWithItsSettingsGroupsAndFiles) {
  writeFile("ws/demo.uvmpw", workspace({"app.uvprojx"}));
  const Target target{.outputDirectory = ".\\Objects\\",
                      .define = " STM32F4,,\tDEBUG=1 ,",
                      .undefine = "NDEBUG",
                      .includePath = "..\\inc;.;;src\\",
                      .groups = group("Source", {{"main.c", ".\\src\\main.c"}, {"readme.txt", "readme.txt"}}) +
                                group("", {{"lost.c", "lost.c"}}) + group("Source", {{"b.c", "b.c"}})};
  writeFile("ws/app.uvprojx", project({target}));
  expectSuccess({"uvision2hzp", "-executable-template", "EXE", "-filter-file", "*.txt", "ws/demo.uvmpw"});
  EXPECT_EQ(readFile("ws/demo.hzp"), expectedSolution("uvision_target.hzp"));
}

// Older .uvproj files are the same XML as .uvprojx; the extension is not looked at.
// Workspace entries are lower-case "project" elements with a non-empty path.
TEST(UVisionImport, OneProjectPerTargetThatCreatesSomething) {
  writeFile("w.uvmpw", workspace({"sub/p.uvprojx", "lib.uvproj"}));
  const Target executable{.name = "Flash", .groups = group("G", {{"a.c", "a.c"}})};
  const Target skipped{.createExecutable = ""};
  const Target missing{.createExecutable = QByteArray()};
  writeFile("sub/p.uvprojx", project({executable, skipped, missing, {.name = "RAM", .groups = executable.groups}}));
  writeFile("lib.uvproj", project({{.createExecutable = "0"}}));
  expectSuccess({"uvision2hzp", "-executable-template", "E", "-library-template", "L", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_project_per_target.hzp"));

  // A workspace that names no project file gives its empty solution.
  writeFile("e.uvmpw", "<ProjectWorkspace><Project><PathAndName>p.uvprojx</PathAndName></Project>"
                       "<project><PathAndName></PathAndName></project><project/></ProjectWorkspace>");
  expectSuccess({"uvision2hzp", "e.uvmpw"});
  EXPECT_EQ(readFile("e.hzp"), emptySolution("e"));
}

// Project files whose targets all build nothing: each is named, and a
// workspace that gets no project from them is a failure that keeps the
// solution written before.
TEST(UVisionImport, AWorkspaceWhoseFilesGiveNoProjectIsAFailure) {
  writeFile("w.uvmpw", workspace({"a.uvprojx", "b.uvprojx"}));
  writeFile("a.uvprojx", project({{.createExecutable = QByteArray()}}));
  writeFile("b.uvprojx", project({{.name = "Sim", .createExecutable = QByteArray()}, {.createExecutable = QByteArray()}}));
  writeFile("w.hzp", emptySolution("previous"));
  const auto result = runQuenport({"uvision2hzp", "-executable-template", "E", "w.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError,
            "warning: a.uvprojx: no target sets CreateExecutable; the file gives no project\n"
            "warning: b.uvprojx: no target sets CreateExecutable; the file gives no project\n"
            "error: w.uvmpw: no project could be converted\n");
  EXPECT_EQ(readFile("w.hzp"), emptySolution("previous"));

  writeFile("w.uvmpw", workspace({"a.uvprojx", "c.uvprojx"}));
  writeFile("c.uvprojx", project({{}}));
  expectSuccess({"uvision2hzp", "-executable-template", "E", "w.uvmpw"},
                "warning: a.uvprojx: no target sets CreateExecutable; the file gives no project\n");
  EXPECT_EQ(readFile("w.hzp").count("<project "), 1);
}

// A project file that gives several projects names each after its target too
// (characters other than letters, digits, "-", "_" and "." become "_"; a name
// given twice is numbered), and a library links the project of the target that
// builds it (an output of its very name before one that contains it); a file
// that gives one project keeps the file's name.
TEST(UVisionImport, SeveralProjectsOfOneFileAreNamedAfterTheirTargets) {
  writeFile("w.uvmpw", workspace({"app\\app.uvprojx", "lib\\drivers.uvprojx"}));
  writeFile("app/app.uvprojx",
            project({{.name = "STM32F407 Discovery",
                      .groups = group("Libs", {{"drv.lib", "..\\lib\\drv.lib"},
                                               {"drv_debug.lib", "..\\lib\\drv_debug.lib"},
                                               {"sim.lib", "sim.lib"}})}}));
  writeFile("lib/drivers.uvprojx",
            project({{.name = "Debug (Lib)", .createExecutable = "0", .outputName = "drv_debug"},
                     {.name = "Sim", .createExecutable = "", .outputName = "sim"},
                     {.name = "Release/Lib", .createExecutable = "0", .outputName = "drv"},
                     {.name = "Release:Lib", .createExecutable = "0", .outputName = "drivers_Release_Lib"}}));
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_project_names.hzp"));
}

TEST(UVisionImport, LibrariesBecomeDependenciesOnTheProjectsThatBuildThem) {
  writeFile("w.uvmpw", workspace({"app.uvprojx", "mathlib.uvprojx"}));
  const Target app{.groups = group("Libs", {{"libm.a", ".\\lib\\libm.a"}, {"other.lib", "x\\other.lib"},
                                            {"m2.a", "libm.a"}, {"keep.c", "keep.c"}})};
  writeFile("app.uvprojx", project({app}));
  writeFile("mathlib.uvprojx", project({{.createExecutable = "0", .outputName = "libmath_libm"}}));
  // A library no project builds is reported: the solution cannot link it.
  expectSuccess({"uvision2hzp", "-filter-file", "*.a", "w.uvmpw"},
                "warning: app.uvprojx: not carried: library (built by no project of the workspace) x/other.lib "
                "(target T)\n");
  // An empty template name is written too; each library a project builds counts.
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_dependencies.hzp"));

  writeFile("lonely.uvmpw", workspace({"lonely.uvprojx"}));
  writeFile("lonely.uvprojx", project({{.groups = group("Libs", {{"x.lib", "x.lib"}})}}));
  expectSuccess({"uvision2hzp", "lonely.uvmpw"},
                "warning: lonely.uvprojx: not carried: library (built by no project of the workspace) x.lib (target T)\n");
  EXPECT_TRUE(readFile("lonely.hzp").contains("project_dependencies=\"\""));
}

// Every message about a file names it, as the user named the workspace, on one
// line whatever the file holds; solutions of earlier workspaces stay written.
TEST(UVisionImport, ErrorsNameTheirFileAndEndTheRun) {
  writeFile("w.uvmpw", workspace({"missing.uvprojx"}));
  writeFile("ws/n.uvmpw", workspace({".\\sub\\n.uvprojx"}));
  writeFile("ws/sub/n.uvprojx", "<Project><Targets><target/></Targets></Project>");
  writeFile("ws/big.uvmpw", workspace({"sub\\good.uvprojx", "sub\\bad.uvprojx"}));
  writeFile("ws/sub/good.uvprojx", project({Target{}}));
  writeFile("ws/sub/bad.uvprojx", "<Project>\n<Targets>\n");
  writeFile("inject.uvmpw", workspace({"x&#10;error: injected"}));
  // Two entries that match case-insensitively are no unique match: the path stays as written.
  writeFile("twice/w.uvmpw", workspace({"app\\p.uvprojx"}));
  writeFile("twice/App/p.uvprojx", project({Target{}}));
  writeFile("twice/APP/p.uvprojx", project({Target{}}));
  const QString cafe = QString::fromUtf8("d\xc3\xa9mo/caf\xc3\xa9");
  writeFile(cafe + ".uvmpw", workspace({}));
  const struct {
    QStringList inputs;
    QByteArray error;
    QString unwritten;
  } cases[] = {
      {{"w.uvmpw"}, "w.uvmpw: Cannot open missing.uvprojx for reading", "w.hzp"},
      {{"ws/n.uvmpw"}, "ws/sub/n.uvprojx: no target specified", "ws/n.hzp"},
      {{"ws/big.uvmpw"}, "ws/sub/bad.uvprojx: Premature end of document. line: 3 column: 0", "ws/big.hzp"},
      {{"nowhere/x.uvmpw"}, "Cannot open nowhere/x.uvmpw for reading", "nowhere"},
      {{"inject.uvmpw"}, "inject.uvmpw: Cannot open x\\nerror: injected for reading", "inject.hzp"},
      {{"twice/w.uvmpw"}, "twice/w.uvmpw: Cannot open twice/app/p.uvprojx for reading", "twice/w.hzp"},
      {{cafe + ".uvmpw", "bad.uvmpw"}, "Cannot open bad.uvmpw for reading", "bad.hzp"},
  };
  for (const auto& c : cases) {
    const auto result = runQuenport(QStringList{"uvision2hzp"} + c.inputs);
    EXPECT_EQ(result.exitCode, 1) << c.error.toStdString();
    EXPECT_EQ(result.standardError, "error: " + c.error + "\n");
    EXPECT_FALSE(fileExists(c.unwritten)) << c.error.toStdString();
  }
  EXPECT_EQ(readFile(cafe + ".hzp"), emptySolution("caf&#xc3;&#xa9;"));
}

// Issue forms 1 and 2: a workspace made on Windows names its projects with "\"
// and in a case that differs from the disk; the project files name their
// sources and include directories the same way.
TEST(UVisionImport, WindowsPathsAndNamesThatDifferInCaseResolveOnDisk) {
  writeFile("L5/Workspace.uvmpw", workspace({".\\Secure\\App_s.uvprojx", ".\\Nonsecure\\App_ns.uvprojx"}));
  const QByteArray sources = group("Application/User", {{"main.c", ".\\Src\\main.c"}, {"gone.c", ".\\Src\\gone.c"}});
  writeFile("L5/Secure/App_s.uvprojx", project({{.includePath = "..\\Secure_nsclib;.\\inc", .groups = sources}}));
  writeFile("L5/Secure/src/main.c", "");
  writeFile("L5/Secure/Inc/x.h", "");
  writeFile("L5/Secure_nsclib/secure_nsc.h", "");
  writeFile("L5/NonSecure/App_ns.uvprojx",
            project({{.groups = group("Drivers", {{"uart.c", "..\\Secure\\SRC\\MAIN.C"}})}}));
  expectSuccess({"uvision2hzp", "-executable-template", "E", "L5/Workspace.uvmpw"});
  EXPECT_EQ(readFile("L5/Workspace.hzp"), expectedSolution("uvision_windows_paths.hzp"));
}

// Issue forms 7 and 8: definitions as uVision separates them, empty include
// entries, output directories with "/", and the GNU tool set's own elements.
// The assembler's Define (__ASSEMBLER_ONLY) is not the compiler's.
TEST(UVisionImport, DefinitionsIncludesAndGnuToolsetSettingsAsUVisionWritesThem) {
  writeFile("w.uvmpw", workspace({"arm.uvprojx", "gnu.uvprojx"}));
  writeFile("arm.uvprojx", project({{.outputDirectory = ".\\Objects\\Release\\",
                                     .define = "STM32F10X_HD, USE_STDPERIPH_DRIVER",
                                     .undefine = "keil __MSP432P401R__",
                                     .includePath = "..\\inc;;..\\src"}}));
  writeFile("gnu.uvprojx", project({{.toolset = "ARM-GNU",
                                     .define = "STM32L552xx,USE_HAL_DRIVER  VERSION=\"1.0, beta\"",
                                     .includePath = ".\\Core\\Inc"}}));
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_definitions.hzp"));
}

// Generated projects (RT-Thread's spark board examples) write every file of a
// group in a <Files> element of its own: all of them are the group's.
TEST(UVisionImport, EveryFilesElementOfAGroupHoldsItsFiles) {
  writeFile("w.uvmpw", workspace({"project.uvprojx"}));
  const QByteArray kernel = generatedGroup("Kernel", {{"clock.c", "1", "..\\..\\rt-thread\\src\\clock.c"},
                                                      {"components.c", "1", "..\\..\\rt-thread\\src\\components.c"},
                                                      {"idle.c", "1", "..\\..\\rt-thread\\src\\idle.c"}});
  const QByteArray cpu = generatedGroup("CPU", {{"div0.c", "1", "..\\..\\rt-thread\\libcpu\\arm\\common\\div0.c"},
                                                {"context_rvds.S", "2",
                                                 "..\\..\\rt-thread\\libcpu\\arm\\cortex-m4\\context_rvds.S"}});
  writeFile("project.uvprojx", project({{.groups = kernel + cpu}}));
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_files_per_file.hzp"));
}

// A target leaves files and groups out of its build with IncludeInBuild 0; they
// stay listed. A file's own 1 builds it in a group left out, whose exclusion
// then goes to its other files; 2 takes the group's choice. A library of a
// group left out is not linked. The options of a group or file are its own in
// that target: compiler and assembler lists add to the target's, a value left to
// inherit (Optim 0, check boxes 2) is the target's.
TEST(UVisionImport, FilesAndGroupsATargetLeavesOutStayListedWithTheirOwnOptions) {
  writeFile("w.uvmpw", workspace({"p.uvprojx", "lib.uvprojx"}));
  const QByteArray ownCompiler = "<Optim>2</Optim><oTime>2</oTime><wLevel>0</wLevel><v6Lang>0</v6Lang>"
                                 "<VariousControls><MiscControls>-Wno-unused</MiscControls><Define>FILE_ONLY</Define>"
                                 "<Undefine></Undefine><IncludePath>..\\extra</IncludePath></VariousControls>";
  const QByteArray inherits = "<Optim>0</Optim><oTime>2</oTime><wLevel>0</wLevel><v6Lang>0</v6Lang><VariousControls>"
                              "<MiscControls></MiscControls><Define></Define><Undefine></Undefine><IncludePath>"
                              "</IncludePath></VariousControls>";
  const QByteArray ownAssembler = "<VariousControls><Define>ASM_FILE</Define></VariousControls>";
  const QByteArray groups =
      groupWithOptions("Drivers", itemOptions("Group", "0", "<Optim>0</Optim><VariousControls><Define>GROUP_ONLY"
                                                            "</Define></VariousControls>"),
                       file("a.c", "a.c") + file("b.c", "b.c", itemOptions("File", "1", inherits)) +
                           file("libx.lib", "libx.lib")) +
      groupWithOptions("Board", itemOptions("Group", "0", {}), file("board.c", "board.c", itemOptions("File", "2", {}))) +
      groupWithOptions("App", {},
                       file("c.c", "c.c", itemOptions("File", "0", inherits)) +
                           file("d.c", "d.c", itemOptions("File", "2", ownCompiler)) +
                           file("start.s", "start.s", itemOptions("File", "2", {}, ownAssembler)));
  QByteArray text = project({{.name = "Flash", .define = "TARGET", .groups = groups},
                             {.name = "RAM", .groups = groupWithOptions("App", {}, file("c.c", "c.c"))}});
  text.replace("<ToolsetName>ARM-ADS</ToolsetName>", "<ToolsetName>ARM-ADS</ToolsetName><uAC6>1</uAC6>");
  writeFile("p.uvprojx", text);
  writeFile("lib.uvprojx", project({{.createExecutable = "0", .outputName = "libx"}}));
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_exclusions.hzp"));
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
  writeFile("w.uvmpw", workspace({"p.uvprojx"}));
  writeFile("p.uvprojx", project({{.groups = groups}}));
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  const QByteArray solution = readFile("w.hzp");
  EXPECT_EQ(solution.count("<file "), depth);
  EXPECT_EQ(solution.count("<file file_name=\"f1999.c\" />"), 1);
}

// Folders are found by name in constant time: a target with tens of thousands of
// groups converts in a moment, not in minutes.
TEST(UVisionImport, FortyThousandGroupsConvertWithinABoundOfProcessorTime) {
  constexpr int groupCount = 40000;
  Target target;
  for (int i = 0; i < groupCount; ++i) {
    const QByteArray number = QByteArray::number(i);
    target.groups += group("Group " + number, {{"f" + number + ".c", ".\\src\\f" + number + ".c"}});
  }
  // A second group of an existing name adds to the first folder of that name.
  target.groups += group("Group 7", {{"again.c", ".\\src\\again.c"}});
  writeFile("many.uvprojx", project({target}));
  writeFile("many.uvmpw", workspace({"many.uvprojx"}));
  // Well under a second of processor time here; a scan of the siblings per group takes minutes.
  const auto result = testing_support::runProgram(
      "/bin/sh", {"-c", "ulimit -t 30; exec \"$0\" \"$@\"", QUENPORT_BINARY, "uvision2hzp", "many.uvmpw"});
  ASSERT_EQ(result.exitCode, 0) << result.standardError.toStdString();
  const QByteArray solution = readFile("many.hzp");
  EXPECT_EQ(solution.count("<folder Name=\"Group "), groupCount);
  EXPECT_TRUE(solution.contains("      <folder Name=\"Group 7\">\n"
                                "        <file file_name=\"./src/f7.c\" />\n"
                                "        <file file_name=\"./src/again.c\" />\n"
                                "      </folder>\n"));
}
