#pragma once
// The commands of the program, one row per reader: adding a reader means one
// folder under readers/ and one row here. The rows drive the command word, the
// options a command accepts beyond the common ones, the commands' lines of the
// usage text and their own usage texts, and how the reader's projects are mapped.

#include <QString>
#include <vector>

#include "readers/common/reader.h"

/// An option without argument and without effect that only one command accepts.
struct ExtraOption {
  const char* name;
  /// Its line in the command's usage text.
  const char* usageLine;
};

/// One command word and the reader it runs.
struct ReaderCommand {
  const char* word;
  ReaderEntry read;
  /// The command's line in the usage text.
  const char* usageLine;
  /// What the command's usage text says it takes and does, and an example.
  const char* inputs;
  const char* description;
  const char* example;
  std::vector<ExtraOption> extraOptions;
  /// With no input path, the reader runs once with an empty one (the working directory).
  bool runsWithoutInput;
  /// How the reader's projects are written: also which options apply to them.
  const MappingRules& rules;
  /// "-argvar" and "-custom-argvars" apply (IAR's argument variables).
  bool readsArgumentVariables = false;
};

/// Every command, in the order of the usage text.
const std::vector<ReaderCommand>& readerCommands();

/// The command named word (exact, case-sensitive), or null.
const ReaderCommand* findReaderCommand(const QString& word);
