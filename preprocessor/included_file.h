#pragma once
// Which file an "include" directive reads.

#include <QString>

/// The file an include names: name as written, relative names taken from baseDirectory
/// (the working directory when empty). When no such file exists, the forms a file written
/// on Windows uses are tried: "\" separators, then components differing in case. Returns
/// the path as written (joined to baseDirectory) when nothing is found.
QString resolveIncludedPath(const QString& name, const QString& baseDirectory);
