#pragma once
// Every build setting of a uVision target, as the one configuration of the
// project it becomes.

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"

/// The configuration of a "Target" element that builds a project of kind:
/// device, compiler, assembler, linker, output and user commands. Its name is
/// the target's name.
SourceConfiguration readTargetSettings(const UVisionTargetReading& reading, const ForeignElement& target,
                                       ProjectKind kind);

/// The element that holds the target's tool options: "TargetArm" for the GNU
/// tool set, "TargetArmAds" otherwise.
ForeignElement toolOptionsOf(const UVisionTargetReading& reading, const ForeignElement& target);
