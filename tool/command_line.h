#pragma once
// The command line: the options that fill ImportSettings, the input list, and
// the usage text (the commands come from importers/importer_table.h).

#include <QString>
#include <QStringList>
#include <cstdio>

struct ImportSettings;
struct ImporterCommand;

/// Reads the arguments after the command into settings and returns the input
/// list. Throws ConversionError "argument expected" or "unknown option <arg>".
QStringList readOptions(const ImporterCommand& command, const QStringList& arguments, ImportSettings& settings);

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
