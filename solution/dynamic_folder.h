#pragma once
// Dynamic folders: folders with a "path" whose files are read from the disk.

class Diagnostics;
class ModelNode;
class SolutionModel;

/// Reads the files of folder's directory ("path", expanded with the global macros,
/// relative to its project's directory) that match its "filter" and no "exclude"
/// pattern into it, and with "recurse" "Yes" its subdirectories as subfolders.
/// Nothing for a null folder or one without a "path". A link that is not followed
/// is told to diagnostics.
void populateDynamicFolder(SolutionModel& model, ModelNode* folder, Diagnostics& diagnostics);
