#pragma once
// Dynamic folders: folders with a "path" whose files are read from the disk.

#include <QtGlobal>

class Diagnostics;
class ModelNode;
class SolutionModel;

/// What the dynamic folders of one expansion may add together, counted in files
/// and folders: a folder naming "/" with "recurse" would otherwise walk the whole
/// disk (only a folder's settings are written, so what it lists is read for
/// nothing beyond that).
struct DynamicFolderBudget {
  qsizetype limit = 100000;
  qsizetype used = 0;
  bool reported = false;  // the warning that the limit was reached has been given
};

/// Reads the files of folder's directory ("path", expanded with the global macros,
/// relative to its project's directory) that match its "filter" and no "exclude"
/// pattern into it, and with "recurse" "Yes" its subdirectories as subfolders.
/// Nothing for a null folder or one without a "path". A link that is not followed
/// is told to diagnostics, and so, once, is the budget running out: what was added
/// stays, the rest is left out.
void populateDynamicFolder(SolutionModel& model, ModelNode* folder, Diagnostics& diagnostics,
                           DynamicFolderBudget& budget);
