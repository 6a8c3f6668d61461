#pragma once
// The command line: the command, the options that fill ImportSettings, and the input list.

#include <QString>
#include <QStringList>
#include <cstdio>

/// The three conversions, named by the first argument.
enum class Command { UVision, Eclipse, Iar };

/// The command named word, or false when there is none.
bool commandFromName(const QString& word, Command& command);

/// Reads the arguments after the command into importSettings() and the input list.
/// Throws HException "argument expected" or "unknown option <arg>".
QStringList readOptions(Command command, const QStringList& arguments);

/// Writes the usage text.
void printUsage(std::FILE* stream);

/// Turns one command-line argument into a string. Arguments are decoded as the
/// local 8-bit encoding (UTF-8), not Latin-1, so paths with non-ASCII characters
/// open and name their solution files correctly.
QString argumentString(const char* argument);
