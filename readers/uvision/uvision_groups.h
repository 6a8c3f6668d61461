#pragma once
// The groups and files of a uVision target: folders and files of its project,
// with the target's exclusions and the options a group or file has of its own.

#include <QStringList>

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"

/// Appends the groups of target as folders to record's sources (its one
/// configuration already read), and the paths of the libraries the target links
/// to linkedLibraries.
void readGroups(const UVisionTargetReading& reading, const ForeignElement& target, ProjectRecord& record,
                QStringList& linkedLibraries);
