#pragma once
// The command line: the run configuration it fills, and the usage text (the
// commands come from tool/reader_table.h).

#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "tool/run_configuration.h"

class Diagnostics;
class PropertySchema;
struct ReaderCommand;

/// Reads the arguments after the command, up to a request for help, into the run's
/// configuration. Throws ConversionError "argument expected", "unknown option
/// <arg>", or for a value a solution cannot hold.
RunConfiguration readRunConfiguration(const ReaderCommand& command, const QStringList& arguments);
/// Completes the configuration: checks the "-P" entries of a command that applies
/// them and sets them as the mapper's project properties (see readProjectProperties,
/// which throws). Kept apart from reading so that a failed check still finds the
/// "-report" file named.
void checkProjectProperties(RunConfiguration& configuration, const PropertySchema& schema, Diagnostics& diagnostics);

/// The options command accepts but does not apply (the command line's project
/// settings, IAR's argument variables), in the order a warning names them.
QStringList ignoredOptions(const ReaderCommand& command);

/// Writes the usage text.
void printUsage(std::FILE* stream);

/// Writes the usage text of one command: what it takes, the options it
/// applies and those it ignores, and an example.
void printCommandUsage(const ReaderCommand& command, std::FILE* stream);

/// True for the words that ask for the usage text as a first argument:
/// "help", "-h" and "--help".
bool isHelpRequest(const QString& word);

/// Writes "quenport <version>" and a line end.
void printVersion(std::FILE* stream);

/// Turns one command-line argument into a string. Arguments are decoded as the
/// local 8-bit encoding (UTF-8), not Latin-1, so paths with non-ASCII characters
/// open and name their solution files correctly.
QString argumentString(const char* argument);
