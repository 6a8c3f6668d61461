// Solution model benchmarks: building a solution of 200 projects x 500 files the
// way the readers do, resolving a StringList property for every file, saving
// the result, and finding folders among 20,000 siblings.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "model/solution_model.h"
#include "properties/property_schema.h"
#include "solution/solution_writer.h"

namespace {

constexpr int projectCount = 200;
constexpr int filesPerProject = 500;
const QString common = QStringLiteral("Common");
const QString definitions = QStringLiteral("c_preprocessor_definitions");
const GlobalMacros macros;

const PropertySchema& schema() {
  static const PropertySchema built = buildPropertySchema();
  return built;
}

// File names of one project, made once so the build measures the model only.
const QStringList& projectFileNames() {
  static const QStringList names = [] {
    static const char* const suffixes[] = {"c", "cpp", "h", "s", "txt"};
    QStringList list;
    for (int i = 0; i < filesPerProject; ++i)
      list.append(QStringLiteral("src/module%1/file%2.%3").arg(i / 50).arg(i).arg(QLatin1String(suffixes[i % 5])));
    return list;
  }();
  return names;
}

// Builds the solution; definitions are set at solution, project, folder and
// (every tenth) file level. Returns every file element.
std::vector<ModelNode*> buildSolution(SolutionModel& model, const QString& directory) {
  std::vector<ModelNode*> files;
  files.reserve(projectCount * filesPerProject);
  ModelNode* solution = model.newSolution(QStringLiteral("Bench"), directory);
  model.setConfigurationProperty(solution, definitions, common, QStringLiteral("SOLUTION"));
  for (int p = 0; p < projectCount; ++p) {
    const QString name = QStringLiteral("Project%1").arg(p);
    ModelNode* project =
        model.newProject(solution, name, directory + QLatin1Char('/') + name, QStringLiteral("Executable"));
    model.setConfigurationProperty(project, definitions, common, QStringLiteral("PROJECT=%1").arg(p));
    model.setConfigurationProperty(project, definitions, QStringLiteral("Debug"), QStringLiteral("DEBUG"));
    ModelNode* sources = model.findOrAddFolder(project, QStringLiteral("Source Files"), QStringLiteral("c;cpp"));
    model.findOrAddFolder(project, QStringLiteral("Header Files"), QStringLiteral("h;hpp"));
    model.findOrAddFolder(project, QStringLiteral("Assembly Files"), QStringLiteral("s;asm"));
    model.setConfigurationProperty(sources, definitions, common, QStringLiteral("SOURCES"));
    int index = 0;
    for (const QString& fileName : projectFileNames()) {
      ModelNode* file = model.addFile(project, fileName);
      if (index++ % 10 == 0) model.setConfigurationProperty(file, definitions, common, QStringLiteral("FILE"));
      files.push_back(file);
    }
  }
  return files;
}

// A counter that reports the time an iteration spends on each of count items.
benchmark::Counter timePerItem(double count) {
  return benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_BuildSolution(benchmark::State& state) {
  QTemporaryDir directory;
  SolutionModel model{schema(), macros};
  for (auto _ : state) {
    std::vector<ModelNode*> files = buildSolution(model, directory.path());
    benchmark::DoNotOptimize(files.data());
    state.PauseTiming();
    model.deleteNode(model.solution());
    state.ResumeTiming();
  }
  state.counters["files"] = projectCount * filesPerProject;
  state.counters["per_file"] = timePerItem(projectCount * filesPerProject);
}
BENCHMARK(BM_BuildSolution)->Unit(benchmark::kMillisecond);

void BM_ResolveForEveryFile(benchmark::State& state) {
  QTemporaryDir directory;
  SolutionModel model{schema(), macros};
  const std::vector<ModelNode*> files = buildSolution(model, directory.path());
  const PropertyDeclaration* declaration = schema().find(definitions);
  const QString configuration = QStringLiteral("Debug");
  qsizetype totalLength = 0;
  for (auto _ : state) {
    for (const ModelNode* file : files)
      totalLength += model.properties().value(file, declaration, configuration).size();
  }
  benchmark::DoNotOptimize(totalLength);
  state.counters["per_resolution"] = timePerItem(static_cast<double>(files.size()));
}
BENCHMARK(BM_ResolveForEveryFile)->Unit(benchmark::kMillisecond);

void BM_SaveSolution(benchmark::State& state) {
  QTemporaryDir directory;
  SolutionModel model{schema(), macros};
  buildSolution(model, directory.path());
  for (auto _ : state) saveSolution(*model.solution());
}
BENCHMARK(BM_SaveSolution)->Unit(benchmark::kMillisecond);

// A target with 20,000 groups: each new group looks for its folder among all the
// ones before it, then every group is looked up once more by name.
void BM_SiblingFolders(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  QStringList names;
  for (int i = 0; i < count; ++i) names.append(QStringLiteral("Group%1").arg(i));
  SolutionModel model{schema(), macros};
  for (auto _ : state) {
    ModelNode* solution = model.newSolution(QStringLiteral("Bench"), QStringLiteral("/bench"));
    ModelNode* project = model.newProject(solution, QStringLiteral("P"), QStringLiteral("/bench"), QString());
    for (const QString& name : names) model.findOrAddFolder(project, name, QString());
    for (const QString& name : names) benchmark::DoNotOptimize(model.findFolder(project, name));
    state.PauseTiming();
    model.deleteNode(solution);
    state.ResumeTiming();
  }
  state.counters["per_folder"] = timePerItem(count);
}
BENCHMARK(BM_SiblingFolders)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
