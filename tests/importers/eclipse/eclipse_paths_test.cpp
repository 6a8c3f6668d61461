// The Eclipse importer's path rules: include values and link locations in the
// forms CDT and vendor IDEs write (tests/e2e/eclipse_test.cpp covers how their
// results reach the solution).

#include <gtest/gtest.h>

#include "importers/eclipse/eclipse_include_paths.h"
#include "importers/eclipse/eclipse_locations.h"
#include "support/test_support.h"

namespace {

// The result, or "left out: <why>".
QString include(const QString& value, const QString& projectDirectory = "demo") {
  const IncludePathBase base{"demo", projectDirectory, "nowhere", {{"dsp", "libs/dsp"}, {"demo", "other"}}, nullptr};
  QString directory;
  QString problem;
  return includeDirectory(value, base, directory, problem) ? directory : "left out: " + problem;
}

QString location(const QString& text, bool isUri = true, const QString& projectToWorkspace = "..") {
  const LinkLocationResolver resolver(projectToWorkspace, {{"DEMO_ROOT", "$%7BPARENT-4-PROJECT_LOC%7D"},
                                                           {"SDK", "file:/C:/ST/Cube%20FW"},
                                                           {"LOOP", "LOOP/x"},
                                                           {"UP", "PARENT-1-DEMO_ROOT"}});
  QString path;
  QString problem;
  return resolver.resolve(text, isUri, path, problem) ? path : "left out: " + problem;
}

}  // namespace

TEST(EclipseIncludePath, DesignFormsKeepTheirResults) {
  EXPECT_EQ(include("../inc"), "inc");
  EXPECT_EQ(include("..\\drivers\\inc"), "drivers/inc");
  EXPECT_EQ(include("../../common/inc"), "../common/inc");
  EXPECT_EQ(include("\"${workspace_loc:/${ProjName}/inc}\""), "$(SolutionDir)/demo/inc");
  EXPECT_EQ(include("${workspace_loc:/}"), "$(SolutionDir)/");
  EXPECT_EQ(include("../"), "");  // nothing left: dropped
}

TEST(EclipseIncludePath, EveryFormComesOutUsableWithoutCutCharacters) {
  // Projects are found by name, wherever they lie in the workspace.
  EXPECT_EQ(include("${workspace_loc:/dsp/inc}"), "$(SolutionDir)/libs/dsp/inc");
  EXPECT_EQ(include("\"${workspace_loc:/${ProjName}}/Core/Inc\""), "$(SolutionDir)/demo/Core/Inc");
  EXPECT_EQ(include("${workspace_loc:/${ProjName}/Inc}", "boards/f4/demo"), "$(SolutionDir)/boards/f4/demo/Inc");
  EXPECT_EQ(include("${workspace_loc:/${ProjName}/Inc}", ""), "$(SolutionDir)/Inc");
  EXPECT_EQ(include("${workspace_loc:/unknown/inc}"), "$(SolutionDir)/unknown/inc");
  EXPECT_EQ(include("${workspace_loc:/x/${ProjName}/${ProjName}}"), "$(SolutionDir)/x/demo/demo");
  EXPECT_EQ(include("${workspace_loc}/shared/inc"), "$(SolutionDir)/shared/inc");
  EXPECT_EQ(include("${ProjDirPath}/Inc"), "Inc");
  EXPECT_EQ(include("\"${ProjDirPath}\""), ".");
  EXPECT_EQ(include("/opt/x/include"), "/opt/x/include");
  EXPECT_EQ(include("C:/x/include"), "C:/x/include");
  EXPECT_EQ(include("C:\\x\\include"), "C:/x/include");
  EXPECT_EQ(include("Inc"), "Inc");
  EXPECT_EQ(include("${ConfigName}/gen"), "left out: it holds a variable that cannot be resolved");
  EXPECT_EQ(include("${workspace_loc:/x"), "left out: it holds a variable that cannot be resolved");
}

TEST(EclipseLinkLocation, EveryVariableFormResolvesRelativeToTheProject) {
  EXPECT_EQ(location("PARENT-2-PROJECT_LOC/lib/z.c"), "../../lib/z.c");
  EXPECT_EQ(location("PARENT-0-PROJECT_LOC/x.c"), "x.c");
  EXPECT_EQ(location("PARENT-01-PROJECT_LOC/x.c"), "../x.c");
  EXPECT_EQ(location("$%7BPARENT-2-PROJECT_LOC%7D/x.c"), "../../x.c");
  EXPECT_EQ(location("PROJECT_LOC/src/a.c"), "src/a.c");
  EXPECT_EQ(location("WORKSPACE_LOC/lib/y.c"), "../lib/y.c");
  EXPECT_EQ(location("WORKSPACE_LOC/lib/y.c", true, ""), "lib/y.c");
  EXPECT_EQ(location("PARENT-1-WORKSPACE_LOC/y.c", true, "../.."), "../../../y.c");
  EXPECT_EQ(location("PARENT_LOC/y.c"), "../y.c");
  EXPECT_EQ(location("DEMO_ROOT/source/x.c"), "../../../../source/x.c");
  EXPECT_EQ(location("UP/x.c"), "../../../../../x.c");
  EXPECT_EQ(location("PARENT-1-SDK/Drivers"), "C:/ST/Drivers");
  EXPECT_EQ(location("SDK/Drivers/a%20b.c"), "C:/ST/Cube FW/Drivers/a b.c");
  EXPECT_EQ(location("file:/C:/work/x.c"), "C:/work/x.c");
  EXPECT_EQ(location("file:///home/u/x.c"), "/home/u/x.c");
  EXPECT_EQ(location("C:\\work\\x.c", false), "C:/work/x.c");
  EXPECT_EQ(location("/abs/w.c", false), "/abs/w.c");
  // Counts beyond any real depth are capped instead of exhausting memory.
  EXPECT_EQ(location("PARENT-99999999999999999999999-PROJECT_LOC/x"), QString("../").repeated(2048) + "x");
}

TEST(EclipseLinkLocation, UnresolvableLocationsAreReportedNotWritten) {
  EXPECT_EQ(location("PARENT-1-PROJECT_LO/abc"), "left out: path variable PROJECT_LO is not defined");
  EXPECT_EQ(location("src/PARENT-1-PROJECT_LOC/q.c"), "left out: path variable src is not defined");
  EXPECT_EQ(location("ECLIPSE_HOME/x.c"), "left out: path variable ECLIPSE_HOME is not defined");
  EXPECT_EQ(location("LOOP/y.c"), "left out: path variable LOOP is defined through itself");
  EXPECT_EQ(location("rse://host/x.c"), "left out: location rse://host/x.c is not a file");
  EXPECT_EQ(location(""), "left out: its location is empty");
}

TEST(EclipseLinkLocation, ParentStepsStopAtTheRoot) {
  EXPECT_EQ(parentPath("a/b", 1), "a");
  EXPECT_EQ(parentPath("a", 2), "..");
  EXPECT_EQ(parentPath("", 2), "../..");
  EXPECT_EQ(parentPath("/x/y", 5), "/");
  EXPECT_EQ(parentPath("C:/x/y", 1), "C:/x");
  EXPECT_EQ(parentPath("C:/x", 3), "C:/");
}
