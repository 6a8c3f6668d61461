#pragma once
// The process-wide stack of working directories that the importers move through.

#include <QString>
#include <QStringList>

/// The remembered directories, most recent first.
QStringList& directoryStack();

/// Remembers the working directory and enters directory. A null directory only
/// remembers; an empty one counts as given but changes nothing. Throws HException
/// "directory <d> does not exist" when a given path names nothing and "cannot
/// enter directory <d>" when it names something that cannot be entered; either
/// way nothing is remembered.
void pushDirectory(const QString& directory);

/// Returns to the directory remembered last and forgets it. Callers pop only
/// when the stack is not empty.
void popDirectory();

/// path with every "\" turned into "/", then one trailing "/" removed.
QString toForwardSlashes(const QString& path);
