#pragma once
// The commands of the program, one row per importer: adding an importer means
// one folder under importers/ and one row here. The rows drive the command
// word, the options a command accepts beyond the common ones, the commands'
// lines of the usage text and their own usage texts, and how the importer's
// projects are mapped.

#include <QString>
#include <vector>

class ConversionContext;
class ModelNode;
class SolutionModel;
struct MappingRules;

/// An importer's entry: builds the solution of one input (the project system's
/// current solution) and returns it. Throws ConversionError for every failure.
using ImporterEntry = ModelNode* (*)(SolutionModel& model, ConversionContext& context,
                                          const QString& input);

/// An option without argument and without effect that only one command accepts.
struct ExtraOption {
  const char* name;
  /// Its line in the command's usage text.
  const char* usageLine;
};

/// One command word and the importer it runs.
struct ImporterCommand {
  const char* word;
  ImporterEntry entry;
  /// The command's line in the usage text.
  const char* usageLine;
  /// What the command's usage text says it takes and does, and an example.
  const char* inputs;
  const char* description;
  const char* example;
  std::vector<ExtraOption> extraOptions;
  /// With no input path, the importer runs once with an empty one (the working directory).
  bool runsWithoutInput;
  /// How the importer's projects are written: also which options apply to them.
  const MappingRules& rules;
  /// "-argvar" and "-custom-argvars" apply (IAR's argument variables).
  bool readsArgumentVariables = false;
};

/// Every command, in the order of the usage text.
const std::vector<ImporterCommand>& importerCommands();

/// The command named word (exact, case-sensitive), or null.
const ImporterCommand* findImporterCommand(const QString& word);
