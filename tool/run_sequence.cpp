#include "tool/run_sequence.h"

#include <cstdio>
#include <functional>
#include <memory>

#include "importers/common/conversion_context.h"
#include "importers/common/hexception.h"
#include "importers/common/import_settings.h"
#include "importers/common/project_properties.h"
#include "importers/importer_table.h"
#include "projectsystem/project_system_layers.h"
#include "projectsystem/solution_load_error.h"
#include "tool/command_line.h"
#include "tool/console_messages.h"
#include "tool/solution_summary.h"
#include "tool/startup_environment.h"

namespace {

// Imports one input, saves its solution and destroys it. An input that fails
// leaves no solution file behind: nothing is saved before the importer returns.
// A solution that cannot be written is an error like any other: the user would
// otherwise take the previous file for the result.
void convert(ProjectSystem& projectSystem, ConversionContext& context, const ImporterCommand& command,
             const QString& input) {
  ProjectElement* solution = command.entry(projectSystem, context, input);
  QString error;
  const bool saved = projectSystem.saveSolution(solution, &error);
  if (saved && context.settings().verbose) {
    std::printf("%s\n", solutionSummary(projectSystem.solutionFilePath(), countSolutionItems(solution)).toUtf8().constData());
    std::fflush(stdout);
  }
  projectSystem.deleteElement(solution);
  if (!saved && solution) throw HException(error);
}

// Steps after the command is known, all under the one error handler.
void runCommand(const ImporterCommand& command, const QStringList& arguments) {
  ImportSettings settings;
  const QStringList inputs = readOptions(command, arguments, settings);
  MyProjectSystem projectSystem(settings.templatesFiles, QStringList());
  ConversionContext context(settings, [](const QString& message) { printWarning(message); });
  // Checked before anything is converted: each name becomes an attribute name.
  if (command.setsProjectProperties) {
    context.projectProperties = readProjectProperties(settings.projectProperties, projectSystem.schema(),
                                                      [&](const QString& message) { context.warn(message); });
  }
  if (inputs.isEmpty() && command.runsWithoutInput) {
    // The working directory as workspace; templates are never expanded on this path.
    convert(projectSystem, context, command, QString());
    return;
  }
  // Template expansion is not part of this version. Saying so before anything is
  // converted is better than writing solutions that still name their templates.
  if (settings.expandTemplates && !inputs.isEmpty())
    throw HException(std::string("-expand-templates: project templates cannot be expanded by this version"));
  for (const QString& input : inputs) convert(projectSystem, context, command, input);
}

int runGuarded(const std::function<void()>& step) {
  try {
    step();
    return 0;
  } catch (const HException& exception) {
    printError(exception.message());
  } catch (const SolutionLoadError& error) {
    printError(error.message);
  } catch (...) {
    printError(std::string_view("caught an unknown exception"));
  }
  return 1;
}

}  // namespace

int runQuenport(int argc, char** argv) {
  // A start-up failure (the frequencies file cannot be created) is reported like
  // any other error rather than left to end the process uncaught.
  if (runGuarded([&] { setUpStartupEnvironment(argc > 0 ? argv[0] : nullptr); }) != 0) return 1;
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
  return runGuarded([&] { runCommand(*command, arguments); });
}
