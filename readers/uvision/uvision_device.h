#pragma once
// The device a uVision target builds for: its name, the processor and FPU of the
// "Cpu" string as the target's options use them, and the memory it links into.

#include <QList>
#include <QString>

#include "readers/common/project_record.h"
#include "readers/uvision/uvision_target_reading.h"

/// One token of a "Cpu" string: IRAM(0x20000000,0x20000), CPUTYPE("Cortex-M4"), FPU2.
struct CpuToken {
  QString name;
  /// What the parentheses hold, without quotes; empty when there are none.
  QString argument;
};

/// The tokens of a "Cpu" string, in order.
QList<CpuToken> cpuTokens(const QString& text);

/// The memory region of an IROM/IRAM token argument, written "start,size" or
/// "start-end" (end inclusive); nullopt when it is neither.
std::optional<MemoryRegion> cpuMemoryRegion(const CpuToken& token);

/// The device of a "Target" element.
TargetDevice readDevice(const UVisionTargetReading& reading, const ForeignElement& target);
