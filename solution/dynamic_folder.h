#pragma once
// Dynamic folders: folders with a "path" whose files are read from the disk.

#include "support/warning_sink.h"

class ProjectElement;
class ProjectSystem;

/// Reads the files of folder's directory ("path", expanded with the global macros,
/// relative to its project's directory) that match its "filter" and no "exclude"
/// pattern into it, and with "recurse" "Yes" its subdirectories as subfolders.
/// Nothing for a null folder or one without a "path". A link that is not followed
/// is told to warnings.
void populateDynamicFolder(ProjectSystem& system, ProjectElement* folder, const WarningSink& warnings);
