#pragma once
// The linker settings of a uVision target: "LDads" of the ARM compilers
// (armlink, whose options and scatter files the GNU linker cannot use) and
// "LDarm" of the GNU tool set.

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"

/// Reads the linker block of toolOptions ("TargetArmAds" or "TargetArm").
LinkerOptions readLinkerSettings(const UVisionTargetReading& reading, const ForeignElement& toolOptions);
