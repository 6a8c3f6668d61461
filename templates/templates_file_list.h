#pragma once
// The list of project templates files: one string of paths and wildcard paths
// separated by ";", set by -templatesfile and -addtemplatesfile.

#include <QString>
#include <QStringList>

#include "preprocessor/macro_expander.h"

/// What a list of templates files names.
struct TemplatesFileList {
  /// The existing regular files, in order.
  QStringList paths;
  /// Why an entry without wildcards names no file, in entry order:
  /// "templates file <entry> does not exist" or "... is not a regular file".
  QStringList leftOut;
};

/// The existing files the list names, in order. The list has its macros expanded
/// with globalMacros and is split at ";" (empty parts skipped). An entry
/// without wildcards is kept when it names a regular file; "*", "?" and "[...]"
/// may appear in any path component and expand to the regular files that match,
/// in listing order (by name, ignoring case; hidden entries are not listed, as a
/// shell does not list them). Relative entries are taken from the working directory.
TemplatesFileList templatesFilePaths(const QString& templatesFiles, const GlobalMacros& globalMacros);
