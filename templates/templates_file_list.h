#pragma once
// The list of project templates files: one string of paths and wildcard paths
// separated by ";", set by -templatesfile and -addtemplatesfile.

#include <QString>
#include <QStringList>

#include "xml/macro_expander.h"

/// The existing files the list names, in order. The list has its macros expanded
/// with globalMacros and is split at ";" (empty parts skipped). An entry
/// without wildcards is kept when it names an existing file; "*", "?" and "[...]"
/// may appear in any path component and expand to the existing files that match,
/// in listing order (by name, ignoring case; hidden entries are not listed, as a
/// shell does not list them). Relative entries are taken from the working directory.
/// Entries without wildcards that name no file are added to missing, when given.
QStringList templatesFilePaths(const QString& templatesFiles, const GlobalMacros& globalMacros,
                               QStringList* missing = nullptr);
