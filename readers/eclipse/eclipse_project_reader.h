#pragma once
// An Eclipse CDT project read into the record of the project it becomes.

#include <QString>
#include <optional>

#include "readers/common/project_record.h"
#include "readers/eclipse/directory_visits.h"

class ConversionContext;
class EclipseWorkspace;
struct EclipseProjectFile;

/// What reading a workspace's projects carries from one project to the next.
struct EclipseWorkspaceReading {
  /// The device the last "Microcontroller" option named: a project without one
  /// takes it from the project read before it.
  QString lastMicrocontroller;
  /// What the scans of the projects' trees may still list.
  ListingBudget budget;
};

/// The record of the project whose ".project" is file: every named
/// configuration with its device and target, the settings of its tools and its
/// build steps; the project directory mirrored as folders and source files,
/// then its linked files and folders, as its resource filters keep them, each
/// with the configurations that do not build it and the settings it has of its
/// own; the projects it depends on; what it says that cannot be carried. Shows the "cproject found"
/// and "project name" progress lines. Nothing for a ".project" without a
/// ".cproject" beside it, and, left out with a warning
/// (ConversionContext::leaveOutProject), for a project that cannot be
/// converted: its kind, no configuration, a ".project" or ".cproject" that
/// does not parse, is no Eclipse project or no regular file.
std::optional<ProjectRecord> readEclipseProject(ConversionContext& context, const EclipseWorkspace& workspace,
                                                const EclipseProjectFile& file, EclipseWorkspaceReading& reading);
