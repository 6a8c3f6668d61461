// What a project's resources are under its rules: resource filters as Eclipse
// applies them, and the source entries and exclusions of each configuration.

#include "readers/eclipse/eclipse_resource_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "foreign/foreign_document.h"
#include "foreign/foreign_files.h"
#include "helpers/test_support.h"
#include "readers/eclipse/eclipse_resource_filters.h"
#include "readers/eclipse/eclipse_source_entries.h"

namespace {

QByteArray filter(const QByteArray& container, int type, const QByteArray& arguments) {
  return "<filter><id>0</id><name>" + container + "</name><type>" + QByteArray::number(type) +
         "</type><matcher><id>org.eclipse.ui.ide.multiFilter</id><arguments>" + arguments +
         "</arguments></matcher></filter>";
}

// The filters of the elements; unread gets "<line>: <why>" for each left out.
ResourceFilters filters(const QByteArray& elements, QStringList& unread) {
  const ForeignDocument document = ForeignDocument::parse("<filteredResources>" + elements + "</filteredResources>");
  QList<FilterProblem> problems;
  ResourceFilters read = ResourceFilters::read(childNamed(document, "filteredResources"), problems);
  for (const FilterProblem& problem : problems) unread.append(QString::number(problem.line) + ": " + problem.message);
  return read;
}

bool keeps(const ResourceFilters& filters, const QString& container, const QString& name, bool isFolder = false,
           WorkBudget* steps = nullptr) {
  return filters.forContainer(container, steps).keeps(container, name, isFolder);
}

// An exclude-all filter on container whose matcher nests groups depth levels
// deep, one level a line.
QByteArray nestedFilter(const QByteArray& container, int depth, const QByteArray& arguments) {
  QByteArray text = "<filter><name>" + container + "</name><type>14</type>\n";
  for (int level = 1; level < depth; ++level)
    text += "<matcher><id>org.eclipse.ui.ide.orFilterMatcher</id><arguments>\n";
  text += "<matcher><id>org.eclipse.ui.ide.multiFilter</id><arguments>" + arguments + "</arguments></matcher>";
  return text + QByteArray("</arguments></matcher>").repeated(depth - 1) + "</filter>";
}

}  // namespace

// The pattern is what follows the fifth "-" of the arguments; wildcards and
// regular expressions match the whole name, with or without case.
TEST(ResourceFilters, ArgumentsAndPatternsAsEclipseReadsThem) {
  QStringList unread;
  const ResourceFilters read = filters(filter("a", 6, "1.0-name-matches-false-false-drv-*.c") +
                                           filter("b", 6, "1.0-name-matches-true-true-[A-Z]+\\.c") +
                                           filter("c", 6, "1.0-name-matches-false-false-a\\*?.c") +
                                           filter("d", 6, "1.0-length-largerThan-false-false-10") +
                                           filter("e", 6, "1.0-name-matches-false-true-(") + filter("f", 6, "broken"),
                                       unread);
  EXPECT_FALSE(keeps(read, "a", "DRV-uart.c"));
  EXPECT_TRUE(keeps(read, "a", "drv_uart.c"));
  EXPECT_FALSE(keeps(read, "b", "MAIN.c"));
  EXPECT_TRUE(keeps(read, "b", "main.c"));
  EXPECT_FALSE(keeps(read, "c", "a*1.c"));
  EXPECT_TRUE(keeps(read, "c", "ab1.c"));
  EXPECT_EQ(
      unread,
      QStringList({"1: resource filter on d left out: its arguments 1.0-length-largerThan-false-false-10 are not read",
                   "1: resource filter on e left out: its pattern ( is not valid",
                   "1: resource filter on f left out: its arguments broken are not read"}));
}

// Include-only filters of a kind keep what one of them matches; exclude-all
// ones remove what any matches; each applies to files, folders or both, and
// below its folder only when inheritable.
TEST(ResourceFilters, IncludeOnlyAndExcludeAllByKindAndInheritance) {
  QStringList unread;
  const ResourceFilters read = filters(
      filter("lib", 5, "1.0-name-matches-false-false-clk.c") + filter("lib", 5, "1.0-name-matches-false-false-uart.c") +
          filter("lib", 9, "1.0-name-matches-false-false-GCC") + filter("", 26, "1.0-name-matches-false-false-build") +
          filter("", 6, "1.0-projectRelativePath-matches-false-false-lib/GCC/*.s"),
      unread);
  EXPECT_TRUE(keeps(read, "lib", "clk.c"));
  EXPECT_TRUE(keeps(read, "lib", "UART.C"));
  EXPECT_FALSE(keeps(read, "lib", "spi.c"));
  EXPECT_TRUE(keeps(read, "lib", "GCC", true));
  EXPECT_FALSE(keeps(read, "lib", "ARM", true));
  EXPECT_FALSE(keeps(read, "lib/GCC/deep", "build", true));
  EXPECT_TRUE(keeps(read, "lib/GCC/deep", "build"));
  // The project-relative path filter sits on the project and is not inheritable.
  EXPECT_TRUE(keeps(read, "lib/GCC", "startup.s"));
  EXPECT_TRUE(unread.isEmpty());
}

// Issue 34, case 1: matcher groups nest at most 64 levels; a filter nested
// deeper is left out at the line of the matcher past the limit, however deep.
TEST(ResourceFilters, MatchersNestedTooDeeplyAreLeftOutAtTheirLine) {
  QStringList unread;
  const QByteArray x = "1.0-name-matches-false-false-x";
  const ResourceFilters read =
      filters(nestedFilter("a", 64, x) + nestedFilter("b", 65, x) + nestedFilter("c", 20000, x), unread);
  EXPECT_FALSE(keeps(read, "a", "X", true));
  EXPECT_EQ(unread, QStringList({"130: resource filter on b left out: its matchers nest deeper than 64 levels",
                                 "195: resource filter on c left out: its matchers nest deeper than 64 levels"}));
}

// Issue 34, case 3: wildcards, or-groups and sane regular expressions cost
// about four times the steps on four times the name; "(a+)+" and "(.*a){25}"
// backtrack past their limit, and a spent budget stops any match: each is
// reported with its pattern, never taken for "no match".
TEST(ResourceFilters, PatternsCostLinearlyAndAMatchStoppedIsReported) {
  const auto orGroup = [](int width) {
    const QByteArray x = "1.0-name-matches-false-false-x";
    return nestedFilter(
        "", 2,
        (x + "</arguments></matcher><matcher><id>org.eclipse.ui.ide.multiFilter</id><arguments>").repeated(width - 1) +
            x);
  };
  const auto outcome = [](const QByteArray& elements, int length, WorkBudget& budget) -> QString {
    QStringList unread;
    try {
      return keeps(filters(elements, unread), "", QString(length, 'a') + ".c", false, &budget) ? "kept" : "dropped";
    } catch (const PatternGaveUp& stopped) {
      return QString::number(stopped.line) + ": " + stopped.message;
    }
  };
  for (const auto& make : std::vector<std::function<QByteArray(int)>>{
           [](int) { return filter("", 6, "1.0-name-matches-true-false-" + QByteArray("*a").repeated(20)); },
           [](int) { return filter("", 6, "1.0-name-matches-true-true-.*\\.c"); }, orGroup}) {
    WorkBudget once(qsizetype(1) << 30), fourTimes(qsizetype(1) << 30);
    outcome(make(100), 100, once);
    outcome(make(400), 400, fourTimes);
    EXPECT_GT(once.spent(), 100);
    EXPECT_LE(fourTimes.spent(), 5 * once.spent()) << make(1).toStdString();
  }
  WorkBudget budget(qsizetype(1) << 30);
  for (const char* pattern : {"(a+)+", "(.*a){25}"})
    EXPECT_EQ(outcome(filter("", 6, QByteArray("1.0-name-matches-true-true-") + pattern), 30, budget),
              QString("1: resource filter pattern ") + pattern + " gave up on " + QString(30, 'a') +
                  ".c: match limit exceeded");
  WorkBudget small(1000);
  EXPECT_EQ(outcome(orGroup(1000), 30, small),
            "0: matching its patterns against names takes more than 1000 steps, the most one conversion may take");
}

TEST(SourceEntries, PatternsMatchPathsAsCdtMatchesThem) {
  const struct {
    const char* pattern;
    const char* path;
    bool matches;
  } cases[] = {
      {"Startup", "Startup", true}, {"Startup", "Startup/x.S", false}, {"Startup/", "Startup/x.S", true},
      {"sub/b.c", "sub/b.c", true}, {"*.c", "sub/b.c", false},         {"**/*.c", "sub/b.c", true},
      {"**/*.c", "b.c", true},      {"s?b/**", "sub/x/y.c", true},     {"a.c", "A.c", false},
  };
  StepMeter meter(nullptr);
  for (const auto& c : cases)
    EXPECT_EQ(matchesExclusionPattern(c.pattern, c.path, meter), c.matches) << c.pattern << " " << c.path;
  // Stars at both levels cost steps in proportion, never exponentially.
  WorkBudget budget(1 << 20);
  StepMeter counted(&budget);
  EXPECT_FALSE(matchesExclusionPattern(QString("**/").repeated(20) + QString("*a").repeated(20) + "b",
                                       QString("a/").repeated(30) + QString(100, 'a'), counted));
  counted.settle();
  EXPECT_LT(budget.spent(), 100000);
}

// The innermost entry holding a resource decides; a folder outside every entry
// is not built unless an entry lies inside it; excluded resources take what
// lies below them along.
TEST(SourceEntries, TheInnermostEntryDecides) {
  ConfigurationResources resources;
  resources.sourceEntries = std::vector<SourceEntry>{
      {"", {"Startup", "Core"}}, {"Startup", {"startup_D8.S"}}, {"src", {"gen"}}, {"src/gen/keep", {}}};
  resources.excluded = {"User/old"};
  EXPECT_FALSE(resources.excludes("Startup", true));
  EXPECT_FALSE(resources.excludes("Startup/startup_D8C.S", false));
  EXPECT_TRUE(resources.excludes("Startup/startup_D8.S", false));
  EXPECT_TRUE(resources.excludes("Core", true));
  EXPECT_TRUE(resources.excludes("Core/x.c", false));
  EXPECT_FALSE(resources.excludes("src/gen", true));
  EXPECT_TRUE(resources.excludes("src/gen/x.c", false));
  EXPECT_FALSE(resources.excludes("src/gen/keep/y.c", false));
  EXPECT_TRUE(resources.excludes("User/old/x.c", false));
  EXPECT_FALSE(resources.buildsEverything());

  ConfigurationResources nested;
  nested.sourceEntries = std::vector<SourceEntry>{{"Core", {}}};
  EXPECT_TRUE(nested.excludes("Debug", true));
  EXPECT_TRUE(nested.excludes("main.c", false));
  EXPECT_FALSE(nested.excludes("Core/main.c", false));
}

// An item gets the configurations that leave it out, except those that leave
// out a folder above it, and its settings in each configuration.
TEST(ResourceRules, DescribeItemsPerConfiguration) {
  ConfigurationResources debug;
  debug.configuration = "Debug";
  debug.excluded = {"a.c"};
  debug.itemSettings.insert("a.c", CompileSettings{{{"X"}, {}, {}, {}}, {}, {}});
  ConfigurationResources release;
  release.configuration = "Release";
  release.excluded = {"a.c"};
  const ResourceRules rules(nullptr, {debug, release});
  EXPECT_FALSE(rules.isTrivial());
  SourceItem item = SourceItem::file("a.c", "./a.c");
  rules.describe(item, "a.c", {"Release"});
  EXPECT_EQ(item.excludedFrom, QStringList({"Debug"}));
  ASSERT_EQ(item.settings.size(), 1u);
  EXPECT_EQ(item.settings[0].configuration, "Debug");
  EXPECT_EQ(item.settings[0].compile.compiler.definitions, QStringList({"X"}));
  EXPECT_TRUE(ResourceRules(nullptr, {ConfigurationResources{}}).isTrivial());
}
