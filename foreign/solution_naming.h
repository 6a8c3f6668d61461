#pragma once
// How the readers name a solution after its workspace file.

#include <QString>

/// The file name of path without its last suffix (everything before the last ".").
QString nameWithoutLastSuffix(const QString& path);

/// The absolute path of the directory that holds path.
QString absoluteDirectoryOf(const QString& path);

/// name, the solution's name for the workspace that messages name workspace;
/// throws ConversionError about workspace when a solution file cannot hold it
/// (it has a control character).
QString solutionNameOf(const QString& name, const QString& workspace);
