#include "tool/run_sequence.h"

#include <QFileInfo>
#include <QHash>
#include <cstdio>
#include <functional>
#include <memory>

#include "mapping/project_mapper.h"
#include "model/solution_model.h"
#include "properties/property_schema.h"
#include "readers/common/conversion_context.h"
#include "solution/solution_writer.h"
#include "support/diagnostics.h"
#include "support/input_files.h"
#include "templates/template_expansion.h"
#include "tool/command_line.h"
#include "tool/reader_table.h"
#include "tool/run_report.h"
#include "tool/startup_environment.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUENPORT_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define QUENPORT_LEAK_CHECKED 1
#endif
#endif
#ifdef QUENPORT_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

namespace {

/// What a run converts with, the same for every input, and the little it keeps
/// from one input to the next.
struct Run {
  const RunConfiguration& configuration;
  /// The property declarations, built once for the run.
  const PropertySchema& schema;
  const GlobalMacros& macros;
  /// With -expand-templates, what reads every converted solution back and expands
  /// its templates; it loads the templates files once for the run.
  TemplateExpansion* expansion;
  Diagnostics& diagnostics;
  /// Set when the report would replace a file the conversion reads, or a
  /// solution: it is not written then.
  bool reportRefused = false;
  /// The solutions written so far, by their directory entry, with the input of each.
  QHash<FileIdentity, QString> written{};
};

// A solution or report written over a file its conversion read would lose that
// file: the workspace given under the solution's own name, or a project file
// named so, or given as the report. Checked by the directory entry that saving
// would replace; a report named as a solution would replace that solution.
void checkWritesReplaceNoInput(Run& run, const ConversionContext& context, const ModelNode& solution) {
  const QString path = solution.solutionFile().path();
  const std::optional<QString>& reportFile = run.configuration.reportFile;
  const bool report = reportFile && !run.reportRefused;
  std::vector<std::pair<QString, QString>> written{{QStringLiteral("solution"), path}};
  if (report) written.push_back({QStringLiteral("report"), *reportFile});
  for (const auto& [what, file] : written) {
    const QString input = context.inputFiles().entryRead(file);
    if (input.isEmpty()) continue;
    run.reportRefused = true;
    throw ConversionError(input, QStringLiteral("the ") + what + QLatin1Char(' ') + file +
                                     QStringLiteral(" would replace this file, which the conversion reads"));
  }
  if (report && QFileInfo(*reportFile).absoluteFilePath() == QFileInfo(path).absoluteFilePath()) {
    run.reportRefused = true;
    throw ConversionError(QStringLiteral("the report ") + *reportFile + QStringLiteral(" would replace the solution"));
  }
}

// Two inputs may give one solution path (ws.uvmpw and ws.mpw, or one input
// spelled twice): the second would replace the first's solution without a word.
void checkSolutionNotWrittenBefore(const Run& run, const QString& input, const ModelNode& solution) {
  const QString path = solution.solutionFile().path();
  const std::optional<FileIdentity> entry = entryIdentityOf(path);
  if (!entry || !run.written.contains(*entry)) return;
  throw ConversionError(input, QStringLiteral("the solution ") + path + QStringLiteral(" is also that of ") +
                                   run.written.value(*entry) + QStringLiteral(", converted earlier in this run"));
}

// What becomes of an input's models once its solution is written: destroyed,
// or, for the last input, left to the process exit, which returns their memory
// at once where destroying hundreds of thousands of nodes one by one costs 5 %
// of a large conversion.
enum class ModelsAfterwards { Destroyed, LeftToExit };

// Drops object without destroying it and returns it. A leak checker (the tests run
// the binary under LeakSanitizer) is told that this is deliberate.
template <typename Object>
Object* leaveToExit(std::unique_ptr<Object> object) {
  if (!object) return nullptr;
#ifdef QUENPORT_LEAK_CHECKED
  __lsan_ignore_object(object.get());
#endif
  return object.release();
}

// Converts one input: its reader reads the files into records, the mapper writes
// them into a model of its own, the writer writes the model to the solution file.
// Each project is written out to a temporary file as soon as it is complete and
// leaves the model, so that a large workspace is never held whole; the file
// replaces the solution only once the reader is done and the checks have passed.
// An input that fails leaves no solution file behind. A solution that cannot be
// written is an error like any other, reported where saving it would report it:
// the user would otherwise take the previous file for the result. Each input
// gets a context and a model of its own, so nothing read from one carries over
// to the next.
//
// With an expansion the templates are expanded first: the converted solution is
// read back, into a model of its own, from the text that saving it would write,
// as if from its file (relative paths, imports and the load command are based on
// the solution's directory). So its model is kept whole, the file is written
// once, when the expansion has succeeded, and a failed expansion leaves a
// previous file as it was.
void convert(Run& run, const QString& input, bool expandTemplates, ModelsAfterwards afterwards) {
  const RunConfiguration& configuration = run.configuration;
  const bool expanding = expandTemplates && run.expansion;
  run.diagnostics.beginInput(input.isEmpty() ? QStringLiteral(".") : input);
  ConversionContext context(configuration.reading, run.diagnostics);
  SolutionModel model(run.schema, run.macros);
  SolutionStream stream;
  ProjectMapper mapper(model, context, configuration.mapping, configuration.command->rules);
  if (!expanding) {
    mapper.handCompletedProjectsTo([&stream](const ModelNode& project) { return stream.writeProject(project); });
    mapper.handWaitingProjectsTo([&stream](const ModelNode& project) { return stream.setAsideItems(project); });
  }
  configuration.command->read(context, input, mapper);
  const ModelNode* solution = model.solution();
  checkWritesReplaceNoInput(run, context, *solution);
  checkSolutionNotWrittenBefore(run, input, *solution);
  SolutionModel expanded(run.schema, run.macros);
  if (expanding) {
    const QString path = solution->solutionFile().path();
    const std::string text = solutionText(*solution);
    model.deleteNode(model.solution());
    solution = run.expansion->expandText(expanded, path, text, run.diagnostics);
    saveSolution(*solution);
  } else {
    stream.save(*solution);
  }
  const QString path = solution->solutionFile().path();
  if (const std::optional<FileIdentity> entry = entryIdentityOf(path)) run.written.insert(*entry, input);
  run.diagnostics.finishInput(path);
  if (afterwards == ModelsAfterwards::LeftToExit) {
    leaveToExit(model.takeSolution());
    leaveToExit(expanded.takeSolution());
  }
}

// The options a user gave that the command does not apply: said once, before
// anything is converted, so that nobody takes them for applied.
void warnAboutIgnoredOptions(const Run& run) {
  const RunConfiguration& configuration = run.configuration;
  QStringList ignored;
  for (const QString& option : ignoredOptions(*configuration.command))
    if (configuration.given.contains(option)) ignored.append(option);
  if (ignored.isEmpty()) return;
  run.diagnostics.warn(QString(), ignored.join(QStringLiteral(", ")) + QStringLiteral(": not applied by ") +
                                      QLatin1String(configuration.command->word) + QStringLiteral(", ignored"));
}

// Steps after the configuration is read, all under the one error handler.
void runCommand(Run& run) {
  const RunConfiguration& configuration = run.configuration;
  run.diagnostics.setVerbose(configuration.verbose);
  warnAboutIgnoredOptions(run);
  if (configuration.inputs.isEmpty() && configuration.command->runsWithoutInput) {
    // The working directory as workspace; templates are never expanded on this path.
    convert(run, QString(), false, ModelsAfterwards::LeftToExit);
    return;
  }
  run.diagnostics.flush();
  for (qsizetype i = 0; i < configuration.inputs.size(); ++i) {
    const bool last = i + 1 == configuration.inputs.size();
    convert(run, configuration.inputs[i], true, last ? ModelsAfterwards::LeftToExit : ModelsAfterwards::Destroyed);
  }
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

// The run of a known command: its configuration is read, checked and completed
// once, then every input converted with it.
int runReaderCommand(const ReaderCommand& command, const QStringList& arguments, StartupEnvironment& environment,
                     Diagnostics& diagnostics) {
  // Built once for the run and, like the last models, left to the process exit:
  // its hundreds of declarations are not dropped one by one.
  const PropertySchema& schema = *leaveToExit(std::make_unique<PropertySchema>(buildPropertySchema()));
  std::optional<RunConfiguration> configuration;
  std::unique_ptr<TemplateExpansion> expansion;
  std::optional<Run> run;
  const int status = runGuarded(diagnostics, [&] {
    configuration = readRunConfiguration(command, arguments);
    if (configuration->helpRequested) {
      printCommandUsage(command, stdout);
      return;
    }
    checkProjectProperties(*configuration, schema, diagnostics);
    // From here on the configuration does not change.
    if (configuration->rootUserDirectory) environment.rootUserDirectory = *configuration->rootUserDirectory;
    if (configuration->expandTemplates)
      expansion = std::make_unique<TemplateExpansion>(configuration->templatesFiles, environment.macros);
    run.emplace(Run{*configuration, schema, environment.macros, expansion.get(), diagnostics});
    runCommand(*run);
  });
  if (!configuration || !configuration->reportFile || configuration->helpRequested || (run && run->reportRefused))
    return status;
  // Written last, whatever happened: a failed run says so in its report too.
  const RunReport report{QLatin1String(command.word), configuration->inputs, diagnostics.run(), status};
  try {
    writeReport(*configuration->reportFile, reportText(report));
  } catch (const ConversionError& error) {
    diagnostics.error(error);
    return 1;
  }
  return status;
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
  const ReaderCommand* command = findReaderCommand(word);
  if (!command) {
    std::fprintf(stderr, "unknown command '%s'\n\n", escapeControlCharacters(argv[1]).c_str());
    printUsage(stderr);
    return 1;
  }
  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.append(argumentString(argv[i]));
  return runReaderCommand(*command, arguments, environment, diagnostics);
}
