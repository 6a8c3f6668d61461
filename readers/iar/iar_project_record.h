#pragma once
// An IAR project file read into the record of the project it becomes.

#include <optional>

#include "readers/common/project_record.h"

class ConversionContext;
class IarWorkspace;
class LibraryBuilders;
struct IarProject;

/// The record of project: every configuration with its device (iar_target.h),
/// compile settings (iar_compile.h), output and intermediate directories, what
/// it links (iar_linker.h) and its build steps (iar_build_steps.h); the groups
/// as folders, nested as they nest, each with its subfolders before its files;
/// exclusions by configuration name, and the settings files and groups have of
/// their own (iar_item_settings.h). What cannot be carried goes to the
/// record's notCarried with the configurations that hold it. Paths are
/// relative to the project directory ("$(ProjectDir)/..." or
/// "$(SolutionDir)/..." in lists). A library another project of the workspace
/// builds becomes a dependency on that project; what its project connection
/// files joined to it is read as its own (a copy they make that is not there
/// yet is its original, with a warning). Paths that cannot be written (into
/// the IAR installation, with a variable nothing defines) are left out with one
/// warning per kind or variable. Nothing, with a warning, for a project
/// without any configuration. The names of the project's files are taken into
/// the record (its groups and files are only there to be read once).
std::optional<ProjectRecord> readProjectRecord(ConversionContext& context, IarWorkspace& workspace,
                                               const LibraryBuilders& builders, qsizetype project);

/// The projects of workspace by the libraries they build: each library project's
/// own name, or the file its archiver's output names, in Debug and Release.
LibraryBuilders iarLibraryBuilders(const IarWorkspace& workspace);
