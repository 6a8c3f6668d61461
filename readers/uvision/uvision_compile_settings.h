#pragma once
// The compiler's and the assembler's settings of a uVision target ("Cads" and
// "Aads", "Carm" and "Aarm" for the GNU tool set), and those a group or file
// has of its own ("GroupArmAds", "FileArmAds").

#include <optional>

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"

/// Reads the compiler and assembler blocks of toolOptions ("TargetArmAds" or
/// "TargetArm"). What the compiler's own options say of the target (-mcpu,
/// -mfpu, -mfloat-abi, byte order) overrides device.
CompileSettings readTargetCompileSettings(const UVisionTargetReading& reading, const ForeignElement& toolOptions,
                                          TargetDevice& device);

/// What a group's or file's option block ("GroupArmAds" / "FileArmAds", under
/// its GroupOption / FileOption) sets for itself, read against its target's
/// toolOptions: its lists are the project's followed by its own; a value left
/// to inherit is the target's. nullopt when it sets nothing of its own. What
/// it sets that cannot be carried is reported as itemName's.
std::optional<CompileSettings> readItemCompileSettings(const UVisionTargetReading& reading,
                                                       const ForeignElement& itemOptions,
                                                       const ForeignElement& toolOptions,
                                                       const CompileSettings& project, const QString& itemName);
