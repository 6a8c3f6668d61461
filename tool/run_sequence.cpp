#include "tool/run_sequence.h"

#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <memory>

#include "model/solution_model.h"
#include "properties/property_schema.h"
#include "readers/common/conversion_context.h"
#include "readers/common/import_settings.h"
#include "readers/common/project_mapper.h"
#include "readers/common/project_properties.h"
#include "readers/reader_table.h"
#include "solution/solution_writer.h"
#include "support/diagnostics.h"
#include "templates/template_expansion.h"
#include "tool/command_line.h"
#include "tool/run_report.h"
#include "tool/startup_environment.h"

namespace {

/// What a run converts with, the same for every input.
struct RunSetup {
  const ImporterCommand& command;
  const ImportSettings& settings;
  QList<ProjectProperty> projectProperties;
  /// The property declarations, built once for the run.
  const PropertySchema& schema;
  const GlobalMacros& macros;
  /// With -expand-templates, what reads every converted solution back and expands
  /// its templates; it lives for the whole run.
  TemplateExpansion* expansion;
  Diagnostics& diagnostics;
  /// "-report": the file written once the run is over; reset when it would
  /// replace a file the conversion reads or a solution, so that it is not written.
  std::optional<QString>& reportFile;
};

// A solution or report written over a file its conversion read would lose that
// file: the workspace given under the solution's own name, or a project file
// named so, or given as the report. Checked by the directory entry that saving
// would replace; a report named as a solution would replace that solution.
void checkWritesReplaceNoInput(const RunSetup& run, const ConversionContext& context, const ModelNode& solution) {
  const QString path = solution.solutionFile().path();
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

// Imports one input, saves its solution and destroys it. An input that fails
// leaves no solution file behind: nothing is saved before the importer returns.
// A solution that cannot be written is an error like any other: the user would
// otherwise take the previous file for the result. Each input gets a context of
// its own, so nothing read from one carries over to the next.
//
// With an expansion the templates are expanded first: the converted solution is
// read back, into a model of its own, from the text that saving it would write,
// as if from its file (relative paths, imports and the load command are based on
// the solution's directory). So the file is written once, when the expansion has
// succeeded, and a failed expansion leaves a previous file as it was.
void convert(const RunSetup& run, const QString& input, bool expandTemplates) {
  run.diagnostics.beginInput(input.isEmpty() ? QStringLiteral(".") : input);
  ConversionContext context(run.settings, run.projectProperties, run.diagnostics);
  // The importer reads the input's files into records, which its mapper writes into the model.
  SolutionModel model(run.schema, run.macros);
  const ModelNode* solution = run.command.entry(model, context, input);
  checkWritesReplaceNoInput(run, context, *solution);
  SolutionModel expanded(run.schema, run.macros);
  if (expandTemplates && run.expansion) {
    const QString path = solution->solutionFile().path();
    const std::string text = solutionText(*solution);
    model.deleteNode(model.solution());
    solution = run.expansion->expandText(expanded, path, text, run.diagnostics);
  }
  // The writer writes the model to the solution file.
  saveSolution(*solution);
  run.diagnostics.finishInput(solution->solutionFile().path());
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
  const PropertySchema schema = buildPropertySchema();
  std::unique_ptr<TemplateExpansion> expansion;
  if (settings.expandTemplates) expansion = std::make_unique<TemplateExpansion>(settings.templatesFiles, environment.macros);
  RunSetup run{command, settings, {}, schema, environment.macros, expansion.get(), diagnostics, options.reportFile};
  // Checked before anything is converted: each name becomes an attribute name.
  if (command.rules.appliesCommandLineSettings) {
    run.projectProperties = readProjectProperties(settings.projectProperties, schema,
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
  StartupEnvironment environment = buildStartupEnvironment(argc > 0 ? argv[0] : nullptr, diagnostics);
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
