// The Eclipse reader's path rules: the include values and link locations that
// tests/e2e/eclipse_vendor_forms_test.cpp and the example workspace do not show.

#include <gtest/gtest.h>

#include "helpers/test_support.h"
#include "readers/eclipse/eclipse_locations.h"
#include "readers/eclipse/eclipse_option_paths.h"

namespace {

// The result, or "left out: <why>".
QString include(const QString& value, const QString& projectDirectory) {
  const OptionPathBase base{"demo", projectDirectory, "nowhere", {{"dsp", "libs/dsp"}, {"demo", "other"}}, nullptr, {}};
  const PathOrProblem directory = optionPath(value, base);
  return directory.usable() ? directory.path : "left out: " + directory.problem;
}

QString location(const QString& text, bool isUri, const QString& projectToWorkspace) {
  const LinkLocationResolver resolver(projectToWorkspace,
                                      {{"DEMO_ROOT", "$%7BPARENT-4-PROJECT_LOC%7D"},
                                       {"SDK", "file:/C:/ST/Cube%20FW"},
                                       {"LOOP", "LOOP/x"},
                                       {"UP", "PARENT-1-DEMO_ROOT"}},
                                      nullptr);
  const PathOrProblem path = resolver.resolve(text, isUri);
  return path.usable() ? path.path : "left out: " + path.problem;
}

}  // namespace

// Projects are found by name wherever they lie in the workspace; nothing is cut
// off a value, and a value that leaves nothing is dropped ("").
TEST(EclipseIncludePath, EveryFormComesOutUsable) {
  const struct {
    const char* value;
    const char* projectDirectory;
    QString expected;
  } cases[] = {
      {"../../common/inc", "demo", "../common/inc"},
      {"${workspace_loc:/}", "demo", "$(SolutionDir)/"},
      {"../", "demo", ""},
      {"Inc", "demo", "Inc"},
      {"C:\\x\\include", "demo", "C:/x/include"},
      {"\"${workspace_loc:/${ProjName}}/Core/Inc\"", "demo", "$(SolutionDir)/demo/Core/Inc"},
      {"${workspace_loc:/${ProjName}/Inc}", "", "$(SolutionDir)/Inc"},
      {"${workspace_loc:/unknown/inc}", "demo", "$(SolutionDir)/unknown/inc"},
      {"${workspace_loc:/x/${ProjName}/${ProjName}}", "demo", "$(SolutionDir)/x/demo/demo"},
      {"${workspace_loc}/shared/inc", "demo", "$(SolutionDir)/shared/inc"},
      {"\"${ProjDirPath}\"", "demo", "."},
      {"${workspace_loc:/x", "demo", "left out: it holds a variable that cannot be resolved"},
  };
  for (const auto& c : cases) EXPECT_EQ(include(c.value, c.projectDirectory), c.expected) << c.value;
}

// Locations come out relative to the project; counts beyond any real depth are
// capped instead of exhausting memory.
TEST(EclipseLinkLocation, EveryVariableFormResolvesRelativeToTheProject) {
  const struct {
    const char* text;
    QString expected;
    bool isUri = true;
    const char* projectToWorkspace = "..";
  } cases[] = {
      {"PARENT-01-PROJECT_LOC/x.c", "../x.c"},
      {"WORKSPACE_LOC/lib/y.c", "lib/y.c", true, ""},
      {"PARENT-1-WORKSPACE_LOC/y.c", "../../../y.c", true, "../.."},
      {"PARENT_LOC/y.c", "../y.c"},
      {"DEMO_ROOT/source/x.c", "../../../../source/x.c"},
      {"UP/x.c", "../../../../../x.c"},
      {"PARENT-1-SDK/Drivers", "C:/ST/Drivers"},
      {"SDK/Drivers/a%20b.c", "C:/ST/Cube FW/Drivers/a b.c"},
      {"file:/C:/work/x.c", "C:/work/x.c"},
      {"file:///home/u/x.c", "/home/u/x.c"},
      {"FILE:/D:/x.c", "D:/x.c"},
      {"C:/work/x.c", "C:/work/x.c"},  // a drive, no scheme
      {"C:\\work\\x.c", "C:/work/x.c", false},
      {"PARENT-99999999999999999999999-PROJECT_LOC/x", QString("../").repeated(2048) + "x"},
      {"PARENT-1-PROJECT_LO/abc", "left out: path variable PROJECT_LO is not defined"},
      {"src/PARENT-1-PROJECT_LOC/q.c", "left out: path variable src is not defined"},
      {"LOOP/y.c", "left out: path variable LOOP is defined through itself"},
      {"rse://host/x.c", "left out: location rse://host/x.c is not a file"},
      {"", "left out: its location is empty"},
  };
  for (const auto& c : cases) EXPECT_EQ(location(c.text, c.isUri, c.projectToWorkspace), c.expected) << c.text;
}

TEST(EclipseLinkLocation, ParentStepsStopAtTheRoot) {
  EXPECT_EQ(parentPath("", 2), "../..");
  EXPECT_EQ(parentPath("/x/y", 5), "/");
  EXPECT_EQ(parentPath("C:/x", 3), "C:/");
}

// Issue 34, case 10: a chain of 32 path variables is resolved once for all
// links, so each link more costs only what its own location adds; a variable
// longer than 4096 characters, a cycle and a spent budget leave links out.
TEST(EclipseLinkLocation, ChainedVariablesAreResolvedOnceAndBounded) {
  QHash<QString, QString> variables{
      {"V33", "PROJECT_LOC"}, {"LONG", "V1/" + QString(900, 'd')}, {"A", "${B}/a"}, {"B", "A/b"}};
  for (int i = 1; i <= 32; ++i) variables.insert(QString("V%1").arg(i), QString("V%1/").arg(i + 1) + QString(100, 'd'));
  WorkBudget added(100000);
  const LinkLocationResolver resolver("", variables, &added);
  const auto link = [&resolver] { return resolver.resolve("V1/x.c", true); };
  const qsizetype length = 32 * 100 + 31 + 4;  // 32 components, "/x.c"
  EXPECT_EQ(link().path.size(), length);
  const qsizetype once = added.spent();
  for (int i = 0; i < 3; ++i) link();
  EXPECT_EQ(added.spent() - once, 3 * (length - 6));
  EXPECT_EQ(resolver.resolve("LONG/x.c", true).problem, "path variable LONG stands for more than 4096 characters");
  EXPECT_EQ(resolver.resolve("A/x.c", true).problem, "path variable A is defined through itself");
  while (link().usable()) {
  }
  EXPECT_EQ(link().problem, "path variables add more than 100000 characters to the workspace's locations");
}
