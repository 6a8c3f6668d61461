#include "tool/run_sequence.h"

#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <memory>

#include "importers/common/conversion_context.h"
#include "importers/common/diagnostics.h"
#include "importers/common/import_settings.h"
#include "importers/common/input_files.h"
#include "importers/common/project_mapper.h"
#include "importers/common/project_properties.h"
#include "importers/importer_table.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_load_error.h"
#include "projectsystem/solution_text.h"
#include "projectsystem/solution_writer.h"
#include "projectsystem/warning_sink.h"
#include "templates/template_expansion.h"
#include "tool/command_line.h"
#include "tool/run_report.h"
#include "tool/startup_environment.h"

namespace {

/// The warnings of the layers below the importers, told to the run's channel.
WarningSink warningsTo(Diagnostics& diagnostics) {
  return [&diagnostics](const QString& file, const QString& message) { diagnostics.warn(file, message); };
}

/// What a run converts with, the same for every input.
struct RunSetup {
  const ImporterCommand& command;
  const ImportSettings& settings;
  QList<ProjectProperty> projectProperties;
  ProjectSystem& projectSystem;
  /// With -expand-templates, the project system that reads every converted
  /// solution back and expands its templates; it lives for the whole run.
  ProjectSystem* readingSystem;
  Diagnostics& diagnostics;
  /// "-report": the file written once the run is over; reset when it would
  /// replace a file the conversion reads or a solution, so that it is not written.
  std::optional<QString>& reportFile;
  /// The solutions written so far, by their directory entry, with the input of each.
  QHash<FileIdentity, QString>& written;
};

// A solution or report written over a file its conversion read would lose that
// file: the workspace given under the solution's own name, or a project file
// named so, or given as the report. Checked by the directory entry that saving
// would replace; a report named as a solution would replace that solution.
void checkWritesReplaceNoInput(const RunSetup& run, const ConversionContext& context, const ProjectElement& solution) {
  const QString path = solution.location().path();
  std::vector<std::pair<QString, QString>> written{{QStringLiteral("solution"), path}};
  if (run.reportFile) written.push_back({QStringLiteral("report"), *run.reportFile});
  for (const auto& [what, file] : written) {
    const QString input = context.inputFiles().entryRead(file);
    if (input.isEmpty()) continue;
    run.reportFile.reset();
    throw ConversionError(input, QStringLiteral("the ") + what + QLatin1Char(' ') + file +
                                     QStringLiteral(" would replace this file, which the conversion reads"));
  }
  if (run.reportFile && QFileInfo(*run.reportFile).absoluteFilePath() == QFileInfo(path).absoluteFilePath()) {
    const QString report = *run.reportFile;
    run.reportFile.reset();
    throw ConversionError(QStringLiteral("the report ") + report + QStringLiteral(" would replace the solution"));
  }
}

// Two inputs may give one solution path (ws.uvmpw and ws.mpw, or one input
// spelled twice): the second would replace the first's solution without a word.
void checkSolutionNotWrittenBefore(const RunSetup& run, const QString& input, const ProjectElement& solution) {
  const QString path = solution.location().path();
  const std::optional<FileIdentity> entry = entryIdentityOf(path);
  if (!entry || !run.written.contains(*entry)) return;
  throw ConversionError(input, QStringLiteral("the solution ") + path + QStringLiteral(" is also that of ") +
                                   run.written.value(*entry) + QStringLiteral(", converted earlier in this run"));
}

// Imports one input, saves its solution and destroys it. An input that fails
// leaves no solution file behind: nothing is saved before the importer returns.
// A solution that cannot be written is an error like any other: the user would
// otherwise take the previous file for the result. Each input gets a context of
// its own, so nothing read from one carries over to the next.
//
// With a reading system the templates are expanded first: the converted solution
// is read back, by the reading system, from the text that saving it would write,
// as if from its file (relative paths, imports and the load command are based on
// the solution's directory). So the file is written once, when the expansion has
// succeeded, and a failed expansion leaves a previous file as it was.
void convert(const RunSetup& run, const QString& input, bool expandTemplates) {
  run.diagnostics.beginInput(input.isEmpty() ? QStringLiteral(".") : input);
  ConversionContext context(run.settings, run.projectProperties, run.diagnostics);
  // The importer reads the input's files into records, which its mapper writes into the model.
  ProjectElement* solution = run.command.entry(run.projectSystem, context, input);
  checkWritesReplaceNoInput(run, context, *solution);
  checkSolutionNotWrittenBefore(run, input, *solution);
  ProjectSystem* owner = &run.projectSystem;
  if (expandTemplates && run.readingSystem) {
    const std::string text = solutionText(*solution);
    const QString path = solution->location().path();
    run.projectSystem.deleteElement(solution);
    solution = loadSolutionTextWithTemplates(*run.readingSystem, run.settings.templatesFiles, path, text,
                                             warningsTo(run.diagnostics));
    owner = run.readingSystem;
  }
  // The writer writes the model to the solution file.
  QString error;
  const bool saved = saveSolution(*solution, &error);
  const QString path = solution->location().path();
  owner->deleteElement(solution);
  if (!saved) throw ConversionError(error);
  if (const std::optional<FileIdentity> entry = entryIdentityOf(path)) run.written.insert(*entry, input);
  run.diagnostics.finishInput(path);
}

// The options a user gave that the command does not apply: said once, before
// anything is converted, so that nobody takes them for applied.
void warnAboutIgnoredOptions(const RunSetup& run, const QStringList& given) {
  QStringList ignored;
  for (const QString& option : ignoredOptions(run.command))
    if (given.contains(option)) ignored.append(option);
  if (ignored.isEmpty()) return;
  run.diagnostics.warn(QString(), ignored.join(QStringLiteral(", ")) + QStringLiteral(": not applied by ") +
                                      QLatin1String(run.command.word) + QStringLiteral(", ignored"));
}

// Steps after the command is known, all under the one error handler.
void runCommand(const ImporterCommand& command, CommandLineOptions& options, StartupEnvironment& environment,
                Diagnostics& diagnostics) {
  if (options.rootUserDirectory) environment.rootUserDirectory = *options.rootUserDirectory;
  const ImportSettings& settings = options.settings;
  diagnostics.setVerbose(settings.verbose);
  ProjectSystem projectSystem(environment.macros);
  std::unique_ptr<ProjectSystem> readingSystem;
  if (settings.expandTemplates) readingSystem = std::make_unique<ProjectSystem>(environment.macros);
  QHash<FileIdentity, QString> written;
  RunSetup run{command, settings, {}, projectSystem, readingSystem.get(), diagnostics, options.reportFile, written};
  // Checked before anything is converted: each name becomes an attribute name.
  if (command.rules.appliesCommandLineSettings) {
    run.projectProperties = readProjectProperties(settings.projectProperties, projectSystem.schema(),
                                                  [&](const QString& message) { diagnostics.warn(QString(), message); });
  }
  warnAboutIgnoredOptions(run, options.given);
  if (options.inputs.isEmpty() && command.runsWithoutInput) {
    // The working directory as workspace; templates are never expanded on this path.
    convert(run, QString(), false);
    return;
  }
  diagnostics.flush();
  for (const QString& input : options.inputs) convert(run, input, true);
}

int runGuarded(Diagnostics& diagnostics, const std::function<void()>& step) {
  try {
    step();
    diagnostics.checkOutput();
    diagnostics.flush();
    return 0;
  } catch (const ConversionError& error) {
    diagnostics.error(error);
  } catch (const SolutionLoadError& error) {
    diagnostics.error(ConversionError(error.text()));
  } catch (...) {
    diagnostics.error(ConversionError(QStringLiteral("caught an unknown exception")));
  }
  return 1;
}

}  // namespace

int runQuenport(int argc, char** argv) {
  Diagnostics diagnostics;
  // What start-up warns about (a user data directory it cannot make) is shown
  // before anything else.
  StartupEnvironment environment = buildStartupEnvironment(argc > 0 ? argv[0] : nullptr, warningsTo(diagnostics));
  diagnostics.flush();
  if (argc < 2) {
    printUsage(stderr);
    return 1;
  }
  const QString word = argumentString(argv[1]);
  if (isHelpRequest(word)) {
    printUsage(stdout);
    return 0;
  }
  if (word == QLatin1String("--version")) {
    printVersion(stdout);
    return 0;
  }
  const ImporterCommand* command = findImporterCommand(word);
  if (!command) {
    std::fprintf(stderr, "unknown command '%s'\n\n", escapeControlCharacters(argv[1]).c_str());
    printUsage(stderr);
    return 1;
  }
  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.append(argumentString(argv[i]));
  CommandLineOptions options;
  const int status = runGuarded(diagnostics, [&] {
    options = readOptions(*command, arguments);
    if (options.helpRequested)
      printCommandUsage(*command, stdout);
    else
      runCommand(*command, options, environment, diagnostics);
  });
  if (!options.reportFile || options.helpRequested) return status;
  // Written last, whatever happened: a failed run says so in its report too.
  const RunReport report{QLatin1String(command->word), options.inputs, diagnostics.run(), status};
  try {
    writeReport(*options.reportFile, reportText(report));
  } catch (const ConversionError& error) {
    diagnostics.error(error);
    return 1;
  }
  return status;
}
