// uvision2hzp end to end: workspaces and project files (tests/e2e/fixtures/uvision)
// copied into the test's directory, converted by the binary, and the solution
// files compared.

#include <gtest/gtest.h>

#include "e2e/uvision_fixtures.h"
#include "helpers/test_support.h"

using namespace uvision_fixtures;
using testing_support::emptySolution;
using testing_support::expectedSolution;
using testing_support::expectSuccess;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::runQuenport;
using testing_support::writeFile;

// Definitions separated by commas, blanks and tabs, include entries empty or
// ".", a group without a name (left out), two groups of one name (one folder)
// and a file the filter leaves out.
TEST(UVisionImport, ConvertsATargetWithItsSettingsGroupsAndFiles) {
  copyFixture("target", "ws");
  expectSuccess({"uvision2hzp", "-executable-template", "EXE", "-filter-file", "*.txt", "ws/demo.uvmpw"});
  EXPECT_EQ(readFile("ws/demo.hzp"), expectedSolution("uvision_target.hzp"));
}

// Older .uvproj files are the same XML as .uvprojx; the extension is not looked at.
// Workspace entries are lower-case "project" elements with a non-empty path.
// A target that sets neither CreateExecutable nor CreateLib (uVision 5.38
// writes neither) is an executable.
TEST(UVisionImport, OneProjectPerTargetThatCreatesSomething) {
  copyFixture("project_per_target");
  expectSuccess({"uvision2hzp", "-executable-template", "E", "-library-template", "L", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_project_per_target.hzp"));

  // A workspace that names no project file gives its empty solution.
  expectSuccess({"uvision2hzp", "e.uvmpw"});
  EXPECT_EQ(readFile("e.hzp"), emptySolution("e"));
}

// TI's MSPM0 examples (uVision 5.38) set neither CreateExecutable nor CreateLib.
TEST(UVisionImport, ATargetThatSetsNeitherCreateExecutableNorCreateLibIsAnExecutable) {
  copyFixture("mspm0_keil");
  writeFile("w.uvmpw", workspace({".\\empty_mspm0c1103_nortos_keil.uvprojx"}));
  const QByteArray notCarried = "warning: empty_mspm0c1103_nortos_keil.uvprojx: not carried: ";
  expectSuccess({"uvision2hzp", "-executable-template", "E", "w.uvmpw"},
                notCarried + "warning level MISRA compatible (target empty_mspm0c1103)\n" + notCarried +
                    "output format hex (target empty_mspm0c1103)\n" + notCarried +
                    "scatter file ./mspm0c1103.sct (target empty_mspm0c1103)\n" + notCarried +
                    "library (built by no project of the workspace) "
                    "../../../../../../source/ti/driverlib/lib/keil/m0p/mspm0c110x/driverlib.a (target "
                    "empty_mspm0c1103)\n");
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_mspm0_keil.hzp"));
}

// Project files that give no project (a target with an empty CreateExecutable
// beside CreateLib builds nothing), that do not parse or are missing: each is
// named, with its line, and the others convert; a workspace that gets no
// project from them is a failure that says why the first was left out and
// keeps the solution written before.
TEST(UVisionImport, AWorkspaceWhoseFilesGiveNoProjectIsAFailure) {
  copyFixture("no_project");
  writeFile("w.hzp", emptySolution("previous"));
  const QByteArray a = "warning: a.uvprojx: no target sets CreateExecutable; the file gives no project\n";
  const QByteArray m = "warning: w.uvmpw: project m left out: Cannot open m.uvprojx for reading\n";
  const auto result = runQuenport({"uvision2hzp", "-executable-template", "E", "w.uvmpw"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError,
            a + "warning: b.uvprojx: project b left out: Premature end of document. line: 7 column: 0\n" + m +
                "error: w.uvmpw: no project could be converted (a.uvprojx: no target sets CreateExecutable; the "
                "file gives no project)\n");
  EXPECT_EQ(readFile("w.hzp"), emptySolution("previous"));

  writeFile("w.uvmpw", readFile("w.uvmpw").replace("b.uvprojx", "c.uvprojx"));
  expectSuccess({"uvision2hzp", "-executable-template", "E", "w.uvmpw"}, a + m);
  EXPECT_EQ(readFile("w.hzp").count("<project "), 1);
}

// A project file that gives several projects names each after its target too
// (characters other than letters, digits, "-", "_" and "." become "_"; a name
// given twice is numbered), and a library links the project of the target that
// builds it (an output of its very name before one that contains it); a file
// that gives one project keeps the file's name.
TEST(UVisionImport, SeveralProjectsOfOneFileAreNamedAfterTheirTargets) {
  copyFixture("project_names");
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_project_names.hzp"));
}

TEST(UVisionImport, LibrariesBecomeDependenciesOnTheProjectsThatBuildThem) {
  copyFixture("dependencies");
  // A library no project builds is reported: the solution cannot link it.
  expectSuccess({"uvision2hzp", "-filter-file", "*.a", "w.uvmpw"},
                "warning: app.uvprojx: not carried: library (built by no project of the workspace) x/other.lib "
                "(target T)\n");
  // An empty template name is written too; each library a project builds counts.
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_dependencies.hzp"));

  expectSuccess(
      {"uvision2hzp", "lonely.uvmpw"},
      "warning: lonely.uvprojx: not carried: library (built by no project of the workspace) x.lib (target T)\n");
  EXPECT_TRUE(readFile("lonely.hzp").contains("project_dependencies=\"\""));
}

// Every message about a file names it, as the user named the workspace, on one
// line whatever the file holds; solutions of earlier workspaces stay written. A
// project file that is missing ends the run only when nothing else converts.
TEST(UVisionImport, ErrorsNameTheirFileAndEndTheRun) {
  copyFixture("errors");
  // Two entries that match case-insensitively are no unique match: the path stays as written.
  writeFile("twice/App/p.uvprojx", readFile("ws/sub/good.uvprojx"));
  writeFile("twice/APP/p.uvprojx", readFile("ws/sub/good.uvprojx"));
  const QString cafe = QString::fromUtf8("d\xc3\xa9mo/caf\xc3\xa9");
  writeFile(cafe + ".uvmpw", readFile("empty.uvmpw"));
  const struct {
    QStringList inputs;
    QByteArray error;
    QString unwritten;
  } cases[] = {
      {{"w.uvmpw"},
       "w.uvmpw: no project could be converted (project missing left out: Cannot open missing.uvprojx for reading)",
       "w.hzp"},
      {{"ws/n.uvmpw"}, "ws/sub/n.uvprojx: no target specified", "ws/n.hzp"},
      {{"nowhere/x.uvmpw"}, "Cannot open nowhere/x.uvmpw for reading", "nowhere"},
      {{"inject.uvmpw"},
       "inject.uvmpw: no project could be converted (project x\\nerror: injected left out: Cannot open x\\nerror: "
       "injected for reading)",
       "inject.hzp"},
      {{"twice/w.uvmpw"},
       "twice/w.uvmpw: no project could be converted (project p left out: Cannot open twice/app/p.uvprojx for reading)",
       "twice/w.hzp"},
      {{cafe + ".uvmpw", "bad.uvmpw"}, "Cannot open bad.uvmpw for reading", "bad.hzp"},
  };
  for (const auto& c : cases) {
    const auto result = runQuenport(QStringList{"uvision2hzp"} + c.inputs);
    EXPECT_EQ(result.exitCode, 1) << c.error.toStdString();
    EXPECT_TRUE(result.standardError.endsWith("error: " + c.error + "\n")) << result.standardError.toStdString();
    EXPECT_FALSE(fileExists(c.unwritten)) << c.error.toStdString();
  }
  EXPECT_EQ(readFile(cafe + ".hzp"), emptySolution("caf&#xc3;&#xa9;"));
  expectSuccess({"uvision2hzp", "ws/big.uvmpw"},
                "warning: ws/sub/bad.uvprojx: project bad left out: Premature end of document. line: 3 column: 0\n");
  EXPECT_EQ(readFile("ws/big.hzp").count("<project "), 1);
}

// Issue forms 1 and 2: a workspace made on Windows names its projects with "\"
// and in a case that differs from the disk; the project files name their
// sources and include directories the same way.
TEST(UVisionImport, WindowsPathsAndNamesThatDifferInCaseResolveOnDisk) {
  copyFixture("windows_paths", "L5");
  expectSuccess({"uvision2hzp", "-executable-template", "E", "L5/Workspace.uvmpw"});
  EXPECT_EQ(readFile("L5/Workspace.hzp"), expectedSolution("uvision_windows_paths.hzp"));
}

// Issue forms 7 and 8: definitions as uVision separates them, empty include
// entries, output directories with "/", and the GNU tool set's own elements.
// The assembler's Define (__ASSEMBLER_ONLY) is not the compiler's.
TEST(UVisionImport, DefinitionsIncludesAndGnuToolsetSettingsAsUVisionWritesThem) {
  copyFixture("definitions");
  expectSuccess({"uvision2hzp", "w.uvmpw"});
  EXPECT_EQ(readFile("w.hzp"), expectedSolution("uvision_definitions.hzp"));
}

// Generated projects (RT-Thread's spark board examples) write every file of a
// group in a <Files> element of its own: all of them are the group's.
TEST(UVisionImport, EveryFilesElementOfAGroupHoldsItsFiles) {
  copyFixture("files_per_file");
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
  copyFixture("exclusions");
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
  EXPECT_TRUE(
      solution.contains("      <folder Name=\"Group 7\">\n"
                        "        <file file_name=\"./src/f7.c\" />\n"
                        "        <file file_name=\"./src/again.c\" />\n"
                        "      </folder>\n"));
}
