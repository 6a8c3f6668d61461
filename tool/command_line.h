#pragma once
// The command line: the options record it fills (ImportSettings, the root user
// directory and the inputs) and the usage text (the commands come from
// importers/importer_table.h).

#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "importers/common/import_settings.h"

struct ImporterCommand;

/// What the arguments after the command say.
struct CommandLineOptions {
  ImportSettings settings;
  /// "-rootuserdir": replaces the start-up environment's root user directory.
  std::optional<QString> rootUserDirectory;
  QStringList inputs;
};

/// Reads the arguments after the command. Throws ConversionError "argument
/// expected", "unknown option <arg>", or for a value a solution cannot hold.
CommandLineOptions readOptions(const ImporterCommand& command, const QStringList& arguments);

/// Writes the usage text.
void printUsage(std::FILE* stream);

/// True for the words that ask for the usage text as a first argument:
/// "help", "-h" and "--help".
bool isHelpRequest(const QString& word);

/// Writes "quenport <version>" and a line end.
void printVersion(std::FILE* stream);

/// Turns one command-line argument into a string. Arguments are decoded as the
/// local 8-bit encoding (UTF-8), not Latin-1, so paths with non-ASCII characters
/// open and name their solution files correctly.
QString argumentString(const char* argument);
