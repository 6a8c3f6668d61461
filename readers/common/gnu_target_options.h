#pragma once
// The GNU compiler's options that describe the target, as IDEs let users write
// them among "other flags" or "misc controls".

#include <QString>

#include "readers/common/project_record.h"

/// Takes an option that describes the target into device: -mcpu=, -mfpu=,
/// -mfloat-abi=, -mlittle-endian, -mbig-endian, -mcmse; -mthumb is taken
/// without a trace (Thumb is the only instruction set of the cores the
/// solution knows). False for any other option.
bool takeTargetOption(const QString& option, TargetDevice& device);

/// The options that give device's core, FPU, float ABI and byte order.
QStringList targetOptions(const TargetDevice& device);
