#include "tool/run_sequence.h"

#include <cstdio>
#include <functional>
#include <memory>

#include "importers/common/conversion_context.h"
#include "importers/common/hexception.h"
#include "importers/common/import_settings.h"
#include "importers/common/project_properties.h"
#include "importers/importer_table.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_load_error.h"
#include "projectsystem/solution_text.h"
#include "projectsystem/solution_writer.h"
#include "templates/template_expansion.h"
#include "tool/command_line.h"
#include "tool/console_messages.h"
#include "tool/solution_summary.h"
#include "tool/startup_environment.h"

namespace {

// Imports one input, saves its solution and destroys it. An input that fails
// leaves no solution file behind: nothing is saved before the importer returns.
// A solution that cannot be written is an error like any other: the user would
// otherwise take the previous file for the result.
//
// With a reading system the templates are expanded first: the converted solution
// is read back, by the reading system, from the text that saving it would write,
// as if from its file (relative paths, imports and the load command are based on
// the solution's directory). So the file is written once, when the expansion has
// succeeded, and a failed expansion leaves a previous file as it was.
void convert(ProjectSystem& projectSystem, ConversionContext& context, const ImporterCommand& command,
             const QString& input, ProjectSystem* readingSystem) {
  // The importer reads the input's files into the model.
  ProjectElement* solution = command.entry(projectSystem, context, input);
  ProjectSystem* owner = &projectSystem;
  if (readingSystem) {
    const std::string text = solutionText(*solution);
    const QString path = solution->location().path();
    projectSystem.deleteElement(solution);
    solution = loadSolutionTextWithTemplates(*readingSystem, context.settings().templatesFiles, path, text);
    owner = readingSystem;
  }
  // The writer writes the model to the solution file.
  QString error;
  const bool saved = saveSolution(*solution, &error);
  if (saved && context.settings().verbose) {
    const QString summary = solutionSummary(solution->location().path(), countSolutionItems(solution));
    std::printf("%s\n", summary.toUtf8().constData());
    std::fflush(stdout);
  }
  owner->deleteElement(solution);
  if (!saved) throw HException(error);
}

// Steps after the command is known, all under the one error handler.
void runCommand(const ImporterCommand& command, const QStringList& arguments, StartupEnvironment& environment) {
  const CommandLineOptions options = readOptions(command, arguments);
  if (options.rootUserDirectory) environment.rootUserDirectory = *options.rootUserDirectory;
  const ImportSettings& settings = options.settings;
  ProjectSystem projectSystem(environment.macros);
  ConversionContext context(settings, [](const QString& message) { printWarning(message); });
  // Checked before anything is converted: each name becomes an attribute name.
  if (command.setsProjectProperties) {
    context.projectProperties = readProjectProperties(settings.projectProperties, projectSystem.schema(),
                                                      [&](const QString& message) { context.warn(message); });
  }
  // With -expand-templates a second project system reads every converted solution
  // back and expands its templates; it lives for the whole run.
  std::unique_ptr<ProjectSystem> readingSystem;
  if (settings.expandTemplates) readingSystem = std::make_unique<ProjectSystem>(environment.macros);
  if (options.inputs.isEmpty() && command.runsWithoutInput) {
    // The working directory as workspace; templates are never expanded on this path.
    convert(projectSystem, context, command, QString(), nullptr);
    return;
  }
  for (const QString& input : options.inputs) convert(projectSystem, context, command, input, readingSystem.get());
}

int runGuarded(const std::function<void()>& step) {
  try {
    step();
    return 0;
  } catch (const HException& exception) {
    printError(exception.message());
  } catch (const SolutionLoadError& error) {
    printError(error.text());
  } catch (...) {
    printError(std::string_view("caught an unknown exception"));
  }
  return 1;
}

}  // namespace

int runQuenport(int argc, char** argv) {
  routeQtWarnings();
  // A start-up failure (the frequencies file cannot be created) is reported like
  // any other error rather than left to end the process uncaught.
  StartupEnvironment environment;
  if (runGuarded([&] { environment = buildStartupEnvironment(argc > 0 ? argv[0] : nullptr); }) != 0) return 1;
  if (argc < 2) {
    printUsage(stderr);
    return 1;
  }
  const ImporterCommand* command = findImporterCommand(argumentString(argv[1]));
  if (!command) {
    std::fprintf(stderr, "unknown command '%s'\n\n", escapeControlCharacters(argv[1]).c_str());
    printUsage(stderr);
    return 1;
  }
  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.append(argumentString(argv[i]));
  return runGuarded([&] { runCommand(*command, arguments, environment); });
}
