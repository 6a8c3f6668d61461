#pragma once
// The command line: the options record it fills (ImportSettings, the root user
// directory and the inputs) and the usage text (the commands come from
// importers/importer_table.h).

#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "readers/common/import_settings.h"

struct ImporterCommand;

/// What the arguments after the command say.
struct CommandLineOptions {
  ImportSettings settings;
  /// "-rootuserdir": replaces the start-up environment's root user directory.
  std::optional<QString> rootUserDirectory;
  /// "-report": the file the run's report is written to.
  std::optional<QString> reportFile;
  /// "-help", "--help" or "-h": the command's usage text instead of a run.
  bool helpRequested = false;
  /// The names of the options given, each once.
  QStringList given;
  QStringList inputs;
};

/// Reads the arguments after the command, up to a request for help. Throws
/// ConversionError "argument expected", "unknown option <arg>", or for a value
/// a solution cannot hold.
CommandLineOptions readOptions(const ImporterCommand& command, const QStringList& arguments);

/// The options command accepts but does not apply (the command line's project
/// settings, IAR's argument variables), in the order a warning names them.
QStringList ignoredOptions(const ImporterCommand& command);

/// Writes the usage text.
void printUsage(std::FILE* stream);

/// Writes the usage text of one command: what it takes, the options it
/// applies and those it ignores, and an example.
void printCommandUsage(const ImporterCommand& command, std::FILE* stream);

/// True for the words that ask for the usage text as a first argument:
/// "help", "-h" and "--help".
bool isHelpRequest(const QString& word);

/// Writes "quenport <version>" and a line end.
void printVersion(std::FILE* stream);

/// Turns one command-line argument into a string. Arguments are decoded as the
/// local 8-bit encoding (UTF-8), not Latin-1, so paths with non-ASCII characters
/// open and name their solution files correctly.
QString argumentString(const char* argument);
